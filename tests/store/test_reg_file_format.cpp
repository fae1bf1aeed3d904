#include "store/RegFileFormat.h"
#include <gtest/gtest.h>

namespace {

const char* const kSample = "REGEDIT4\n"
                            "\n"
                            "[HKEY_CURRENT_USER\\software\\VELTRA\\Tickwell\\Options]\n"
                            "\"MainWindow\"=dword:00000001\n"
                            "\"WavFile\"=\"/home/ann/chime.wav\"\n"
                            "\n"
                            "[HKEY_CURRENT_USER\\software\\VELTRA\\Tickwell\\QuickMode]\n"
                            "\"LastRun\"=hex:00,00,00,00,00,e6,e5,40\n";

const std::string kOptions = "software\\VELTRA\\Tickwell\\Options";

TRegData Parse(const std::string& text) {
    TRegData data;
    std::string error;
    EXPECT_TRUE(ParseRegFile(text, data, error)) << error;
    return data;
}

TEST(RegFileFormat, ReadsAndWritesTheExportFormat) {
    const TRegData data = Parse(kSample);
    ASSERT_NE(data.Find(kOptions, "MainWindow"), nullptr);
    EXPECT_EQ(*data.Find(kOptions, "MainWindow"), TRegValue::Number(1));
    EXPECT_EQ(*data.Find(kOptions, "wavfile"), TRegValue::String("/home/ann/chime.wav"));
    EXPECT_EQ(*data.Find("SOFTWARE\\veltra\\tickwell\\quickmode", "LastRun"),
              TRegValue::Binary({0, 0, 0, 0, 0, 0xe6, 0xe5, 0x40}));
    EXPECT_EQ(FormatRegFile(data), std::string(kSample) + "\n");
}

TEST(RegFileFormat, AcceptsWhatHandEditingAndOtherToolsProduce) {
    const std::string text = "\xEF\xBB\xBF\r\nREGEDIT4\r\n\r\n"
                             "; a comment\r\n"
                             "[HKEY_CURRENT_USER\\software\\VELTRA\\Tickwell\\Options]  \r\n"
                             "  \"MainWindow\" = dword:2\r\n"
                             "\"Bytes\"=hex:01,02,\\\r\n"
                             "  03,04\r\n"
                             "\"Path\"=\"a\\b\"\r\n"
                             "\"Gone\"=\"x\"\r\n"
                             "\"Gone\"=-\r\n"
                             "[HKEY_CURRENT_USER\\software\\VELTRA\\Tickwell\\Options]\r\n"
                             "\"MAINWINDOW\"=dword:00000003\r\n"
                             "[HKEY_CURRENT_USER\\software\\VELTRA\\Tickwell\\Old]\r\n"
                             "\"x\"=\"y\"\r\n"
                             "[-HKEY_CURRENT_USER\\software\\VELTRA\\Tickwell\\Old]\r\n";
    const TRegData data = Parse(text);
    EXPECT_EQ(*data.Find(kOptions, "MainWindow"), TRegValue::Number(3)) << "the last one counts";
    EXPECT_EQ(*data.Find(kOptions, "Bytes"), TRegValue::Binary({1, 2, 3, 4}));
    EXPECT_EQ(*data.Find(kOptions, "Path"), TRegValue::String("a\\b"));
    EXPECT_EQ(data.Find(kOptions, "Gone"), nullptr);
    EXPECT_EQ(data.FindKey("software\\VELTRA\\Tickwell\\Old"), nullptr);
    EXPECT_EQ(data.Keys().size(), 1u);
}

TEST(RegFileFormat, RejectsWhatIsNotSuchAFile) {
    const char* const head = "REGEDIT4\n[HKEY_CURRENT_USER\\software\\VELTRA\\Tickwell\\Options]\n";
    const std::string cases[] = {
        "",
        "Windows Registry Editor Version 5.00\n",
        "REGEDIT4\n\"x\"=dword:1\n",
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\software\\x]\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\software\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\]\n",
        std::string(head) + "\"x\"=\"unterminated\n",
        std::string(head) + "\"x\"=dword:123456789\n",
        std::string(head) + "\"x\"=dword:\n",
        std::string(head) + "\"x\"=dword:12zz\n",
        std::string(head) + "\"x\"=hex:1,2\n",
        std::string(head) + "\"x\"=qword:1\n",
        std::string(head) + "\"x\"\n",
        std::string(head) + "x=1\n",
        std::string(head) + "\"x\"=\"a\" trailing\n",
    };
    for (const std::string& text : cases) {
        TRegData data;
        std::string error;
        EXPECT_FALSE(ParseRegFile(text, data, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

} // namespace
