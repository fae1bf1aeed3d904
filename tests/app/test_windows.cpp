#include "app/StartupWindows.h"
#include "app/TickwellApp.h"
#include "core/Messages.h"
#include "ui/WindowState.h"
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TTickwellApplication& App() {
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    // Kept to the end of the process: Qt objects may still refer to it.
    static auto* app = QCoreApplication::instance()
                           ? static_cast<TTickwellApplication*>(QCoreApplication::instance())
                           : new TTickwellApplication(argc, argv);
    return *app;
}

// Runs the message loop until it ends or the time is up; the exit code, or
// -1 when the time ran out.
int RunLoop(int timeoutMs) {
    QTimer::singleShot(timeoutMs, &App(), [] { QCoreApplication::exit(-1); });
    return QCoreApplication::exec();
}

TEST(CreateStartWindows, TheWindowOfTheModeThenTheClock) {
    App();
    // The created windows' letters; the first is the one returned. Without
    // the mode's window its mode opens nothing, and the clock comes first.
    const std::pair<std::uint8_t, const char*> cases[] = {
        {smMain, "MC"}, {smDue, "DC"}, {smCalendar, "KC"}, {smTray, "C"}, {smEnd, "C"}};
    for (const bool haveWindows : {true, false})
        for (const auto& [mode, created] : cases) {
            std::string made;
            std::vector<std::unique_ptr<QWidget>> windows;
            auto maker = [&](char n) {
                return [&, n] {
                    made += n;
                    windows.push_back(std::make_unique<QWidget>());
                    return windows.back().get();
                };
            };
            TStartupWindows w;
            if (haveWindows) {
                w.CreateMainWindow = maker('M');
                w.CreateDueWindow = maker('D');
                w.CreateCalendarWindow = maker('K');
            }
            w.CreateClockWindow = maker('C');
            QWidget* first = CreateStartWindows(mode, w);
            const std::string expected = haveWindows ? created : "C";
            EXPECT_EQ(made, expected) << int(mode);
            EXPECT_EQ(first, windows.front().get()) << int(mode);
        }
}

TEST(ApplicationMainWindow, ClosingItEndsTheProgramClosingAnotherDoesNot) {
    App();
    QWidget main;
    QWidget other;
    main.show();
    other.show();
    App().SetMainWindow(&main);
    QTimer::singleShot(0, &other, [&] { other.close(); });
    EXPECT_EQ(RunLoop(200), -1) << "another window's close goes on";
    QTimer::singleShot(0, &main, [&] { main.close(); });
    EXPECT_EQ(RunLoop(3000), 0);
    App().SetMainWindow(nullptr);
}

// A window whose command fails with the engine's error.
class TFailing : public QObject {
public:
    int Calls = 0;
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) {
            ++Calls;
            throw TTickwellError("Error Saving Events List");
        }
        return QObject::event(e);
    }
};

TEST(TopLevelHandler, AnErrorEndingACommandIsShownAndTheProgramGoesOn) {
    App();
    QTemporaryDir dir;
    const QString log = dir.filePath("messages.log");
    qputenv("TICKWELL_MESSAGE_LOG", log.toLocal8Bit());
    TFailing failing;
    QEvent first(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&failing, &first));
    // Posted events, through the loop, the same.
    QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
    QTimer::singleShot(50, &App(), [] { QCoreApplication::exit(3); });
    EXPECT_EQ(QCoreApplication::exec(), 3);
    qunsetenv("TICKWELL_MESSAGE_LOG");
    EXPECT_EQ(failing.Calls, 2);
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(),
              "[error] Error Saving Events List\n[error] Error Saving Events List\n");
}

} // namespace
