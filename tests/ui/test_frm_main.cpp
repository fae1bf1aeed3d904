// The main window: filters and the status bar, the visibility test, the
// detail pane, copy, clear acknowledgement, delete and the refresh order
// across the open windows, the start-mode captions, the settings it keeps,
// the data commands' dialogs, and the backup dialog.
#include "UiTestEnv.h"
#include "core/DateFormat.h"
#include "platform/Paths.h"
#include "store/SettingsSchema.h"
#include "ui/FileDialogs.h"
#include "ui/FrmBakUp.h"
#include "ui/FrmMain.h"
#include "ui/FrmScan.h"
#include "ui/WindowLinks.h"
#include "ui/WindowState.h"
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStatusTipEvent>
#include <QTimer>
#include <QTreeView>
#include <QtTest>
#include <memory>

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

qint64 FileSize(const std::string& path) {
    return QFileInfo(Q(path)).size();
}

// A main window, shown, destroyed at the end of the test unless it closed.
struct TWindow {
    QPointer<TMainFrm> W;
    TWindow() {
        W = new TMainFrm;
        W->show();
    }
    ~TWindow() { delete W.data(); }
    TMainFrm* operator->() const { return W.data(); }
    int Rows() const { return W->ListView()->model()->rowCount(); }
    QString Panel(int i) const { return W->StatusPanel(i)->text(); }
    QAction* Action(const char* name) const { return W->findChild<QAction*>(name); }
};

} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT
    TUiTestEnv Env;
    TDateTime Today0 = 0;

    TTickwellItem* Add(TTickwellItem* e) {
        MasterList->AddSorted(e);
        return e;
    }

    // One event of every repeat type, all in the future.
    void AddOneOfEach() {
        Add(MakeEvent("Once", Today0 + 3, true, 0));
        Add(MakeEvent("Daily", Today0 + 1, false, etDaily));
        Add(MakeEvent("Weekly", Today0 + 2, false, etWeekly));
        Add(MakeEvent("MonthDate", Today0 + 4, false, etMonthlyDate));
        Add(MakeEvent("MonthDay", Today0 + 5, false, etMonthlyDay));
        Add(MakeEvent("Yearly", Today0 + 6, false, etYearly));
        Add(MakeEvent("Quarter", Today0 + 8, false, etAccounting));
    }

private slots:
    void init() {
        Env.Reset();
        Today0 = Env.Day;
        StartMode = smMain;
        FirstArgument.clear();
        MainLinks() = {};
        DueLinks() = {};
        CalendarLinks() = {};
        ClockLinks() = {};
        SetFileDialogs({});
    }

    void filterTest_data() {
        QTest::addColumn<bool>("simple");
        QTest::addColumn<int>("type");
        // Which of the view filters 0..7 show the event.
        QTest::addColumn<QString>("shownBy");
        QTest::newRow("once only, type code 0") << true << 0 << "01";
        QTest::newRow("once only, type code 4") << true << 4 << "01";
        QTest::newRow("daily") << false << 0 << "02";
        QTest::newRow("weekly") << false << 1 << "03";
        QTest::newRow("monthly - date") << false << 2 << "04";
        QTest::newRow("monthly - day") << false << 3 << "05";
        QTest::newRow("yearly") << false << 4 << "06";
        QTest::newRow("accounting") << false << 5 << "07";
    }
    void filterTest() {
        QFETCH(bool, simple);
        QFETCH(int, type);
        QFETCH(QString, shownBy);
        std::unique_ptr<TTickwellItem> e(MakeEvent("x", Today0 + 2, simple, type));
        for (int f = -1; f <= 8; ++f)
            QCOMPARE(PassesMainFilter(*e, f, false), shownBy.contains(QString::number(f)));
    }

    void statusBarFollowsFilters() {
        AddOneOfEach();
        TTickwellItem* old = Add(MakeEvent("Old once", Today0 - 1, true));
        Add(MakeEvent("Today once", Today0, true));
        TWindow w;
        QCOMPARE(w.Rows(), 9);
        QCOMPARE(w.Panel(1), QString());
        const char* texts[8] = {
            "9  Event(s) ",        "3  Once Only Event(s) ",      "1  Daily Event(s) ",
            "1  Weekly Event(s) ", "1  Monthly - Date Event(s) ", "1  Monthly - Day Event(s) ",
            "1  Yearly Event(s) ", "1  Accounting Event(s) "};
        for (int tag = 0; tag < 8; ++tag) {
            w.Action(QString("View%1").arg(tag).toUtf8())->trigger();
            QCOMPARE(w->ViewFilter(), tag);
            QCOMPARE(w.Panel(0), QString(texts[tag]));
            for (int other = 0; other < 8; ++other)
                QCOMPARE(w.Action(QString("View%1").arg(other).toUtf8())->isChecked(),
                         other == tag);
        }
        w.Action("View1")->trigger();
        w.Action("FilterMain")->trigger();
        // Yesterday's event is hidden, today's stays.
        QCOMPARE(w.Rows(), 2);
        QVERIFY(!w->RowOf(old).isValid());
        QCOMPARE(w.Panel(0), QString("2  Once Only Event(s) "));
        QCOMPARE(w.Panel(1), QString("Filtered"));
        // The options dialog's way in flips the entry too.
        w->FilterMainClick();
        QVERIFY(!w.Action("FilterMain")->isChecked());
        QCOMPARE(w.Rows(), 3);
        QCOMPARE(w.Panel(1), QString());
    }

    void rowsAndDetailPane() {
        TTickwellItem* e = Add(
            MakeEvent("Dentist\r\nbring the forms", Today0 + 3, true, 0, 1, 5, true, Today0 + 3));
        Add(MakeEvent("Rent", Today0 + 1, false, etMonthlyDate, 2, 7, false, Today0 + 400));
        TWindow w;
        const QModelIndex row = w->RowOf(e);
        QVERIFY(row.isValid());
        QCOMPARE(row.data().toString(), QString("Dentist"));
        QCOMPARE(row.siblingAtColumn(3).data().toString(), QString("Once Only"));
        QStringList headers;
        for (int i = 0; i < 6; ++i)
            headers << w->ListView()->model()->headerData(i, Qt::Horizontal).toString();
        QCOMPARE(headers, QStringList({"Event Description", "Date", "When", "Type", "Interval",
                                       "Last Acknowledged"}));

        // Hidden pane: nothing is filled in.
        w->SelectRow(row);
        QVERIFY(w->DetailPane()->isHidden());
        QCOMPARE(w->DetailPane()->toPlainText(), QString());
        w.Action("EventDetailPane1")->trigger();
        QVERIFY(!w->DetailPane()->isHidden());
        QCOMPARE(w->DetailPane()->toPlainText(),
                 "Dentist\nbring the forms\nStart Date: " + Q(e->StartDateText()) + "\nEnd Date: " +
                     Q(DateToStr(e->EndDate)) + "\nNotice Period: 5 days\nKeep Flag: True");
        w->SelectRow(w->RowOf(MasterList->At(0)));
        QCOMPARE(w->DetailPane()->toPlainText(),
                 "Rent\nStart Date: " + Q(MasterList->At(0)->StartDateText()) + "\nEnd Date: " +
                     Q(DateToStr(Today0 + 400)) + "\nNotice Period: 7 days\nKeep Flag: False");
        MasterList->At(0)->NoEndPoint = true;
        w->EnhListView1Click();
        QVERIFY(w->DetailPane()->toPlainText().contains("\nNo End Point\n"));
        w->ListView()->clearSelection();
        QCOMPARE(w->DetailPane()->toPlainText(), QString());
    }

    void commandsNeedASelection() {
        Add(MakeEvent("A", Today0 + 1, true));
        TWindow w;
        struct {
            const char* action;
            const char* text;
            TMsgKind kind;
        } cases[] = {{"EditEvent1", "Nothing to Edit", mkInformation},
                     {"DeleteEvent1", "Nothing to Delete", mkInformation},
                     {"CopyEvent1", "No Event selected", mkWarning},
                     {"ClearAck1", "No Event selected", mkInformation}};
        for (const auto& c : cases) {
            Env.Notices.clear();
            w.Action(c.action)->trigger();
            QCOMPARE(Env.Notices.size(), size_t(1));
            QCOMPARE(Env.Notices[0].first, std::string(c.text));
            QCOMPARE(Env.Notices[0].second, c.kind);
        }
        QCOMPARE(MasterList->Count(), 1);
    }

    void copyAddsItsRowWhateverTheFilter() {
        TTickwellItem* once = Add(MakeEvent("Trip", Today0 + 3, true));
        once->AckDate = Today0 - 30;
        Add(MakeEvent("Daily", Today0 + 1, false, etDaily));
        TWindow w;
        w.Action("View2")->trigger();
        QCOMPARE(w.Rows(), 1);
        // Another window added the once-only event's row.
        MainLinks().AddRow(once);
        w->SelectRow(w->RowOf(once));
        w.Action("CopyEvent1")->trigger();
        QCOMPARE(MasterList->Count(), 3);
        TTickwellItem* copy = w->SelectedEvent();
        QVERIFY(copy && copy != once);
        QCOMPARE(copy->Description, std::string("Copy of: Trip"));
        QCOMPARE(copy->StartDate, once->StartDate);
        QCOMPARE(copy->AckDate, once->AckDate);
        QCOMPARE(copy->Simple, true);
        QCOMPARE(w.Rows(), 3);
        QCOMPARE(w.Panel(0), QString("3  Daily Event(s) "));
        QCOMPARE(FileSize(MasterList->FileName), qint64(3 * 292));
        w->FillListViewMain(w->ViewFilter());
        QCOMPARE(w.Rows(), 1);
    }

    void clearAcknowledgement() {
        TTickwellItem* e = Add(MakeEvent("Bins", Today0 + 2, false, etWeekly));
        e->AckDate = e->NextDate;
        QWidget dueWindow;
        int dueRefreshes = 0;
        DueLinks().Window = &dueWindow;
        DueLinks().RefreshDueWindow = [&] { ++dueRefreshes; };
        TWindow w;
        QVERIFY(!w->RowOf(e).siblingAtColumn(5).data().toString().isEmpty());
        w->SelectRow(w->RowOf(e));
        // Ctrl+A in the list is the command, not "select all".
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.W));
        w->ListView()->setFocus();
        QTest::keyClick(w->ListView(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(e->AckDate, 0.0);
        QCOMPARE(w->RowOf(e).siblingAtColumn(5).data().toString(), Q(e->AckDateText()));
        QCOMPARE(FileSize(MasterList->FileName), qint64(292));
        QVERIFY(Env.Notices.empty());
        QCOMPARE(dueRefreshes, 1);
        w.Action("ClearAck1")->trigger();
        QCOMPARE(Env.LastNotice(), std::string("Acknowledged field cleared"));
        QCOMPARE(dueRefreshes, 2);
    }

    // A delete ends with the status bar, then the due-events window, then
    // the calendar, then the detail pane.
    void deleteRefreshesTheOpenWindowsInOrder() {
        EventDeleteConfirm = false;
        TTickwellItem* a = Add(MakeEvent("Soon A", Today0 + 2, true));
        Add(MakeEvent("Soon B", Today0 + 3, true));
        Add(MakeEvent("Later", Today0 + 60, true));
        MasterList->Scan();
        TWindow w;
        w.Action("EventDetailPane1")->trigger();
        QPointer<TScanFrm> due = ShowDueEventsWindow();
        QVERIFY(due);
        QCOMPARE(due->ScanListView->model()->rowCount(), 2);

        QStringList order;
        const auto refreshDue = DueLinks().RefreshDueWindow;
        DueLinks().RefreshDueWindow = [&] {
            order << "due after " + w.Panel(0);
            refreshDue();
        };
        QWidget calendar;
        CalendarLinks().Window = &calendar;
        CalendarLinks().RefreshCalendar = [&] {
            order
                << QString("calendar with %1 due rows").arg(due->ScanListView->model()->rowCount());
        };
        w->SelectRow(w->RowOf(a));
        QVERIFY(w->DetailPane()->toPlainText().startsWith("Soon A"));
        w.Action("DeleteEvent1")->trigger();
        QCOMPARE(MasterList->Count(), 2);
        QCOMPARE(w.Rows(), 2);
        QCOMPARE(order, QStringList({"due after 2  Event(s) ", "calendar with 1 due rows"}));
        QCOMPARE(due->ScanListView->model()->rowCount(), 1);
        QCOMPARE(FileSize(MasterList->FileName), qint64(2 * 292));
        QVERIFY(!w->DetailPane()->toPlainText().startsWith("Soon A"));
        delete due.data();
    }

    void startModeCaptions() {
        for (const std::uint8_t mode : {smMain, smTray}) {
            StartMode = mode;
            TWindow w;
            QAction* close = w.Action("Close1");
            if (mode == smMain) {
                QCOMPARE(close->text(), QString("E&xit"));
                QCOMPARE(close->statusTip(), QString("Exit Tickwell"));
                QCOMPARE(w.Action("CloseBtn")->text(), QString("E&xit"));
                QVERIFY(!w.Action("Exit1")->isVisible());
                QVERIFY(!w.Action("ExitBtn")->isVisible());
            } else {
                QCOMPARE(close->text(), QString("C&lose"));
                QCOMPARE(close->statusTip(), QString("Close Main Window"));
                QVERIFY(w.Action("Exit1")->isVisible());
            }
            QVERIFY(!w.Action("ZapList1")->isVisible());
            close->trigger();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!w.W);
            QVERIFY(!MainFrm);
            QVERIFY(!MainLinks().Window);
        }
        FirstArgument = "/z";
        TWindow w;
        QVERIFY(w.Action("ZapList1")->isVisible());
        // At most one main window.
        QCOMPARE(ShowMainFrm(), w.W.data());
    }

    void exitFollowsTheStartMode() {
        int exits = 0;
        ClockLinks().ExitProgram = [&] { ++exits; };
        QWidget due;
        DueLinks().Window = &due;
        due.show();
        StartMode = smTray;
        TWindow w;
        w.Action("Exit1")->trigger();
        QCOMPARE(exits, 1);
        StartMode = smDue;
        w.Action("Exit1")->trigger();
        QVERIFY(!due.isVisible());
        QCOMPARE(exits, 1);
    }

    void hintsAndLinkedEntries() {
        TWindow w;
        QCOMPARE(w.Action("AddBtn")->statusTip(), QString("Add a New Tickwell Event"));
        QStatusTipEvent tip("Print Your Tickwell Events");
        QCoreApplication::sendEvent(w.W, &tip);
        QCOMPARE(w.Panel(2), QString("Print Your Tickwell Events"));
        MainLinks().ShowStatusText("There are No Events Due");
        QCOMPARE(w.Panel(2), QString("There are No Events Due"));
        // Windows that do not exist yet: visible, disabled.
        QVERIFY(w.Action("Calendar1")->isVisible());
        QVERIFY(!w.Action("Calendar1")->isEnabled());
        QVERIFY(!w.Action("OptionsBtn")->isEnabled());
        int calendars = 0;
        ClockLinks().ShowCalendar = [&] { ++calendars; };
        TWindow w2;
        QCoreApplication::processEvents();
        QVERIFY(w2.Action("CalBtn")->isEnabled());
        w2.Action("CalBtn")->trigger();
        QCOMPARE(calendars, 1);
    }

    void settingsReadAndWritten() {
        {
            TWindow w;
            // Wider than 558 where the columns need it.
            QVERIFY(w->width() >= 558);
            QCOMPARE(w->height(), 406);
            QVERIFY(!w.Action("EventDetailPane1")->isChecked());
            QVERIFY(w.Action("FullRowSelect1")->isChecked());
            QVERIFY(!w.Action("Gridlines1")->isChecked());
            w.Action("EventDetailPane1")->trigger();
            w.Action("FilterMain")->trigger();
            w.Action("Gridlines1")->trigger();
            w.Action("FullRowSelect1")->trigger();
            w->resize(600, 450);
        }
        const TWinRegistry reg;
        QCOMPARE(ReadSetting(reg, kFormsWm), 600);
        QCOMPARE(ReadSetting(reg, kFormsHm), 450);
        QVERIFY(ReadSetting(reg, kDetailPane));
        QVERIFY(ReadSetting(reg, kFilterMain));
        QVERIFY(ReadSetting(reg, kGridLines));
        QVERIFY(!ReadSetting(reg, kFullRowSelect));
        TWindow w;
        QCOMPARE(w->size(), QSize(600, 450));
        QVERIFY(w.Action("FilterMain")->isChecked());
        QCOMPARE(w.Panel(1), QString("Filtered"));
        QVERIFY(!w->DetailPane()->isHidden());
        QCOMPARE(w->ListView()->selectionBehavior(), QAbstractItemView::SelectItems);
    }

    void exportAndImportThroughTheDialogs() {
        AddOneOfEach();
        std::vector<TFileDialogRequest> requests;
        QString answer = Q(DataFolder()) + "/out.csv";
        SetFileDialogs({[&](QWidget*, const TFileDialogRequest& r) {
                            requests.push_back(r);
                            return answer;
                        },
                        [&](QWidget*, const TFileDialogRequest& r) {
                            requests.push_back(r);
                            return answer;
                        },
                        {}});
        TWindow w;
        w.Action("Export1")->trigger();
        QCOMPARE(Env.LastNotice(), std::string("Export successful"));
        QCOMPARE(requests.back().Title, QString("Export File As"));
        QCOMPARE(requests.back().Folder, Q(DataFolder()));
        QCOMPARE(requests.back().Filters,
                 QStringList({"Tickwell File (*.dat)", "Comma-delimited Text File (*.csv)"}));
        QCOMPARE(requests.back().DefaultSuffix, QString("dat"));

        w.Action("Import1")->trigger();
        QCOMPARE(Env.LastNotice(), std::string("Import Successful"));
        QCOMPARE(requests.back().Title, QString("Import CSV data"));
        QCOMPARE(requests.back().Filters, QStringList({"Comma-delimited Text Files (*.csv)"}));
        QCOMPARE(MasterList->Count(), 14);
        QCOMPARE(w.Rows(), 14);
        QCOMPARE(w.Panel(0), QString("14  Event(s) "));

        // Merge: the question picks the filter; cancelling the dialog stops.
        Env.Answer = anNo;
        answer.clear();
        w.Action("Merge1")->trigger();
        QCOMPARE(requests.back().Title, QString("Merge Tickwell File"));
        QCOMPARE(requests.back().Filters, QStringList({"Tickwell Files (*.dat)"}));
        Env.Answer = anYes;
        w.Action("Merge1")->trigger();
        QCOMPARE(requests.back().Filters, QStringList({"Tickwell(v2/3) Data Files (*.tkw)"}));
        QCOMPARE(requests.back().DefaultSuffix, QString("tkw"));
        QCOMPARE(MasterList->Count(), 14);
        QVERIFY(!OldFormatFlag);
    }

    void emptyListOpensNoDialog() {
        int dialogs = 0;
        SetFileDialogs({[&](QWidget*, const TFileDialogRequest&) {
                            ++dialogs;
                            return QString();
                        },
                        {},
                        [&](QWidget*, const QString&, const QString&) {
                            ++dialogs;
                            return QString();
                        }});
        TWindow w;
        for (const char* name : {"Export1", "Archive1", "Backup1", "Print1"}) {
            Env.Notices.clear();
            w.Action(name)->trigger();
            QCOMPARE(Env.LastNotice(), std::string("There are no events in your Tickwell File!"));
        }
        QCOMPARE(dialogs, 0);
    }

    void zapListEmptiesTheWindow() {
        AddOneOfEach();
        FirstArgument = "/z";
        TWindow w;
        Env.Answer = anYes;
        w.Action("ZapList1")->trigger();
        QCOMPARE(MasterList->Count(), 0);
        QCOMPARE(w.Rows(), 0);
        QCOMPARE(w.Panel(0), QString("0  Event(s) "));
        QCOMPARE(FileSize(MasterList->FileName), qint64(0));
    }

    void minimisingClosesUnlessMainWindow() {
        const int before = OpenWindowCount;
        StartMode = smTray;
        TWindow w;
        QCOMPARE(OpenWindowCount, before + 1);
        w->showMinimized();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w.W);
        QCOMPARE(OpenWindowCount, before);
        StartMode = smMain;
        TWindow main;
        main->showMinimized();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(main.W);
    }

    // The backup dialog answered OK, then a restore after the list was
    // emptied: the rows are rebuilt on the restored events.
    void backupAndRestoreFromTheMenu() {
        AddOneOfEach();
        QVERIFY(QDir().mkpath(Env.Home.path() + "/bk"));
        BackupDest = (Env.Home.path() + "/bk").toStdString();
        TWindow w;
        QTimer::singleShot(0, [] {
            if (auto* dlg = qobject_cast<TBackupDlg*>(QApplication::activeModalWidget()))
                dlg->accept();
        });
        w.Action("Backup1")->trigger();
        QCOMPARE(Env.LastNotice(), std::string("Backup successful"));
        QVERIFY(QFile::exists(Env.Home.path() + "/bk/backup.dat"));

        Env.Answer = anYes;
        FirstArgument = "/z";
        w->ZapList1Click();
        QCOMPARE(w.Rows(), 0);
        w.Action("Restore1")->trigger();
        QCOMPARE(Env.LastNotice(), std::string("Restore successful"));
        QCOMPARE(MasterList->Count(), 7);
        QCOMPARE(w.Rows(), 7);
        for (TTickwellItem* e : MasterList->All())
            QVERIFY(w->RowOf(e).isValid());
        QCOMPARE(w.Panel(0), QString("7  Event(s) "));
    }

    void backupDialogKeepsTheFolderAsItIs() {
        const QString mixed = Env.Home.path() + "/Backups/MyDisk";
        BackupDest = mixed.toStdString();
        QString asked;
        SetFileDialogs({{}, {}, [&](QWidget*, const QString& title, const QString& folder) {
                            asked = title + "|" + folder;
                            return Env.Home.path() + "/Other/";
                        }});
        {
            TBackupDlg dlg;
            QCOMPARE(dlg.windowTitle(), QString("Tickwell Backup"));
            QCOMPARE(dlg.Folder(), mixed);
            dlg.reject();
            QCOMPARE(BackupDest, mixed.toStdString());
        }
        TBackupDlg dlg;
        dlg.SetupBtnClick();
        QCOMPARE(asked, "Select a folder for backup:|" + mixed);
        QCOMPARE(dlg.Folder(), Env.Home.path() + "/Other/");
        dlg.accept();
        QCOMPARE(Q(BackupDest), Env.Home.path() + "/Other");
        QCOMPARE(Q(dlg.BackupPath()), Env.Home.path() + "/Other/backup.dat");
        QCOMPARE(Q(ReadSetting(TWinRegistry(), kBackupDest, "")), Env.Home.path() + "/Other");
    }
};

QTEST_MAIN(TestFrmMain)
#include "test_frm_main.moc"
