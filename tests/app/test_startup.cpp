#include "../ui/UiTestEnv.h"
#include "app/Startup.h"
#include "app/StartupWindows.h"
#include "store/SettingsSchema.h"
#include <gtest/gtest.h>

namespace {

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        PreviousHandlers = SetMessageHandlers({});
        PreviousRegistry = SetRegistryBackend(nullptr);
        Env.Reset();
        Hooks.SystemMessage = [this](const std::string& t) { SystemMessages.push_back(t); };
    }
    void TearDown() override {
        SetMessageHandlers(PreviousHandlers);
        SetRegistryBackend(PreviousRegistry);
        SetClockSource({});
    }

    // A once-only event that many days from today; due within its 7-day notice.
    void AddEvent(int daysFromToday) { Env.Add(MakeEvent("event", Env.Day + daysFromToday, true)); }
    std::uint8_t Settle(const std::string& arg) { return SettleStartMode(*Env.Book, arg, Hooks); }

    TUiTestEnv Env;
    TStartupHooks Hooks;
    std::vector<std::string> SystemMessages;
    std::shared_ptr<TRegistryBackend> PreviousRegistry;
    TMessageHandlers PreviousHandlers;
};

TEST_F(StartupTest, StartModeFromTheOptionsAndTheFirstArgument) {
    const struct {
        const char* What;
        bool Tray;
        int MainWindow;
        bool OnceDaily;
        int LastRunDaysAgo; // -1: never
        bool Message;
        const char* Argument;
        bool SomethingDue;
        std::uint8_t Expected;
    } cases[] = {
        {"MainWindow 1, something due", false, 1, false, -1, true, "", true, smDue},
        {"MainWindow 1, nothing due", false, 1, false, -1, true, "", false, smMain},
        {"MainWindow 2", false, 2, false, -1, true, "", false, smCalendar},
        {"MainWindow 7", false, 7, false, -1, true, "", true, smTray},
        {"TrayIcon beats MainWindow", true, 2, false, -1, true, "", false, smTray},
        {"TrayIcon with /m", true, 0, false, -1, true, "/m", false, smMain},
        {"/t", false, 0, false, -1, true, "/t", true, smTray},
        {"/q in tray mode, something due", true, 0, false, -1, true, "/q", true, smDue},
        {"/q, nothing due", false, 0, false, -1, true, "/q", false, smEnd},
        {"/q, nothing due, no message", false, 0, false, -1, false, "/q", false, smEnd},
        {"/q, OnceDaily, ran today", false, 0, true, 0, true, "/q", true, smEnd},
        {"/q, OnceDaily, ran yesterday", false, 0, true, 1, true, "/q", true, smDue},
        {"/q, LastRun today, OnceDaily off", false, 0, false, 0, true, "/q", true, smDue},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        Env.Reset();
        WriteSetting(kTrayIcon, c.Tray);
        WriteSetting(kMainWindow, c.MainWindow);
        WriteSetting(kOnceDaily, c.OnceDaily);
        WriteSetting(kShowNoEventsMsg, c.Message);
        if (c.LastRunDaysAgo >= 0)
            WriteSetting(kLastRun, Env.Day - c.LastRunDaysAgo);
        AddEvent(100);
        if (c.SomethingDue)
            AddEvent(3);
        SystemMessages.clear();
        EXPECT_EQ(Settle(c.Argument), c.Expected);
        EXPECT_EQ(SystemMessages.size(), c.Message && !c.SomethingDue && c.Expected == smEnd);
        EXPECT_TRUE(Env.Notices.empty()) << "start-up's box is not one of the message routines";
    }
}

TEST_F(StartupTest, AValueThatCannotBeReadIsToldAndItsDefaultUsedWhileTheRestIsRead) {
    RegistryBackend()->Update([&](TRegData& d) {
        d.Set(std::string(kRegistryRoot) + "\\Options", "ShowNoEventsMsg", TRegValue::String("1"));
        d.Set(std::string(kRegistryRoot) + "\\Options", "TrayIcon", TRegValue::Number(1));
    });
    EXPECT_EQ(Settle("/q"), smEnd);
    ASSERT_EQ(Env.Notices.size(), 1u);
    EXPECT_NE(Env.Notices[0].first.find("\"ShowNoEventsMsg\""), std::string::npos);
    EXPECT_EQ(SystemMessages.size(), 1u) << "its default, on";
    EXPECT_EQ(Settle(""), smTray) << "the options after it are read";
}

TEST_F(StartupTest, RunStartupRoutineKeepsTheFirstArgument) {
    EXPECT_EQ(RunStartupRoutine(*Env.Book, "/z", "/nonexistent", Hooks), smMain);
    EXPECT_EQ(FirstArgument, "/z");
    FirstArgument.clear();
}

} // namespace
