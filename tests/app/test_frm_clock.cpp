// The clock window with its tray menu, the schedule alarms, and the change of
// day with its count-down alert. Time is test time: the clock stands still
// and the timers tick only as a test moves it on.
#include "UiTestEnv.h"
#include "app/Controller.h"
#include "app/FrmClock.h"
#include "app/TrayIcon.h"
#include "platform/Locale.h"
#include "store/SettingsSchema.h"
#include "ui/FrmAlert.h"
#include "ui/FrmScan.h"
#include "ui/TickTimer.h"
#include <QDBusConnection>
#include <QDBusMessage>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QToolButton>

// Stands in for the desktop's notification server.
class TFakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList Capabilities;
    QStringList Texts;
    QStringList Actions;
    QList<uint> Replaced;
public slots:
    QStringList GetCapabilities() { return Capabilities; }
    uint Notify(const QString&, uint replaces, const QString&, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap&, int) {
        Texts << summary + "|" + body;
        Actions = actions;
        Replaced << replaces;
        return 7;
    }
};

class TestFrmClock : public QObject {
    Q_OBJECT
    TUiTestEnv Env;
    // One session bus for the whole run: the program keeps its first.
    QProcess Bus;
    QString BusAddress;
    TFakeNotifications Fake;
    TTickwellItem* Plants = nullptr;
    bool TrayUp = true;
    std::unique_ptr<TController> App;

    TDateTime At(int day, int h, int m, int s) const {
        return Env.Day + day + ((h * 60 + m) * 60 + s) / 86400.0;
    }
    TController* Start(TDateTime moment, bool tray = true) {
        BeginTestTime(moment);
        StartMode = smTray;
        TrayUp = tray;
        App = std::make_unique<TController>(*Env.Events, [this] { return TrayUp; });
        App->Start();
        return App.get();
    }
    // A signal on the test's bus, as the desktop's services send them.
    static bool Signal(const char* path, const char* interface, const char* name,
                       const QVariantList& arguments) {
        QDBusMessage signal = QDBusMessage::createSignal(path, interface, name);
        signal.setArguments(arguments);
        return QDBusConnection("fake-server").send(signal);
    }
    QStringList DueRows() const {
        QStringList rows;
        const QAbstractItemModel* m = ScanFrm ? ScanFrm->ScanListView->model() : nullptr;
        for (int i = 0; m && i < m->rowCount(); ++i)
            rows << m->index(i, 0).data().toString() + " " + m->index(i, 2).data().toString();
        return rows;
    }
    // A kept daily event acknowledged today (due again tomorrow), and a
    // dentist's appointment tomorrow (coming today, due tomorrow).
    void AddNightEvents() {
        Plants = MakeEvent("Water plants", Env.Day - 5, false, 0, 1, 0, true);
        Plants->AckDate = Env.Day;
        Env.Add(Plants);
        Env.Add(MakeEvent("Dentist", Env.Day + 1, true));
    }

private slots:
    void initTestCase() {
        Bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        if (!Bus.waitForReadyRead(5000))
            return;
        BusAddress = QString::fromUtf8(Bus.readLine()).trimmed();
        QDBusConnection server = QDBusConnection::connectToBus(BusAddress, "fake-server");
        if (!server.registerService("org.freedesktop.Notifications") ||
            !server.registerObject("/org/freedesktop/Notifications", &Fake,
                                   QDBusConnection::ExportAllSlots))
            BusAddress.clear();
        qputenv("DBUS_SESSION_BUS_ADDRESS", BusAddress.toUtf8());
    }
    void cleanupTestCase() {
        Bus.kill();
        Bus.waitForFinished();
    }
    void init() {
        Env.Reset();
        WriteSetting(kNoTrayTold, true);
        WriteSetting(kTrayWindow, 3); // nothing but the tray at start
    }
    void cleanup() {
        App.reset(); // with its tray icon, before the tray's own window
        for (QWidget* w : QApplication::topLevelWidgets())
            w->deleteLater();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EndTestTime();
    }

    // Midnight with the due-events window open: the alert counts down, then
    // brings it up to date. Cancelled, the window stays as it was, but the
    // next list is the new day's.
    void MidnightPasses_data() {
        QTest::addColumn<QString>("answer");
        QTest::newRow("counted down") << "";
        QTest::newRow("Cancel") << "Cancel";
    }
    void MidnightPasses() {
        QFETCH(QString, answer);
        AddNightEvents();
        TController* app = Start(At(0, 23, 59, 59));
        ChooseFromMenu(app->Tray()->Menu(), app->Tray()->DueWindowAction);
        const QStringList before = DueRows();
        AdvanceTestTime(1000);
        QVERIFY(MidnightFrm && MidnightFrm->isVisible());
        if (answer == "Cancel")
            QTest::keyClick(MidnightFrm, Qt::Key_Escape);
        else
            AdvanceTestTime(60000);
        QVERIFY(!MidnightFrm);
        if (answer == "Cancel") {
            QCOMPARE(DueRows(), before);
            ChooseFromMenu(app->Tray()->Menu(), app->Tray()->DueWindowAction);
            QCOMPARE(Env.Book->DueList.Count(), 2);
            return;
        }
        QCOMPARE(before, QStringList{"Dentist 1"});
        QCOMPARE(DueRows(), (QStringList{"Water plants 0", "Dentist 0"}));
    }

    // A command in the same second as midnight, before the tick has seen it,
    // still lists and acknowledges the new day's occurrence: an event
    // acknowledged yesterday is not shown as past its end, and acknowledging
    // it stores today's date.
    void ACommandBeforeTheTickSeesTheNewDay() {
        AddNightEvents();
        TController* app = Start(At(0, 23, 59, 59));
        JumpTestTime(At(1, 0, 0, 0));
        ChooseFromMenu(app->Tray()->Menu(), app->Tray()->DueWindowAction);
        QCOMPARE(DueRows(), (QStringList{"Water plants 0", "Dentist 0"}));
        QVERIFY(ClickRow(ScanFrm->ScanListView, "Water plants"));
        QTest::keyClick(ScanFrm->ScanListView, Qt::Key_K, Qt::AltModifier);
        QCOMPARE(Plants->AckDate, Env.Day + 1);
    }

    // A schedule time missed while the computer slept, or already past when
    // armed, waits for the next day; a text that is no time is off. Nothing
    // is due: a schedule time tells so in a notice.
    void AlarmsFireAtTheirMinute_data() {
        QTest::addColumn<QString>("time");
        QTest::addColumn<int>("startSecond");
        QTest::addColumn<int>("wakeSecond"); // -1: no sleep
        QTest::addColumn<int>("tomorrow");
        const int t0930 = 9 * 3600 + 30 * 60;
        QTest::newRow("asleep over it") << "09:30" << t0930 - 600 << t0930 + 3600 << 1;
        QTest::newRow("armed in its minute") << "09:30" << t0930 + 20 << -1 << 1;
        QTest::newRow("not a time") << "9h30" << t0930 - 3 << -1 << 0;
    }
    void AlarmsFireAtTheirMinute() {
        QFETCH(QString, time);
        QFETCH(int, startSecond);
        QFETCH(int, wakeSecond);
        QFETCH(int, tomorrow);
        WriteSetting(kAlarm1, time.toStdString());
        Start(At(0, 0, 0, startSecond));
        AdvanceTestTime(2000);
        if (wakeSecond >= 0)
            JumpTestTime(At(0, 0, 0, wakeSecond));
        AdvanceTestTime(8000);
        QCOMPARE(int(Env.Notices.size()), 0);
        JumpTestTime(At(1, 9, 29, 57));
        AdvanceTestTime(8000);
        QCOMPARE(int(Env.Notices.size()), tomorrow);
    }

    // A schedule time that brings up due events also tells the desktop,
    // with the first lines of the events' texts. A server that shows
    // buttons gets Acknowledge and Snooze, which act on every event listed
    // and save; a snoozed event comes back at the end of the snooze, in a
    // notification that replaces the one before.
    void ScheduleSendsADesktopNotification_data() {
        QTest::addColumn<QStringList>("capabilities");
        QTest::addColumn<QString>("action"); // empty: none invoked
        QTest::newRow("no buttons") << QStringList{"body"} << "";
        QTest::newRow("Acknowledge") << QStringList{"actions", "body"} << "acknowledge";
        QTest::newRow("Snooze") << QStringList{"actions"} << "snooze";
    }
    void ScheduleSendsADesktopNotification() {
        QFETCH(QStringList, capabilities);
        QFETCH(QString, action);
        if (BusAddress.isEmpty())
            QSKIP("no dbus-daemon");
        Fake.Texts.clear();
        Fake.Replaced.clear();
        Fake.Capabilities = capabilities;
        Env.Add(MakeEvent("Pay rent\r\nto the landlord", Env.Day, true, 0, 1, 7, true));
        for (const char* text : {"Bins", "Gym", "Post", "Shop", "Call mum"})
            Env.Add(MakeEvent(text, Env.Day + 1, true));
        WriteSetting(kAlarm2, std::string("09:30"));
        WriteSetting(kSnoozeMinutes, 15);
        Start(At(0, 9, 29, 58));
        AdvanceTestTime(3000);
        QTRY_COMPARE(Fake.Texts.size(), 1);
        QCOMPARE(Fake.Texts[0], "6 events due|Pay rent\nBins\nGym\nPost\nShop\nand 1 more");
        const QStringList buttons =
            action.isEmpty()
                ? QStringList{"default", "Show"}
                : QStringList{"default", "Show", "acknowledge", "Acknowledge", "snooze", "Snooze"};
        QCOMPARE(Fake.Actions, buttons);
        if (action.isEmpty())
            return;
        QCOMPARE(DueRows().size(), 6);
        QVERIFY(Signal("/org/freedesktop/Notifications", "org.freedesktop.Notifications",
                       "ActionInvoked", {7u, action}));
        QTRY_COMPARE(DueRows(), QStringList{});
        if (action == "acknowledge") {
            QProcess cli;
            cli.start(TICKWELL_CLI_PATH, {"list", "--json"});
            QVERIFY(cli.waitForFinished(20000));
            // Each for the occurrence it was listed for: today's, tomorrow's.
            const QString listed = cli.readAllStandardOutput();
            QCOMPARE(listed.count("\"ackDate\":\"2026-03-10\""), 1);
            QCOMPARE(listed.count("\"ackDate\":\"2026-03-11\""), 5);
            return;
        }
        JumpTestTime(At(0, 9, 45, 30));
        AdvanceTestTime(1000);
        QCOMPARE(DueRows().size(), 6);
        QTRY_COMPARE(Fake.Replaced, (QList<uint>{0, 7}));
    }

    // Woken from a sleep across two schedule times, the due events come up
    // once, at once, and neither time comes round again that day.
    void AScheduleTimeMissedAsleepShowsOnceOnWaking() {
        if (BusAddress.isEmpty())
            QSKIP("no dbus-daemon");
        qputenv("TICKWELL_LOGIND_BUS", BusAddress.toUtf8());
        WriteSetting(kAlarm0, std::string("09:30"));
        WriteSetting(kAlarm1, std::string("10:30"));
        Start(At(0, 9, 0, 0));
        qunsetenv("TICKWELL_LOGIND_BUS");
        AdvanceTestTime(2000);
        JumpTestTime(At(0, 11, 0, 0));
        QVERIFY(Signal("/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                       "PrepareForSleep", {false}));
        QTRY_COMPARE(Env.Notices.size(), size_t(1));
        AdvanceTestTime(10000);
        QCOMPARE(Env.Notices.size(), size_t(1));
    }

    // Without a tray at start the desktop clock stands in and says so once;
    // its menu and a tray coming later take the path of a tray that goes
    // and comes back, below.
    void NoTrayOnTheDesktop() {
        WriteSetting(kNoTrayTold, false);
        for (int run = 0; run < 2; ++run) {
            const TController* app = Start(At(0, 12, 0, 0), false);
            QCoreApplication::processEvents();
            QCOMPARE(Env.Notices.size(), size_t(1));
            QVERIFY(app->Clock()->isVisible() && !app->Tray()->Icon()->isVisible());
            App.reset();
        }
    }

    // A start in the tray opens the window its options choose: the main
    // window by default, nothing but the icon with "None ( minimized )". A
    // clock shown at start-up has the date in the locale's order with a
    // two-digit year, or the year in full where the locale has no numeric
    // date (C); it fits the clock.
    void AStartInTheTray_data() {
        QTest::addColumn<int>("trayWindow");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("dateLine"); // empty: no clock shown
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("the defaults") << int(kTrayWindow.Default) << us << "";
        QTest::newRow("None ( minimized )") << 3 << us << "";
        QTest::newRow("clock, en_US") << 3 << us << "Tue 03/10/26";
        QTest::newRow("clock, C") << 3 << QLocale::c() << "Tue 2026-03-10";
    }
    void AStartInTheTray() {
        QFETCH(int, trayWindow);
        QFETCH(QLocale, locale);
        QFETCH(QString, dateLine);
        WriteSetting(kTrayWindow, trayWindow);
        WriteSetting(kShowClock, !dateLine.isEmpty());
        SetFormatSettings(LocaleFormatSettings(locale));
        const TController* app = Start(At(0, 12, 0, 0));
        QCOMPARE(MainLinks().Window && MainLinks().Window->isVisible(), trayWindow != 3);
        QCOMPARE(app->Clock()->isVisible(), !dateLine.isEmpty());
        QVERIFY(app->Tray()->Icon()->isVisible());
        if (!dateLine.isEmpty()) {
            QCOMPARE(app->Clock()->DateLabel->text(), dateLine);
            QVERIFY(app->Clock()->DateLabel->fontMetrics().horizontalAdvance(dateLine) <=
                    app->Clock()->DateLabel->width());
        }
    }

    // A tray that goes away while the program runs (its panel ended): the
    // desktop clock stands in with the tray's menu, also while the schedule
    // is suspended; when the tray is back, so is the icon, and the clock is
    // as it was before.
    void TheTrayGoesAndComesBack_data() {
        QTest::addColumn<bool>("clockShown");
        QTest::addColumn<bool>("suspended");
        QTest::newRow("desktop clock shown") << true << false;
        QTest::newRow("schedule suspended") << false << true;
    }
    void TheTrayGoesAndComesBack() {
        QFETCH(bool, clockShown);
        QFETCH(bool, suspended);
        TController* app = Start(At(0, 12, 0, 0));
        if (clockShown)
            ChooseFromMenu(app->Tray()->Menu(), app->Tray()->DesktopClockAction);
        if (suspended)
            ChooseFromMenu(app->Tray()->Menu(), app->Tray()->SuspendAction);
        TrayUp = false;
        AdvanceTestTime(1000);
        QVERIFY(app->Clock()->isVisible() && !app->Tray()->Icon()->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(app->Clock()));
        QTest::mousePress(app->Clock()->windowHandle(), Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(app->Clock()->ClockMenu()->isVisible());
        ChooseFromMenu(app->Clock()->ClockMenu(), app->Tray()->MainWindowAction);
        QVERIFY(MainLinks().Window && MainLinks().Window->isVisible());
        TrayUp = true;
        AdvanceTestTime(1000);
        QVERIFY(app->Tray()->Icon()->isVisible());
        QCOMPARE(app->Clock()->isVisible(), clockShown);
        QVERIFY(!app->Clock()->ClockMenu()->actions().contains(app->Tray()->MainWindowAction));
    }
};

QTEST_MAIN(TestFrmClock)
#include "test_frm_clock.moc"
