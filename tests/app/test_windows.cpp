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
    // The created windows' letters; the first is the one returned.
    const std::pair<std::uint8_t, const char*> cases[] = {
        {smMain, "MC"}, {smDue, "DC"}, {smCalendar, "KC"}, {smTray, "C"}, {smEnd, "C"}};
    for (const auto& [mode, created] : cases) {
        std::string made;
        std::vector<std::unique_ptr<QWidget>> windows;
        auto maker = [&](char n) {
            return [&, n] {
                made += n;
                return windows.emplace_back(std::make_unique<QWidget>()).get();
            };
        };
        const TStartupWindows w{maker('M'), maker('D'), maker('K'), maker('C')};
        QWidget* first = CreateStartWindows(mode, w);
        EXPECT_EQ(made, created) << int(mode);
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
    EXPECT_EQ(RunLoop(60000), 0);
    App().SetMainWindow(nullptr);
}

// A window whose command fails with the engine's error.
class TFailing : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User)
            throw TTickwellError("Error Saving Events List");
        return QObject::event(e);
    }
};

TEST(TopLevelHandler, AnErrorEndingACommandIsShownAndTheProgramGoesOn) {
    App();
    QTemporaryDir dir;
    const QString log = dir.filePath("messages.log");
    qputenv("TICKWELL_MESSAGE_LOG", log.toLocal8Bit());
    TFailing failing;
    QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
    EXPECT_EQ(RunLoop(50), -1);
    qunsetenv("TICKWELL_MESSAGE_LOG");
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(), "[error] Error Saving Events List\n");
}

} // namespace
