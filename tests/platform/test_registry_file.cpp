#include "core/Messages.h"
#include "platform/RegistryFile.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const char* const kSample = "REGEDIT4\n"
                            "\n"
                            "[HKEY_CURRENT_USER\\software\\VELTRA\\Tickwell\\Options]\n"
                            "\"MainWindow\"=dword:00000001\n"
                            "\"WavFile\"=\"/home/ann/chime.wav\"\n"
                            "\n"
                            "[HKEY_CURRENT_USER\\software\\VELTRA\\Tickwell\\QuickMode]\n"
                            "\"LastRun\"=hex:00,00,00,00,00,e6,e5,40\n";

const std::string kOptions = "software\\VELTRA\\Tickwell\\Options";
const std::string kQuick = "software\\VELTRA\\Tickwell\\QuickMode";

TRegData Parse(const std::string& text) {
    TRegData data;
    std::string error;
    EXPECT_TRUE(ParseRegFile(text, data, error)) << error;
    return data;
}

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteAll(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

TEST(RegFileFormat, ReadsTheExportFormat) {
    const TRegData data = Parse(kSample);
    ASSERT_NE(data.Find(kOptions, "MainWindow"), nullptr);
    EXPECT_EQ(*data.Find(kOptions, "MainWindow"), TRegValue::Number(1));
    EXPECT_EQ(*data.Find(kOptions, "wavfile"), TRegValue::String("/home/ann/chime.wav"));
    EXPECT_EQ(*data.Find("SOFTWARE\\veltra\\tickwell\\quickmode", "LastRun"),
              TRegValue::Binary({0, 0, 0, 0, 0, 0xe6, 0xe5, 0x40}));
}

TEST(RegFileFormat, WritesTheExportFormat) {
    EXPECT_EQ(FormatRegFile(Parse(kSample)), std::string(kSample) + "\n");
}

TEST(RegFileFormat, RoundTripKeepsEveryValueAndItsSpelling) {
    TRegData data;
    data.Set(kOptions, "WavFile", TRegValue::String("C:\\sounds\\\"quoted\" \\\\ end\\"));
    data.Set(kOptions, "Empty", TRegValue::String(""));
    data.Set(kOptions, "Lines", TRegValue::String("one\ntwo"));
    data.Set(kOptions, "Max", TRegValue::Number(0xFFFFFFFFu));
    data.Set(kOptions, "", TRegValue::String("default value"));
    data.Set("Software\\Veltra\\Tickwell\\Tickwells Window\\Columns", "Sizes",
             TRegValue::String("120,80"));
    data.Set(kQuick, "NoBytes", TRegValue::Binary({}));
    TRegValue other;
    other.Type = 2; // an expandable string, kept as its raw bytes
    other.Bytes = {'a', 0};
    data.Set(kQuick, "Other", other);
    data.CreateKey("software\\VELTRA\\Tickwell\\Empty Key");
    const std::string text = FormatRegFile(data);
    EXPECT_NE(text.find("\"WavFile\"=\"C:\\\\sounds\\\\\\\"quoted\\\" \\\\\\\\ end\\\\\""),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("@=\"default value\""), std::string::npos);
    EXPECT_NE(text.find("\"Other\"=hex(2):61,00"), std::string::npos);
    EXPECT_EQ(Parse(text), data);
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
        "not a registry file\n",
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
        std::string(head) + "\"x\"=hex:0102\n",
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

class RegistryFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        Folder = fs::temp_directory_path() /
                 ("tw-regfile-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Folder);
        File = Folder / "config" / "registry.reg";
    }
    void TearDown() override { fs::remove_all(Folder); }

    TRegistryFile Open() {
        return TRegistryFile(File.string(), [this](const std::string& t) { Notices.push_back(t); });
    }
    std::vector<fs::path> Damaged() const {
        std::vector<fs::path> out;
        for (const auto& e : fs::directory_iterator(File.parent_path()))
            if (e.path().filename().string().rfind("registry.reg.damaged-", 0) == 0)
                out.push_back(e.path());
        return out;
    }

    fs::path Folder;
    fs::path File;
    std::vector<std::string> Notices;
};

TEST_F(RegistryFileTest, NoFileIsAnEmptyRegistryAndReadingCreatesNothing) {
    TRegistryFile reg = Open();
    EXPECT_TRUE(reg.Load().Empty());
    EXPECT_FALSE(fs::exists(File));
}

TEST_F(RegistryFileTest, UpdateWritesTheFileAndEveryLoadReadsItAnew) {
    TRegistryFile reg = Open();
    reg.Update([](TRegData& d) { d.Set(kOptions, "Beep", TRegValue::Number(1)); });
    EXPECT_EQ(ReadAll(File),
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\software\\VELTRA\\Tickwell\\Options]\n"
              "\"Beep\"=dword:00000001\n\n");
    // Someone edits the file by hand while the program runs.
    WriteAll(File, kSample);
    EXPECT_EQ(*reg.Load().Find(kOptions, "MainWindow"), TRegValue::Number(1));
    reg.Update([](TRegData& d) { d.Set(kQuick, "x", TRegValue::String("y")); });
    const TRegData after = reg.Load();
    EXPECT_NE(after.Find(kOptions, "WavFile"), nullptr) << "the hand edit was kept";
    EXPECT_EQ(after.Find(kOptions, "Beep"), nullptr);
    for (const auto& e : fs::directory_iterator(File.parent_path()))
        EXPECT_TRUE(e.path() == File || e.path().filename() == "registry.reg.lock") << e.path();
}

TEST_F(RegistryFileTest, ADamagedFileIsKeptAsideOnceAndDefaultsFollow) {
    fs::create_directories(File.parent_path());
    const std::string junk = "REGEDIT4\n[HKEY_CURRENT_USER\\software\\VELTRA\\Tickwell\\Options]\n"
                             "\"MainWindow\"=dword:1zz\n";
    WriteAll(File, junk);
    TRegistryFile reg = Open();
    EXPECT_TRUE(reg.Load().Empty());
    ASSERT_EQ(Notices.size(), 1u);
    const auto damaged = Damaged();
    ASSERT_EQ(damaged.size(), 1u);
    EXPECT_EQ(ReadAll(damaged[0]), junk) << "kept byte for byte";
    EXPECT_NE(Notices[0].find(damaged[0].string()), std::string::npos) << Notices[0];
    EXPECT_NE(Notices[0].find("line 3"), std::string::npos) << Notices[0];
    EXPECT_FALSE(fs::exists(File));
    const std::string stamp = damaged[0].filename().string().substr(21);
    EXPECT_EQ(stamp.size(), 15u) << stamp; // YYYYMMDD-HHMMSS
    EXPECT_EQ(stamp[8], '-');

    EXPECT_TRUE(reg.Load().Empty());
    EXPECT_EQ(Notices.size(), 1u) << "told once";

    // A second damaged file in the same second does not replace the first copy.
    WriteAll(File, "garbage");
    reg.Update([](TRegData& d) { d.Set(kOptions, "Beep", TRegValue::Number(0)); });
    EXPECT_EQ(Notices.size(), 2u);
    EXPECT_EQ(Damaged().size(), 2u);
    EXPECT_EQ(*reg.Load().Find(kOptions, "Beep"), TRegValue::Number(0));
}

TEST_F(RegistryFileTest, TheDefaultNoticeGoesThroughTheMessageRoutines) {
    std::vector<std::pair<std::string, TMsgKind>> shown;
    TMessageHandlers old = SetMessageHandlers(
        {[&](const std::string& t, TMsgKind k) { shown.emplace_back(t, k); }, {}, {}, {}, {}});
    fs::create_directories(File.parent_path());
    WriteAll(File, "junk");
    TRegistryFile(File.string()).Load();
    SetMessageHandlers(old);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].second, mkWarning);
}

TEST_F(RegistryFileTest, TwoProcessesWritingAtOnceLoseNothing) {
    constexpr int kEach = 40;
    auto writeMany = [this](const char* prefix) {
        TRegistryFile reg(File.string(), [](const std::string&) {});
        for (int i = 0; i < kEach; ++i) {
            const std::string name = prefix + std::to_string(i);
            reg.Update([&](TRegData& d) {
                d.Set(kOptions, name, TRegValue::Number(static_cast<std::uint32_t>(i)));
            });
        }
    };
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        try {
            writeMany("child");
        } catch (...) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    writeMany("parent");
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    const TRegData data = Open().Load();
    for (int i = 0; i < kEach; ++i) {
        EXPECT_NE(data.Find(kOptions, "child" + std::to_string(i)), nullptr) << i;
        EXPECT_NE(data.Find(kOptions, "parent" + std::to_string(i)), nullptr) << i;
    }
    EXPECT_TRUE(Notices.empty());
}

TEST_F(RegistryFileTest, TypedAccessOverTheFile) {
    auto previous = SetRegistryBackend(std::make_shared<TRegistryFile>(File.string()));
    {
        TWinRegistry reg;
        reg.WriteFloat("QuickMode", "LastRun", 44848);
        reg.WriteInteger("Options", "MainWindow", 1);
    }
    EXPECT_EQ(TWinRegistry().ReadFloat("Quickmode", "lastrun", 0), 44848.0);
    SetRegistryBackend(previous);
    EXPECT_NE(ReadAll(File).find("\"LastRun\"=hex:00,00,00,00,00,e6,e5,40\n"), std::string::npos);
}

} // namespace
