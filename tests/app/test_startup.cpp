#include "app/Startup.h"
#include "app/StartupWindows.h"
#include "core/Clock.h"
#include "core/EventLists.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "store/DataFile.h"
#include "store/Registry.h"
#include "store/SettingsSchema.h"
#include "ui/WindowState.h"
#include <QWidget>
#include <filesystem>
#include <gtest/gtest.h>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr TDateTime kToday = 45000;

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        PreviousRegistry = SetRegistryBackend(std::make_shared<TMemoryRegistry>());
        FixToday(kToday);
        CreateEventLists();
        PreviousHandlers = SetMessageHandlers(
            {[this](const std::string& t, TMsgKind k) { Shown.emplace_back(t, k); },
             [](const std::string&) { return anCancel; },
             [](const std::string&) { return anCancel; }, [] {}, [] {}});
        Hooks.SystemMessage = [this](const std::string& t) { SystemMessages.push_back(t); };
        Hooks.ErrorBox = [this](const std::string& t) { Errors.push_back(t); };
    }
    void TearDown() override {
        FreeEventLists();
        SetMessageHandlers(PreviousHandlers);
        SetRegistryBackend(PreviousRegistry);
        SetClockSource({});
    }

    // A once-only event that many days from today; due within its 7-day notice.
    void AddEvent(int daysFromToday) {
        EventRecord rec;
        DefaultRecord(rec);
        rec.SetDescription("event");
        rec.StartDate = kToday + daysFromToday;
        MasterList->AddSorted(new TTickwellItem(rec));
    }
    std::uint8_t Settle(const std::string& arg) { return SettleStartMode(arg, "/data", Hooks); }

    TStartupHooks Hooks;
    std::vector<std::string> SystemMessages;
    std::vector<std::string> Errors;
    std::vector<std::pair<std::string, TMsgKind>> Shown;
    std::shared_ptr<TRegistryBackend> PreviousRegistry;
    TMessageHandlers PreviousHandlers;
};

using TSettings = std::function<void(TWinRegistry&)>;

TEST_F(StartupTest, StartModeFromTheOptionsAndTheFirstArgument) {
    auto none = [](TWinRegistry&) {};
    auto set = [](auto setting, auto value) -> TSettings {
        return [=](TWinRegistry& r) { WriteSetting(r, setting, value); };
    };
    auto both = [](TSettings a, TSettings b) -> TSettings {
        return [=](TWinRegistry& r) { a(r), b(r); };
    };
    const TSettings tray = set(kTrayIcon, true), onceDaily = set(kOnceDaily, true);
    const struct {
        const char* What;
        TSettings Settings;
        const char* Argument;
        bool SomethingDue;
        std::uint8_t Expected;
        bool NoEventsBox;
    } cases[] = {
        {"no settings at all", none, "", false, smMain, false},
        {"MainWindow 1, something due", set(kMainWindow, 1), "", true, smDue, false},
        {"MainWindow 1, nothing due", set(kMainWindow, 1), "", false, smMain, false},
        {"MainWindow 2", set(kMainWindow, 2), "", false, smCalendar, false},
        {"MainWindow 7", set(kMainWindow, 7), "", true, smTray, false},
        {"TrayIcon beats MainWindow", both(tray, set(kMainWindow, 2)), "", false, smTray, false},
        {"TrayIcon with /m", tray, "/m", false, smMain, false},
        {"/t", none, "/t", true, smTray, false},
        {"/q in tray mode, something due", tray, "/q", true, smDue, false},
        {"/q, nothing due", none, "/q", false, smEnd, true},
        {"/q, nothing due, no message", set(kShowNoEventsMsg, false), "/q", false, smEnd, false},
        {"/q, OnceDaily, ran today", both(onceDaily, set(kLastRun, kToday)), "/q", true, smEnd,
         false},
        {"/q, OnceDaily, ran yesterday", both(onceDaily, set(kLastRun, kToday - 1)), "/q", true,
         smDue, false},
        {"/q, OnceDaily, LastRun later today", both(onceDaily, set(kLastRun, kToday + 0.5)), "/q",
         true, smDue, false},
        {"/q, LastRun today, OnceDaily off", set(kLastRun, kToday), "/q", true, smDue, false},
        {"switches are case-sensitive", set(kMainWindow, 2), "/Q", false, smCalendar, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        SetRegistryBackend(std::make_shared<TMemoryRegistry>());
        TWinRegistry reg;
        c.Settings(reg);
        CreateEventLists();
        AddEvent(100);
        if (c.SomethingDue)
            AddEvent(3);
        SystemMessages.clear();
        EXPECT_EQ(Settle(c.Argument), c.Expected);
        EXPECT_EQ(SystemMessages.size(), c.NoEventsBox ? 1u : 0u);
        EXPECT_TRUE(Shown.empty()) << "start-up's box is not one of the message routines";
    }
}

// The due list is filled when the due-events window opens.
TEST_F(StartupTest, TheDueListIsFilledWhenTheDueWindowOpens) {
    AddEvent(100);
    AddEvent(2);
    AddEvent(0);
    EXPECT_EQ(Settle("/q"), smDue);
    EXPECT_EQ(DueList->Count(), 2);
}

// The backup folder loses one trailing slash; a root folder keeps its own.
TEST_F(StartupTest, BackupFolder) {
    Settle("");
    EXPECT_EQ(BackupDest, "/data") << "defaults to the data folder";
    const std::pair<const char*, const char*> folders[] = {
        {"/media/usb/", "/media/usb"}, {"/media/usb//", "/media/usb/"}, {"/", "/"}, {"", ""}};
    for (const auto& [stored, expected] : folders) {
        TWinRegistry reg;
        WriteSetting(reg, kBackupDest, stored);
        Settle("");
        EXPECT_EQ(BackupDest, expected) << stored;
    }
}

TEST_F(StartupTest, AValueThatCannotBeReadIsToldAndItsDefaultUsedWhileTheRestIsRead) {
    const std::string options = std::string(kRegistryRoot) + "\\Options";
    const struct {
        const char* Name;
        const char* Argument;
        std::uint8_t Expected;
        size_t NoEventsBoxes;
    } cases[] = {
        {"MainWindow", "", smMain, 0},
        {"OnceDaily", "/q", smEnd, 1},
        {"ShowNoEventsMsg", "/q", smEnd, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        SetRegistryBackend(std::make_shared<TMemoryRegistry>());
        RegistryBackend()->Update([&](TRegData& d) {
            d.Set(options, c.Name, TRegValue::String("1"));
            d.Set(options, "Beep", TRegValue::Number(1));
        });
        Beep = false;
        Shown.clear();
        SystemMessages.clear();
        EXPECT_EQ(Settle(c.Argument), c.Expected);
        ASSERT_EQ(Shown.size(), 1u);
        EXPECT_NE(Shown[0].first.find(std::string("\"") + c.Name + "\""), std::string::npos);
        EXPECT_EQ(SystemMessages.size(), c.NoEventsBoxes);
        EXPECT_TRUE(Beep) << "the options after it are read";
    }
    Beep = false;
}

class DataFolderTest : public StartupTest {
protected:
    void SetUp() override {
        StartupTest::SetUp();
        Folder = fs::temp_directory_path() /
                 ("tw-startup-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Folder);
        fs::create_directories(Folder);
        File = (Folder / "tickwell.dat").string();
    }
    void TearDown() override {
        fs::remove_all(Folder);
        StartupTest::TearDown();
    }
    fs::path Folder;
    std::string File;
};

TEST_F(DataFolderTest, RunStartupRoutineKeepsTheFirstArgument) {
    AddEvent(3);
    SaveEvents(*MasterList, File);
    EXPECT_EQ(RunStartupRoutine("/z", Folder.string(), Hooks), smMain);
    EXPECT_EQ(FirstArgument, "/z");
    EXPECT_EQ(RunStartupRoutine("/q", Folder.string(), Hooks), smDue);
    EXPECT_EQ(StartMode, smDue);
    EXPECT_EQ(MasterList->Count(), 1) << "the lists are made anew";
    StartMode = smMain;
    FirstArgument.clear();
}

} // namespace
