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
    std::vector<TRegFileSkip> skipped;
    std::string error;
    EXPECT_TRUE(ParseRegFile(text, data, skipped, error)) << error;
    EXPECT_TRUE(skipped.empty()) << skipped[0].Why;
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

// A line that cannot be read is passed over and listed, and costs nothing
// else: the values before and after it are read, a key that cannot be read
// takes only its own values along.
TEST(RegFileFormat, ALineThatCannotBeReadCostsOnlyItself) {
    const struct {
        std::string Lines;   // between "A" and "B", each under the Options key
        int Line;            // of the one listed
        const char* Listed;  // as the list shows it
        const char* Why;     // part of the reason
        bool MainWindowKept; // "MainWindow"=dword:1, after the bad line
    } cases[] = {
        {"\"x\"=dword:123456789\n", 4, "\"x\"=dword:123456789", "at most 8", true},
        {"\"x\"=dword:12zz  \r\n", 4, "\"x\"=dword:12zz", "after the value", true},
        {"\"x\"=hex:1,2\n", 4, "\"x\"=hex:1,2", "two hexadecimal", true},
        {"\"x\"=hex:zz,\\\n  01,02\n", 4, "\"x\"=hex:zz,\\", "two hexadecimal", true},
        {"\"x\"=qword:1\n", 4, "\"x\"=qword:1", "unknown kind", true},
        {"\"x\"\n", 4, "\"x\"", "=", true},
        {"x=1\n", 4, "x=1", "quoted name", true},
        {"\"x\"=\"a\" trailing\n", 4, "\"x\"=\"a\" trailing", "after the value", true},
        {"\"WavFile\"=\"/home/ann/chime.wav\n", 4, "\"WavFile\"=\"/home/ann/chime.wav",
         "after the value", true},
        {"[HKEY_LOCAL_MACHINE\\software\\x]\n\"a\"=dword:1\n\"b\"=zz\n", 4,
         "[HKEY_LOCAL_MACHINE\\software\\x]", "3 lines below it", false},
        {"[HKEY_CURRENT_USER\\software\n", 4, "[HKEY_CURRENT_USER\\software",
         "end with ]; the line below", false},
        {"[-HKEY_CURRENT_USER\\software\\VELTRA\\Tickwell\\Other]\n", 5, "\"MainWindow\"=dword:1",
         "before any key", false},
    };
    for (const auto& c : cases) {
        const std::string text = "REGEDIT4\n[HKEY_CURRENT_USER\\" + kOptions +
                                 "]\n"
                                 "\"A\"=\"a\"\n" +
                                 c.Lines +
                                 "\"MainWindow\"=dword:1\n"
                                 "[HKEY_CURRENT_USER\\" +
                                 kOptions + "]\n\"B\"=\"b\"\n";
        TRegData data;
        std::vector<TRegFileSkip> skipped;
        std::string error;
        ASSERT_TRUE(ParseRegFile(text, data, skipped, error)) << c.Lines << error;
        ASSERT_EQ(skipped.size(), 1u) << c.Lines << skipped[1].Text;
        EXPECT_EQ(skipped[0].Line, c.Line) << c.Lines;
        EXPECT_EQ(skipped[0].Text, c.Listed) << c.Lines;
        EXPECT_NE(skipped[0].Why.find(c.Why), std::string::npos) << c.Lines << skipped[0].Why;
        EXPECT_NE(data.Find(kOptions, "A"), nullptr) << c.Lines;
        EXPECT_NE(data.Find(kOptions, "B"), nullptr) << c.Lines;
        EXPECT_EQ(data.Find(kOptions, "MainWindow") != nullptr, c.MainWindowKept) << c.Lines;
        EXPECT_EQ(data.Find(kOptions, "x"), nullptr) << c.Lines;
        EXPECT_EQ(data.Keys().size(), 1u) << c.Lines;
    }
}

} // namespace
