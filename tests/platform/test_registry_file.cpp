#include "core/Messages.h"
#include "platform/RegistryFile.h"
#include "store/SettingsSchema.h"
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const char* const kSample = "REGEDIT4\n[HKEY_CURRENT_USER\\software\\VELTRA\\Tickwell\\Options]\n"
                            "\"MainWindow\"=dword:00000001\n";

const std::string kOptions = "software\\VELTRA\\Tickwell\\Options";

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

class RegistryFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        Folder = fs::temp_directory_path() / ("tw-regfile-" + std::to_string(::getpid()));
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

// A damaged file, or one larger than the limit, is copied aside and read as
// empty, so the defaults follow; it is told once, through the message
// routines when the file was opened without a notice of its own.
TEST_F(RegistryFileTest, ADamagedFileIsKeptAsideOnceAndDefaultsFollow) {
    std::vector<std::pair<std::string, TMsgKind>> shown;
    TMessageHandlers old = SetMessageHandlers(
        {[&](const std::string& t, TMsgKind k) { shown.emplace_back(t, k); }, {}, {}, {}, {}});
    fs::create_directories(File.parent_path());
    const std::string junk = "[HKEY_CURRENT_USER\\software\\VELTRA\\Tickwell\\Options]\n"
                             "\"MainWindow\"=dword:1\n";
    WriteAll(File, junk);
    TRegistryFile reg = Open();
    EXPECT_TRUE(reg.Load().Empty());
    ASSERT_EQ(Notices.size(), 1u);
    const auto damaged = Damaged();
    ASSERT_EQ(damaged.size(), 1u);
    EXPECT_EQ(ReadAll(damaged[0]), junk) << "kept byte for byte";
    EXPECT_NE(Notices[0].find("does not begin with REGEDIT4"), std::string::npos) << Notices[0];
    EXPECT_TRUE(reg.Load().Empty());

    // A second damaged file in the same second does not replace the first copy.
    WriteAll(File, "garbage");
    reg.Update([](TRegData& d) { d.Set(kOptions, "Beep", TRegValue::Number(0)); });
    EXPECT_EQ(Notices.size(), 2u);
    EXPECT_EQ(Damaged().size(), 2u);
    EXPECT_EQ(*reg.Load().Find(kOptions, "Beep"), TRegValue::Number(0));

    WriteAll(File, std::string(kSample) + "\"Pad\"=\"" +
                       std::string(TRegistryFile::kMaxFileSize, 'x') + "\"\n");
    EXPECT_TRUE(TRegistryFile(File.string()).Load().Empty());
    SetMessageHandlers(old);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].first.find("(it is larger than 4 MB)"), std::string::npos) << shown[0].first;
    EXPECT_EQ(Damaged().size(), 3u);
}

// A line that cannot be read, or a value the program has no use for, is
// told once and read as its default; every other setting stays. The line is
// left out when the file is next saved, after a copy of the file is kept.
TEST_F(RegistryFileTest, AnUnusableValueCostsOnlyItself) {
    const struct {
        const char* Section;
        const char* Line;
        const char* Told;
        bool Copied; // at the next save, and the line gone
        std::function<void()> ReadsDefault;
        bool NextKept = true; // the line after it
    } cases[] = {
        {"Options", "\"TrayIcon\"=dword:zzzz", "line 6: \"TrayIcon\"=dword:zzzz (a dword needs",
         true, [] { EXPECT_FALSE(ReadSetting(kTrayIcon)); }},
        {"Options", "\"DfltNotice\"=dword:99999999",
         "Options \"DfltNotice\" is -1717986919, not from 1 to 365", false,
         [] { EXPECT_EQ(ReadSetting(kDfltNotice), 7); }},
        {"AlarmForm", "\"alarm1\"=\"25:99\"",
         "AlarmForm \"alarm1\" is \"25:99\", not a time of day such as 07:30", false,
         [] { EXPECT_EQ(ReadSetting(kAlarm1), ""); }},
        {"AlarmForm", "[HKEY_CURRENT_USER\\software\\VELTRA\\Tickwell\\AlarmForm",
         "line 6: [HKEY_CURRENT_USER\\software\\VELTRA\\Tickwell\\AlarmForm (a key line must "
         "end with ]; the line below it was not read",
         true, [] { EXPECT_EQ(ReadSetting(kAlarm2), ""); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        fs::remove_all(Folder);
        fs::create_directories(File.parent_path());
        Notices.clear();
        const std::string text = std::string("REGEDIT4\n[HKEY_CURRENT_USER\\") + kRegistryRoot +
                                 "\\Options]\n\"MainWindow\"=dword:00000002\n\n"
                                 "[HKEY_CURRENT_USER\\" +
                                 kRegistryRoot + "\\" + c.Section + "]\n" + c.Line +
                                 "\n\"alarm2\"=\"08:15\"\n";
        WriteAll(File, text);
        const auto previous = SetRegistryBackend(std::make_shared<TRegistryFile>(
            File.string(), [this](const std::string& t) { Notices.push_back(t); }));
        c.ReadsDefault();
        EXPECT_EQ(ReadSetting(kMainWindow), 2);
        EXPECT_EQ(TWinRegistry().ReadString(c.Section, "alarm2", ""), c.NextKept ? "08:15" : "");
        ReadSetting(kTrayIcon);
        ASSERT_EQ(Notices.size(), 1u);
        EXPECT_NE(Notices[0].find(c.Told), std::string::npos) << Notices[0];
        EXPECT_EQ(Notices[0].find("Before the settings are next saved") != std::string::npos,
                  c.Copied)
            << Notices[0];
        EXPECT_TRUE(Damaged().empty());

        WriteSetting(kBeep, true);
        WriteSetting(kBeep, false);
        SetRegistryBackend(previous);
        EXPECT_EQ(Notices.size(), 1u) << Notices.back();
        const auto damaged = Damaged();
        ASSERT_EQ(damaged.size(), c.Copied ? 1u : 0u);
        if (c.Copied)
            EXPECT_EQ(ReadAll(damaged[0]), text);
        const std::string saved = ReadAll(File);
        EXPECT_EQ(saved.find(c.Line + std::string("\n")) == std::string::npos, c.Copied) << saved;
        EXPECT_NE(saved.find("\"MainWindow\"=dword:00000002"), std::string::npos) << saved;
    }
}

// Rewritten in place with the same size and times, or removed.
TEST_F(RegistryFileTest, EveryChangeOnDiskIsSeenByTheNextRead) {
    fs::create_directories(File.parent_path());
    WriteAll(File, kSample);
    TRegistryFile reg = Open();
    ASSERT_NE(reg.Load().Find(kOptions, "MainWindow"), nullptr);
    struct stat st;
    ASSERT_EQ(::stat(File.c_str(), &st), 0);
    std::string two = kSample;
    std::fstream(File, std::ios::in | std::ios::out | std::ios::binary)
        << two.replace(two.find("00000001"), 8, "00000002");
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, File.c_str(), times, 0), 0);
    const TRegData data = reg.Load();
    ASSERT_NE(data.Find(kOptions, "MainWindow"), nullptr);
    EXPECT_EQ(data.Find(kOptions, "MainWindow")->Dword, 2u);
    fs::remove(File);
    EXPECT_TRUE(reg.Load().Empty());
}

TEST_F(RegistryFileTest, TheFileIsReadableByItsOwnerOnly) {
    TRegistryFile reg = Open();
    reg.Update([](TRegData& d) { d.Set(kOptions, "Beep", TRegValue::Number(1)); });
    const auto mode = [](const fs::path& p) {
        return fs::status(p).permissions() & fs::perms::all;
    };
    EXPECT_EQ(mode(File), fs::perms::owner_read | fs::perms::owner_write);
    // One made by hand, or by an earlier version, is made private when next written.
    fs::permissions(File, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
    reg.Update([](TRegData& d) { d.Set(kOptions, "Beep", TRegValue::Number(0)); });
    EXPECT_EQ(mode(File), fs::perms::owner_read | fs::perms::owner_write);
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
        writeMany("child"); // an exception ends the child with a failure
        ::_exit(0);
    }
    writeMany("parent");
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    const TRegData data = Open().Load();
    for (int i = 0; i < kEach; ++i)
        for (const char* who : {"child", "parent"})
            EXPECT_NE(data.Find(kOptions, who + std::to_string(i)), nullptr) << who << i;
    EXPECT_TRUE(Notices.empty());
}

} // namespace
