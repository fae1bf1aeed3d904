// The options dialog, opened as a user opens it, with the clock window and
// the other windows running: what OK writes (the sync folder too), the tray
// confirmation, the schedule, the filters and the start-up link taking
// effect at once.
#include "UiTestEnv.h"
#include "app/Controller.h"
#include "app/TrayIcon.h"
#include "core/Snooze.h"
#include "store/SettingsSchema.h"
#include "ui/FileDialogs.h"
#include "ui/FrmCal.h"
#include "ui/FrmMain.h"
#include "ui/FrmMsg.h"
#include "ui/FrmOptn.h"
#include "ui/FrmScan.h"
#include "ui/FrmTimeEd.h"
#include "ui/TickTimer.h"
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QToolButton>

class TestFrmOptn : public QObject {
    Q_OBJECT
    TUiTestEnv Env;
    std::unique_ptr<TController> App;

    QString LinkPath() const { return Env.Home.path() + "/config/autostart/tickwell.desktop"; }
    static QString Own() { return QCoreApplication::applicationFilePath(); }

    void Start(std::uint8_t mode, double hours = 12) {
        BeginTestTime(Env.Day + hours / 24);
        StartMode = mode;
        App = std::make_unique<TController>(*Env.Events, [] { return true; });
        App->Start();
    }
    void Choose(QAction* entry) { ChooseFromMenu(App->Tray()->Menu(), entry); }
    // Turns to the page that holds the control, by its tab, and presses it.
    static void PressOnItsPage(TOptionDlg& dlg, QWidget* control) {
        for (QWidget* w = control; w; w = w->parentWidget())
            if (const int page = dlg.PageTabs->indexOf(w); page >= 0)
                QTest::mouseClick(dlg.PageTabs->tabBar(), Qt::LeftButton, {},
                                  dlg.PageTabs->tabBar()->tabRect(page).center());
        Press(control);
    }
    static std::int32_t StoredOption(const char* name) {
        return TWinRegistry().ReadInteger("Options", name, -1);
    }

private slots:
    void init() {
        Env.Reset();
        qputenv("XDG_CONFIG_HOME", (Env.Home.path() + "/config").toLocal8Bit());
        QFile::remove(LinkPath());
        WriteSetting(kNoTrayTold, true);
    }
    void cleanup() {
        App.reset();
        SetFileDialogs({});
        for (QWidget* w : QApplication::topLevelWidgets())
            w->deleteLater();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EndTestTime();
    }

    // A value that cannot be read keeps its page from being changed or
    // written; the other pages are saved as usual.
    void AnUnreadablePageIsLeftAsItWas() {
        TWinRegistry().WriteString("Options", "Beep", "yes");
        Start(smMain);
        WithDialog<TOptionDlg>([this] { Choose(App->Tray()->OptionsAction); },
                               [](TOptionDlg& dlg) {
                                   QVERIFY(
                                       !dlg.PageTabs->widget(TOptionDlg::pgGeneral)->isEnabled());
                                   PressOnItsPage(dlg, dlg.DfltKeepFlag);
                                   QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
                               });
        const QString told = QString::fromStdString(Env.LastNotice());
        QVERIFY2(told.contains("\"Beep\"") && told.contains("\"General\""), qPrintable(told));
        QCOMPARE(StoredOption("DfltKeepFlag"), 0);
        QCOMPARE(TWinRegistry().ReadString("Options", "Beep", ""), std::string("yes"));
        QVERIFY(!TWinRegistry().ValueExists("Options", "AutoBackup"));
    }

    // A tray choice unlike this run's is asked about; Cancel there keeps the
    // options open and writes nothing.
    void TrayChoiceIsConfirmed() {
        WriteSetting(kTrayIcon, true);
        WriteSetting(kTrayWindow, 3);
        Start(smTray);
        WithDialog<TOptionDlg>([this] { Choose(App->Tray()->OptionsAction); },
                               [&](TOptionDlg& dlg) {
                                   PressOnItsPage(dlg, dlg.NoTrayRad);
                                   WhenUp<TMsgDlg>([](TMsgDlg& msg) {
                                       QTest::mouseClick(msg.CancelBtn, Qt::LeftButton);
                                   });
                                   QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
                                   QVERIFY(dlg.isVisible()); // asked, and kept open
                                   QTest::mouseClick(dlg.CancelBtn, Qt::LeftButton);
                               });
        QCOMPARE(StoredOption("TrayIcon"), 1);
    }

    // OK arms and stops the schedule at once, from the time editor's time;
    // a suspended schedule stays quiet until Resume.
    void ScheduleTakesEffectAtOnce_data() {
        QTest::addColumn<bool>("suspended");
        QTest::newRow("running") << false;
        QTest::newRow("suspended") << true;
    }
    void ScheduleTakesEffectAtOnce() {
        QFETCH(bool, suspended);
        WriteSetting(kTrayIcon, true);
        WriteSetting(kTrayWindow, 3);
        WriteSetting(kAlarm0, std::string("09:30"));
        WriteSetting(kAlarm2, std::string("07:30"));
        Start(smTray, 9 + 29 / 60.0);
        if (suspended)
            Choose(App->Tray()->SuspendAction);
        WithDialog<TOptionDlg>(
            [this] { Choose(App->Tray()->ScheduleAction); },
            [&](TOptionDlg& dlg) {
                Press(dlg.A[0]);
                WhenUp<TTimeFrm>([&](TTimeFrm& time) {
                    for (QToolButton* b : {time.HourUpBtn, time.HourUpBtn, time.MinuteUpBtn})
                        QTest::mouseClick(b, Qt::LeftButton);
                    QTest::mouseClick(time.OkBtn, Qt::LeftButton);
                });
                QTest::mouseClick(dlg.ABtn[2], Qt::LeftButton);
                QTest::keyClicks(dlg.SnoozeCombo, "Until");
                QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
            });
        QCOMPARE(ReadSetting(kSnoozeMinutes), kSnoozeUntilTomorrow);
        AdvanceTestTime(75 * 1000); // past 09:30
        QCOMPARE(Env.Notices.size(), size_t(0));
        AdvanceTestTime(60 * 1000); // past 09:31
        QCOMPARE(Env.Notices.size(), size_t(suspended ? 0 : 1));
    }

    // What the dialog writes reaches every open window, which follows the
    // settings it uses; the dialog calls none of them. OK keeps the stored
    // values its controls cannot show; the past-events box shows the open
    // list's filter, not the stored value.
    void AnOptionsChangeReachesEveryOpenWindow() {
        TWinRegistry().WriteInteger("Options", "DfltEventType", 9);
        TWinRegistry().WriteInteger("Options", "MainWindow", 7);
        TWinRegistry().WriteInteger("Options", "FilterPast", 1);
        Env.Add(MakeEvent("Old dentist", Env.Day - 10, true));
        Env.Add(MakeEvent("Kept bill", Env.Day - 40, false, 2, 1, 3, true));
        Env.Add(MakeEvent("Tomorrow", Env.Day + 1, true));
        Start(smMain);
        Choose(App->Tray()->DueWindowAction);
        Choose(App->Tray()->CalendarAction);
        auto* main = qobject_cast<TMainFrm*>(MainLinks().Window);
        QVERIFY(CalFrm);
        QCOMPARE(main->ListView()->model()->rowCount(), 3);
        QCOMPARE(ScanFrm->ScanListView->model()->rowCount(), 2);
        const bool sunday = CalFrm->SundayStartsWeek();
        const bool sound = ScanFrm->EnableSoundAction->isChecked();
        QVERIFY(Activate(main));
        QWidget* options =
            main->findChild<QToolBar*>()->widgetForAction(main->findChild<QAction*>("OptionsBtn"));
        WithDialog<TOptionDlg>([options] { QTest::mouseClick(options, Qt::LeftButton); },
                               [](TOptionDlg& dlg) {
                                   QVERIFY(!dlg.FilterPastChk->isChecked());
                                   PressOnItsPage(dlg, dlg.StartWeek);
                                   PressOnItsPage(dlg, dlg.WavEnable);
                                   PressOnItsPage(dlg, dlg.FilterPastChk);
                                   Press(dlg.FilterMainChk);
                                   QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
                               });
        QCOMPARE(main->ListView()->model()->rowCount(), 2);
        QCOMPARE(ScanFrm->ScanListView->model()->rowCount(), 1);
        QCOMPARE(CalFrm->SundayStartsWeek(), !sunday);
        QCOMPARE(ScanFrm->EnableSoundAction->isChecked(), !sound);
        QCOMPARE(StoredOption("DfltEventType"), 9);
        QCOMPARE(StoredOption("MainWindow"), 7);
    }

    // The sync folder shows as stored; OK writes the one chosen, cleaned of
    // a trailing slash, or none once cleared.
    void SyncFolderIsChosenOrCleared_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("chosen"); // the folder dialog's answer; "-" presses Clear
        QTest::addColumn<QString>("after");
        auto row = [](const char* tag, QString stored, QString chosen, QString after) {
            QTest::newRow(tag) << stored << chosen << after;
        };
        row("cleared", "/srv/cal", "-", "");
        row("chosen", "", "/srv/cal/", "/srv/cal");
        row("choice cancelled", "/srv/cal", "", "/srv/cal");
    }
    void SyncFolderIsChosenOrCleared() {
        QFETCH(QString, stored);
        QFETCH(QString, chosen);
        QFETCH(QString, after);
        WriteSetting(kSyncFolder, stored.toStdString());
        SetFileDialogs({{}, {}, [&](QWidget*, const QString&, const QString&) { return chosen; }});
        Start(smMain);
        WithDialog<TOptionDlg>([this] { Choose(App->Tray()->OptionsAction); },
                               [&](TOptionDlg& dlg) {
                                   QCOMPARE(dlg.SyncFolderEdit->text(), stored);
                                   QTest::mouseClick(chosen == "-" ? dlg.SyncClearBtn
                                                                   : dlg.SyncBrowseBtn,
                                                     Qt::LeftButton);
                                   QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
                               });
        QCOMPARE(QString::fromStdString(ReadSetting(kSyncFolder)), after);
    }

    // The start-up link is made, switched to a quick launch, and removed
    // only when it starts this program; one that cannot be read counts as
    // this program's.
    void StartupLinkFollowsTheChoice_data() {
        QTest::addColumn<QString>("existing"); // %1 this program
        QTest::addColumn<QString>("click");
        QTest::addColumn<QString>("shown"); // WinStart and QuickLaunch
        QTest::addColumn<QString>("after"); // the Exec line, "gone" or "unchanged"
        const QString e = "[Desktop Entry]\nType=Application\nName=Tickwell\nExec=";
        auto row = [](const char* tag, QString existing, QString click, QString shown,
                      QString after) { QTest::newRow(tag) << existing << click << shown << after; };
        row("made", "", "WinStart", "00", "Exec=%1");
        row("quick", e + "%1\n", "QuickLaunch", "10", "Exec=%1 /q");
        row("removed", e + "%1 /q\n", "WinStart", "11", "gone");
        row("not ours", e + "/bin/true\n", "", "00", "unchanged");
        row("unreadable, told", "bad", "WinStart", "10", "gone");
    }
    void StartupLinkFollowsTheChoice() {
        QFETCH(QString, existing);
        QFETCH(QString, click);
        QFETCH(QString, shown);
        QFETCH(QString, after);
        QDir().mkpath(QFileInfo(LinkPath()).path());
        QFile f(LinkPath());
        const QByteArray before = existing.replace("%1", Own()).toUtf8();
        QVERIFY(existing.isEmpty() || (f.open(QIODevice::WriteOnly) && f.write(before)));
        f.close();
        Start(smMain);
        WithDialog<TOptionDlg>([this] { Choose(App->Tray()->OptionsAction); },
                               [&](TOptionDlg& dlg) {
                                   QCOMPARE(QString("%1%2")
                                                .arg(dlg.WinStart->isChecked())
                                                .arg(dlg.QuickLaunch->isChecked()),
                                            shown);
                                   if (!click.isEmpty())
                                       PressOnItsPage(dlg, dlg.findChild<QWidget*>(click));
                                   QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
                               });
        QCOMPARE(Env.Notices.empty(), existing != "bad");
        QCOMPARE(f.exists(), after != "gone");
        if (f.open(QIODevice::ReadOnly))
            QVERIFY(after == "unchanged"
                        ? f.readAll() == before
                        : f.readAll().split('\n').contains(after.arg(Own()).toUtf8()));
    }
};

QTEST_MAIN(TestFrmOptn)
#include "test_frm_optn.moc"
