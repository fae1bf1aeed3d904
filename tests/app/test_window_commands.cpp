// The tray's "show the due events": a window when something is due, the
// notice (or the main window's status text) when nothing is.
#include "app/TickwellApp.h"
#include "app/WindowCommands.h"
#include "core/Clock.h"
#include "core/EventLists.h"
#include "core/Globals.h"
#include "core/HalvaneDates.h"
#include "core/Messages.h"
#include "ui/FrmScan.h"
#include "ui/WindowLinks.h"
#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void EnsureApp() {
    static int argc = 1;
    static char name[] = "window_commands";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr)
        new TTickwellApplication(argc, argv);
}

class ShowDueWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApp();
        ASSERT_TRUE(home.isValid());
        qputenv("TICKWELL_HOME", home.path().toUtf8());
        FixToday(EncodeDate(2025, 3, 1));
        master.FileName = (home.path() + "/tickwell.dat").toStdString();
        MasterList = &master;
        DueList = &due;
        old = SetMessageHandlers({[this](const std::string& t, TMsgKind) { shown.push_back(t); },
                                  [](const std::string&) { return anCancel; },
                                  [](const std::string&) { return anCancel; }, nullptr, nullptr});
    }
    void TearDown() override {
        delete ScanFrm;
        SetMessageHandlers(old);
        master.FreeAll();
        MasterList = nullptr;
        DueList = nullptr;
        ShowNoEventsMsg = true;
        SetClockSource({});
    }
    void AddOnce(double day) {
        EventRecord r;
        r.Simple = 1;
        r.StartDate = r.EndDate = day;
        r.NoticePeriod = 7;
        master.AddSorted(new TTickwellItem(r));
    }

    QTemporaryDir home;
    TMyList master;
    TScanList due;
    TMessageHandlers old;
    std::vector<std::string> shown;
};

// Nothing due: the notice once the command has returned (so that the tray
// menu is gone), or the main window's status text with the notice off;
// something due: the window.
TEST_F(ShowDueWindowTest, WindowNoticeOrStatusText) {
    std::string status;
    MainLinks().ShowStatusText = [&](const char* t) { status = t; };
    for (const bool notice : {true, false}) {
        ShowNoEventsMsg = notice;
        shown.clear();
        ShowDueWindow();
        EXPECT_TRUE(shown.empty());
        QCoreApplication::processEvents();
        EXPECT_EQ(shown, std::vector<std::string>(notice, "There are No Events Due"));
        if (!notice)
            EXPECT_EQ(status, "There are No Events Due");
        EXPECT_EQ(ScanFrm, nullptr);
    }
    MainLinks().ShowStatusText = nullptr;
    AddOnce(EncodeDate(2025, 3, 2));
    ShowDueWindow();
    ASSERT_NE(ScanFrm, nullptr);
    EXPECT_TRUE(ScanFrm->isVisible());
    EXPECT_EQ(due.Count(), 1);
}

} // namespace
