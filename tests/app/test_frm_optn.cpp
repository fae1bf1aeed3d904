// The options dialog, opened as a user opens it, with the clock window and
// the other windows running: each control between its stored value and what
// OK writes, the tray confirmation, the schedule, the filters and the start-up
// link taking effect at once.
#include "UiTestEnv.h"
#include "app/FrmClock.h"
#include "app/FrmTimeEd.h"
#include "app/TickTimer.h"
#include "store/SettingsSchema.h"
#include "ui/FrmHelp.h"
#include "ui/FrmMsg.h"
#include "ui/FrmOptn.h"
#include "ui/FrmScan.h"
#include "ui/WindowLinks.h"
#include "ui/WindowState.h"
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

class TestFrmOptn : public QObject {
    Q_OBJECT
    TUiTestEnv Env;

    QString LinkPath() const { return Env.Home.path() + "/config/autostart/tickwell.desktop"; }
    static QString Own() { return QCoreApplication::applicationFilePath(); }

    TClockFrm* Start(std::uint8_t mode, TDateTime moment) {
        BeginTestTime(moment);
        StartMode = mode;
        TClockFrm::TrayAvailable = [] { return true; };
        return new TClockFrm;
    }
    static void Choose(QMenu* menu, QAction* entry) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        menu->popup(QPoint(40, 40));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
    }
    // Near the left edge, where a check box's indicator and text are.
    static void Click(QWidget* w) {
        QVERIFY2(w->isEnabled() && w->isVisible(), qPrintable(w->objectName()));
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
    }
    // Turns to the page that holds the control, by its tab.
    static void TurnTo(TOptionDlg& dlg, QWidget* control) {
        for (QWidget* w = control; w; w = w->parentWidget())
            if (const int page = dlg.PageControl1->indexOf(w); page >= 0) {
                QTabBar* tabs = dlg.PageControl1->tabBar();
                QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
            }
    }
    // Runs drive on the dialog found, once it is on screen; gives up after
    // five seconds.
    static void WhenShown(const std::function<QDialog*()>& find,
                          const std::function<void(QDialog&)>& drive) {
        auto* poll = new QTimer;
        auto* waited = new int(0);
        connect(poll, &QTimer::timeout, [=] {
            QDialog* dlg = find();
            if ((dlg && dlg->isVisible()) || ++*waited > 500) {
                poll->stop();
                poll->deleteLater();
                delete waited;
                if (dlg)
                    drive(*dlg);
            }
        });
        poll->start(10);
    }
    // Runs open, which opens the options modally, with drive working the
    // dialog; a dialog it leaves open is cancelled.
    static void WithOptions(const std::function<void()>& open,
                            const std::function<void(TOptionDlg&)>& drive) {
        WhenShown([] { return OptionDlg; },
                  [drive](QDialog& dlg) { drive(static_cast<TOptionDlg&>(dlg)); });
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [] {
            if (OptionDlg)
                OptionDlg->reject();
        });
        guard.start(5000);
        open();
        QVERIFY(!OptionDlg);
    }
    // The next modal dialog of its kind, when it opens.
    template <class TDialog> static void Then(const std::function<void(TDialog&)>& drive) {
        WhenShown([] { return dynamic_cast<TDialog*>(QApplication::activeModalWidget()); },
                  [drive](QDialog& dlg) { drive(static_cast<TDialog&>(dlg)); });
    }
    // The rows of a window's list, whatever kind of view shows them.
    static int Rows(QWidget* window) {
        for (QAbstractItemView* v : window->findChildren<QAbstractItemView*>())
            if (!qobject_cast<QHeaderView*>(v))
                return v->model()->rowCount();
        return -1;
    }
    static QVariant Stored(const QString& setting, QMetaType::Type type) {
        const QStringList key = setting.split('/');
        const TWinRegistry reg;
        const std::string section = key[0].toStdString(), name = key[1].toStdString();
        if (!reg.ValueExists(section, name))
            return {};
        if (type == QMetaType::QString)
            return QString::fromStdString(reg.ReadString(section, name, ""));
        return reg.ReadInteger(section, name, 0);
    }
    static void Store(const QString& setting, const QVariant& value) {
        const QStringList key = setting.split('/');
        TWinRegistry reg;
        if (value.typeId() == QMetaType::QString)
            reg.WriteString(key[0].toStdString(), key[1].toStdString(),
                            value.toString().toStdString());
        else if (value.isValid())
            reg.WriteInteger(key[0].toStdString(), key[1].toStdString(), value.toInt());
    }

private slots:
    void init() {
        Env.Reset();
        qputenv("XDG_CONFIG_HOME", (Env.Home.path() + "/config").toLocal8Bit());
        QFile::remove(LinkPath());
        ClockLinks() = TClockLinks{};
        OpenWindowCount = 0;
        WriteSetting(kNoTrayTold, true);
        ShowNoEventsMsg = true;
    }
    void cleanup() {
        delete ClockFrm;
        QList<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (!w->parentWidget())
                windows << w;
        for (const QPointer<QWidget>& w : windows)
            delete w.data();
        EndTestTime();
    }

    // What each control shows of its stored value, and what OK writes after
    // the user's input; the option flags of the running program follow.
    void EveryControlBetweenItsValueAndOK_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QVariant>("stored"); // invalid: missing
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QVariant>("written");
        const QVariant none;
        const QString wav = "/Home/Ann/Chime.WAV";
        QTest::newRow("backup") << "BackChk"
                                << "Options/AutoBackup" << none << "1"
                                << "click" << QVariant(0);
        QTest::newRow("no events") << "ShowNoEventsMsgChk"
                                   << "Options/ShowNoEventsMsg" << QVariant(0) << "0"
                                   << "click" << QVariant(1);
        QTest::newRow("beep") << "MessBeep"
                              << "Options/Beep" << QVariant(1) << "1"
                              << "" << QVariant(1);
        QTest::newRow("sunday") << "StartWeek"
                                << "Options/SunStartWeek" << none << "0"
                                << "click" << QVariant(1);
        QTest::newRow("sound") << "WavEnable"
                               << "Options/PlayWav" << QVariant(1) << "1"
                               << "click" << QVariant(0);
        QTest::newRow("sound file keeps its case")
            << "WavEdit"
            << "Options/WavFile" << QVariant(wav) << wav << "" << QVariant(wav);
        QTest::newRow("sound file typed") << "WavEdit"
                                          << "Options/WavFile" << none << ""
                                          << "type:/tmp/b.wav" << QVariant("/tmp/b.wav");
        QTest::newRow("type") << "DfltType"
                              << "Options/DfltEventType" << QVariant(4) << "Monthly - Day"
                              << "down:2" << QVariant(6);
        QTest::newRow("unknown type kept") << "DfltType"
                                           << "Options/DfltEventType" << QVariant(9) << ""
                                           << "" << QVariant(9);
        QTest::newRow("notice") << "DfltNotice"
                                << "Options/DfltNotice" << QVariant(14) << "14"
                                << "type:30" << QVariant(30);
        QTest::newRow("interval") << "DfltInterval"
                                  << "Options/DfltInterval" << none << "1"
                                  << "type:52" << QVariant(52);
        QTest::newRow("keep") << "DfltKeepFlag"
                              << "Options/DfltKeepFlag" << none << "1"
                              << "click" << QVariant(0);
        QTest::newRow("confirm delete") << "EventDeleteConfirm"
                                        << "Options/EventDeleteConfirm" << QVariant(0) << "0"
                                        << "click" << QVariant(1);
        QTest::newRow("once a day") << "OnceDaily"
                                    << "Options/OnceDaily" << QVariant(1) << "1"
                                    << "" << QVariant(1);
        QTest::newRow("main window") << "MainWindowCombo"
                                     << "Options/MainWindow" << QVariant(1) << "Tickwells Window"
                                     << "down:1" << QVariant(2);
        QTest::newRow("tray-only value kept") << "MainWindowCombo"
                                              << "Options/MainWindow" << QVariant(7) << ""
                                              << "" << QVariant(7);
        QTest::newRow("tray window") << "TrayWindowCombo"
                                     << "Options/TrayWindow" << QVariant(3) << "None ( minimized )"
                                     << "" << QVariant(3);
        QTest::newRow("clock") << "ShowClock"
                               << "Options/ShowClock" << QVariant(1) << "1"
                               << "" << QVariant(1);
        QTest::newRow("schedule time") << "A2Edit"
                                       << "AlarmForm/alarm1" << QVariant("07:30") << "07:30"
                                       << "" << QVariant("07:30");
        QTest::newRow("session end") << "WinExit"
                                     << "Options/WinExShow" << QVariant(1) << "1"
                                     << "" << QVariant(1);
        QTest::newRow("notification") << "NotifyChk"
                                      << "Options/Notify" << none << "1"
                                      << "" << QVariant(1);
        QTest::newRow("main filter") << "FilterMainChk"
                                     << "Options/FilterMain" << QVariant(1) << "1"
                                     << "click" << QVariant(0);
        QTest::newRow("due filter from the list, not the value")
            << "FilterPastChk"
            << "Options/FilterPast" << QVariant(1) << "0"
            << "click" << QVariant(1);
    }
    void EveryControlBetweenItsValueAndOK() {
        QFETCH(QString, control);
        QFETCH(QString, setting);
        QFETCH(QVariant, stored);
        QFETCH(QString, shown);
        QFETCH(QString, input);
        QFETCH(QVariant, written);
        Store(setting, stored);
        TClockFrm* clock = Start(smMain, Env.Day + 0.5);
        QString seen;
        WithOptions([clock] { Choose(clock->TrayMenu(), clock->Options1); },
                    [&](TOptionDlg& dlg) {
                        auto* w = dlg.findChild<QWidget*>(control);
                        QVERIFY(w);
                        auto* check = qobject_cast<QCheckBox*>(w);
                        auto* combo = qobject_cast<QComboBox*>(w);
                        auto* spin = qobject_cast<QSpinBox*>(w);
                        seen = check   ? QString::number(check->isChecked())
                               : combo ? combo->currentText()
                               : spin  ? spin->text()
                                       : qobject_cast<QLineEdit*>(w)->text();
                        TurnTo(dlg, w);
                        if (input == "click") {
                            Click(w);
                        } else if (input.startsWith("down:")) {
                            w->setFocus();
                            for (int i = input.mid(5).toInt(); i > 0; --i)
                                QTest::keyClick(w, Qt::Key_Down);
                        } else if (input.startsWith("type:")) {
                            QTest::mouseClick(w, Qt::LeftButton);
                            QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
                            QTest::keyClicks(w, input.mid(5));
                        }
                        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
                    });
        QCOMPARE(seen, shown);
        QCOMPARE(Stored(setting, static_cast<QMetaType::Type>(written.typeId())), written);
        QCOMPARE(Beep, ReadSetting(kBeep));
        QCOMPARE(ShowNoEventsMsg, ReadSetting(kShowNoEventsMsg));
        QCOMPARE(AutoBackup, ReadSetting(kAutoBackup));
        QCOMPARE(EventDeleteConfirm, ReadSetting(kEventDeleteConfirm));
        QCOMPARE(MasterList->FilterPast, ReadSetting(kFilterPast));
    }

    // A value that cannot be read keeps its page from being changed or
    // written; the other pages are saved as usual.
    void AnUnreadablePageIsLeftAsItWas() {
        TWinRegistry().WriteString("Options", "Beep", "yes");
        TClockFrm* clock = Start(smMain, Env.Day + 0.5);
        WithOptions([clock] { Choose(clock->TrayMenu(), clock->Options1); },
                    [](TOptionDlg& dlg) {
                        QVERIFY(!dlg.PageControl1->widget(TOptionDlg::pgGeneral)->isEnabled());
                        TurnTo(dlg, dlg.DfltKeepFlag);
                        Click(dlg.DfltKeepFlag);
                        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
                    });
        QCOMPARE(Env.Notices.size(), size_t(1));
        QVERIFY(QString::fromStdString(Env.LastNotice()).contains("\"General\""));
        QCOMPARE(Stored("Options/DfltKeepFlag", QMetaType::Int), QVariant(0));
        QCOMPARE(Stored("Options/Beep", QMetaType::QString), QVariant("yes"));
        QVERIFY(!Stored("Options/AutoBackup", QMetaType::Int).isValid());
    }

    // A tray choice unlike this run's is confirmed with the text for it;
    // Cancel there keeps the options open, Help leaves the question open.
    void TrayChoiceIsConfirmed_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("answer"); // empty: nothing asked
        QTest::addColumn<QString>("label");
        QTest::addColumn<QVariant>("written");
        QTest::newRow("declined, Cancel") << int(smTray) << "NoTrayRad"
                                          << "Cancel"
                                          << "NoTrayLbl" << QVariant(1);
        QTest::newRow("declined, OK") << int(smTray) << "NoTrayRad"
                                      << "OK"
                                      << "NoTrayLbl" << QVariant(0);
        QTest::newRow("chosen, Help then OK") << int(smMain) << "UseTrayRad"
                                              << "Help"
                                              << "TrayLbl" << QVariant(1);
        QTest::newRow("as started") << int(smMain) << ""
                                    << ""
                                    << "" << QVariant(0);
    }
    void TrayChoiceIsConfirmed() {
        QFETCH(int, mode);
        QFETCH(QString, radio);
        QFETCH(QString, answer);
        QFETCH(QString, label);
        QFETCH(QVariant, written);
        WriteSetting(kTrayIcon, mode == smTray);
        WriteSetting(kTrayWindow, 3);
        TClockFrm* clock = Start(static_cast<std::uint8_t>(mode), Env.Day + 0.5);
        QString shown;
        bool asked = false;
        WithOptions([clock] { Choose(clock->TrayMenu(), clock->Options1); },
                    [&](TOptionDlg& dlg) {
                        if (!radio.isEmpty()) {
                            auto* r = dlg.findChild<QWidget*>(radio);
                            TurnTo(dlg, r);
                            Click(r);
                        }
                        if (!answer.isEmpty())
                            Then<TMsgDlg>([&](TMsgDlg& msg) {
                                asked = true;
                                shown = msg.TrayLbl->isVisible() ? "TrayLbl" : "NoTrayLbl";
                                QVERIFY(msg.TrayLbl->isVisible() != msg.NoTrayLbl->isVisible());
                                if (answer == "Help") {
                                    QTest::mouseClick(msg.HelpBtn, Qt::LeftButton);
                                    QWidget* help = nullptr;
                                    for (QWidget* w : QApplication::topLevelWidgets())
                                        if (w->objectName() == "HelpFrm" && w->isVisible())
                                            help = w;
                                    QVERIFY(help && msg.isVisible());
                                    help->close();
                                }
                                QTest::mouseClick(answer == "Cancel" ? msg.CancelBtn : msg.OKBtn,
                                                  Qt::LeftButton);
                            });
                        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
                        if (answer == "Cancel") {
                            QVERIFY(dlg.isVisible());
                            QTest::mouseClick(dlg.CancelBtn, Qt::LeftButton);
                        }
                    });
        QCOMPARE(asked, !answer.isEmpty());
        QCOMPARE(shown, label);
        QCOMPARE(Stored("Options/TrayIcon", QMetaType::Int), written);
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
        TClockFrm* clock = Start(smTray, Env.Day + (9 * 60 + 29) / 1440.0);
        if (suspended)
            Choose(clock->TrayMenu(), clock->SuspendSchedule1);
        QString editorStart;
        WithOptions([clock] { Choose(clock->TrayMenu(), clock->Schedule1); },
                    [&](TOptionDlg& dlg) {
                        QCOMPARE(dlg.PageControl1->currentIndex(), int(TOptionDlg::pgSchedule));
                        Click(dlg.A[0]);
                        Then<TTimeFrm>([&](TTimeFrm& time) {
                            editorStart = time.Panel1->text();
                            for (QToolButton* b : {time.SB1, time.SB1, time.SB3})
                                QTest::mouseClick(b, Qt::LeftButton);
                            QTest::mouseClick(time.OKBtn, Qt::LeftButton);
                        });
                        QTest::mouseClick(dlg.ABtn[2], Qt::LeftButton);
                        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
                    });
        QCOMPARE(editorStart, QString("07:30"));
        QCOMPARE(ReadSetting(kAlarm0), std::string());
        QCOMPARE(ReadSetting(kAlarm2), std::string("09:31"));
        AdvanceTestTime(75 * 1000);
        QCOMPARE(Env.Notices.size(), size_t(0));
        AdvanceTestTime(60 * 1000);
        QCoreApplication::processEvents();
        QCOMPARE(Env.Notices.size(), size_t(suspended ? 0 : 1));
    }

    // The filters reach the open main and due-events windows on OK.
    void FiltersApplyToTheOpenWindows() {
        MasterList->AddSorted(MakeEvent("Old dentist", Env.Day - 10, true));
        MasterList->AddSorted(MakeEvent("Kept bill", Env.Day - 40, false, 2, 1, 3, true));
        MasterList->AddSorted(MakeEvent("Tomorrow", Env.Day + 1, true));
        TClockFrm* clock = Start(smMain, Env.Day + 0.5);
        Choose(clock->TrayMenu(), clock->ShowTickwellsWindow1);
        QWidget* main = MainLinks().Window;
        QCOMPARE(Rows(main), 3);
        QCOMPARE(Rows(ScanFrm), 2);
        QToolButton* options = nullptr;
        for (auto* b : main->findChild<QToolBar*>()->findChildren<QToolButton*>())
            if (b->defaultAction() && b->defaultAction()->objectName() == "OptionsBtn")
                options = b;
        QVERIFY(options);
        WithOptions([options] { QTest::mouseClick(options, Qt::LeftButton); },
                    [](TOptionDlg& dlg) {
                        TurnTo(dlg, dlg.FilterPastChk);
                        Click(dlg.FilterPastChk);
                        Click(dlg.FilterMainChk);
                        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
                    });
        QCOMPARE(Rows(main), 2);
        QCOMPARE(Rows(ScanFrm), 1);
        QVERIFY(MainLinks().FilterMainChecked());
    }

    // The start-up link is made, switched to a quick launch, and removed
    // only when it starts this program; one that cannot be read counts as
    // this program's.
    void StartupLinkFollowsTheChoice_data() {
        QTest::addColumn<QString>("existing"); // %1: this program; empty: none
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<bool>("linked");
        QTest::addColumn<bool>("quick");
        QTest::addColumn<int>("notices");
        QTest::addColumn<QString>("after"); // the Exec line, "gone" or "unchanged"
        const QString entry = "[Desktop Entry]\nType=Application\nName=Tickwell\nExec=";
        QTest::newRow("made") << "" << QStringList{"WinStart"} << false << false << 0 << "Exec=%1";
        QTest::newRow("to a quick launch")
            << entry + "%1\n"
            << QStringList{"QuickLaunch"} << true << false << 0 << "Exec=%1 /q";
        QTest::newRow("removed") << entry + "%1 /q\n"
                                 << QStringList{"WinStart"} << true << true << 0 << "gone";
        QTest::newRow("through a link, left as it is")
            << entry + "%2\nX-Mine=1\n"
            << QStringList{} << true << false << 0 << "unchanged";
        QTest::newRow("another program's") << entry + "/bin/true\n"
                                           << QStringList{} << false << false << 0 << "unchanged";
        QTest::newRow("switched off in the session")
            << entry + "%1\nHidden=true\n"
            << QStringList{"WinStart"} << false << false << 0 << "Exec=%1";
        QTest::newRow("unreadable")
            << "not an entry" << QStringList{"WinStart"} << true << false << 2 << "gone";
    }
    void StartupLinkFollowsTheChoice() {
        QFETCH(QString, existing);
        QFETCH(QStringList, clicks);
        QFETCH(bool, linked);
        QFETCH(bool, quick);
        QFETCH(int, notices);
        QFETCH(QString, after);
        const QString symlink = Env.Home.path() + "/tickwell-link";
        QFile::remove(symlink);
        QVERIFY(QFile::link(Own(), symlink));
        QDir().mkpath(QFileInfo(LinkPath()).path());
        const QByteArray before =
            QString(existing).replace("%1", Own()).replace("%2", symlink).toUtf8();
        if (!existing.isEmpty()) {
            QFile f(LinkPath());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(before);
        }
        TClockFrm* clock = Start(smMain, Env.Day + 0.5);
        WithOptions([clock] { Choose(clock->TrayMenu(), clock->Options1); },
                    [&](TOptionDlg& dlg) {
                        QCOMPARE(dlg.WinStart->isChecked(), linked);
                        QCOMPARE(dlg.QuickLaunch->isChecked(), quick);
                        TurnTo(dlg, dlg.WinStart);
                        for (const QString& name : clicks)
                            Click(dlg.findChild<QWidget*>(name));
                        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
                    });
        QCOMPARE(int(Env.Notices.size()), notices);
        QFile f(LinkPath());
        if (after == "gone") {
            QVERIFY(!f.exists());
            return;
        }
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray now = f.readAll();
        if (after == "unchanged") {
            QCOMPARE(now, before);
            return;
        }
        QVERIFY2(now.split('\n').contains(after.arg(Own()).toUtf8()), now.constData());
        QProcess validate;
        validate.start("desktop-file-validate", {LinkPath()});
        if (validate.waitForFinished(5000))
            QCOMPARE(validate.readAll(), QByteArray());
    }

    // Every help context of the options has its topic.
    void EveryContextHasItsTopic() {
        Q_INIT_RESOURCE(help);
        QFile page(":/help/options.html");
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(page.readAll());
        for (int c : {11, 12, 13, 14, 26}) {
            const QUrl url(HelpTopicUrl(c));
            QVERIFY2(text.contains("name=\"" + url.fragment() + "\""), qPrintable(url.toString()));
        }
        for (int c = 50; c <= 99; c = c == 70 ? 90 : c + 1) {
            const QUrl url(HelpTopicUrl(c));
            QVERIFY2(text.contains("name=\"" + url.fragment() + "\""), qPrintable(url.toString()));
        }
    }
};

QTEST_MAIN(TestFrmOptn)
#include "test_frm_optn.moc"
