// The main window: views and filter, clear
// acknowledgement, delete and the refresh order across the open windows, the
// settings it keeps, the exchange commands and the backup dialog.
#include "UiTestEnv.h"
#include "platform/Paths.h"
#include "store/Settings.h"
#include "ui/CalDueList.h"
#include "ui/DateBox.h"
#include "ui/DescriptionEdit.h"
#include "ui/EventTableModel.h"
#include "ui/FileDialogs.h"
#include "ui/FrmBakUp.h"
#include "ui/FrmCal.h"
#include "ui/FrmMain.h"
#include "ui/FrmScan.h"
#include "ui/MyCal.h"
#include "ui/PrintLayout.h"
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace {

// A main window, with what a test reads and does in it.
struct TWindow : TTestWindow<TMainFrm> {
    using TTestWindow::TTestWindow;
    int Rows() const { return W->ListView()->model()->rowCount(); }
    bool Use(const char* name) const { return ::Use(W, W->findChild<QAction*>(name)); }
};

} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT
    TUiTestEnv Env;

    // One event of every repeat type, all in the future.
    void AddOneOfEach() {
        Env.Add(MakeEvent("Once", Env.Day + 3, true, 0));
        Env.Add(MakeEvent("Daily", Env.Day + 1, false, etDaily));
        Env.Add(MakeEvent("Weekly", Env.Day + 2, false, etWeekly));
        Env.Add(MakeEvent("MonthDate", Env.Day + 4, false, etMonthlyDate));
        Env.Add(MakeEvent("MonthDay", Env.Day + 5, false, etMonthlyDay));
        Env.Add(MakeEvent("Yearly", Env.Day + 6, false, etYearly));
        Env.Add(MakeEvent("Quarter", Env.Day + 8, false, etAccounting));
    }

private slots:
    void init() {
        Env.Reset();
        FirstArgument.clear();
        SetFileDialogs({});
    }

    void viewsAndFilter() {
        AddOneOfEach();
        Env.Add(MakeEvent("Old once", Env.Day - 1, true));
        // A once-only event whose type code is the yearly one is once only.
        Env.Add(MakeEvent("Today once", Env.Day, true, etYearly));
        TWindow w(*Env.Events);
        const int rows[8] = {9, 3, 1, 1, 1, 1, 1, 1};
        for (int tag = 0; tag < 8; ++tag) {
            QVERIFY(w.Use(qPrintable(QString("View%1").arg(tag))));
            QCOMPARE(w.Rows(), rows[tag]);
        }
        QVERIFY(w.Use("View1"));
        QVERIFY(w.Use("FilterMain"));
        // Yesterday's event is hidden, today's stays.
        QCOMPARE(w.Rows(), 2);
        QVERIFY(w.Use("FilterMain"));
        QCOMPARE(w.Rows(), 3);
    }

    // Ctrl+A in the list is the command, not "select all".
    void clearAcknowledgement() {
        TTickwellItem* e = Env.Add(MakeEvent("Bins", Env.Day + 2, false, etWeekly));
        e->AckDate = e->NextDate;
        TWindow w(*Env.Events);
        QVERIFY(ClickRow(w->ListView(), "Bins"));
        QTest::keyClick(w->ListView(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(e->AckDate, 0.0);
    }

    // The row of an event added in the editor goes where a new list would
    // put it, under the user's sort too; a save that fails leaves the event
    // in the list, and the count says so.
    void addedRowTakesItsPlace_data() {
        QTest::addColumn<int>("dateClicks");
        QTest::addColumn<bool>("saves");
        QTest::addColumn<QStringList>("rows");
        const QStringList byDate{"Early", "Middle", "Late"};
        QTest::newRow("in list order") << 0 << true << byDate;
        QTest::newRow("latest first") << 2 << true << QStringList(byDate.rbegin(), byDate.rend());
        QTest::newRow("save fails") << 0 << false << byDate;
    }
    void addedRowTakesItsPlace() {
        QFETCH(int, dateClicks);
        QFETCH(bool, saves);
        QFETCH(QStringList, rows);
        Env.Add(MakeEvent("Early", Env.Day + 1, true));
        Env.Add(MakeEvent("Late", Env.Day + 9, true));
        if (!saves)
            Env.Book->MasterList.FileName = Env.Home.path().toStdString() + "/missing/tickwell.dat";
        TWindow w(*Env.Events);
        for (int i = 0; i < dateClicks; ++i)
            ClickHeader(w->ListView()->header(), 1);
        WithDialog([&] { QVERIFY(w.Use("AddEventAction")); },
                   [](TEditFrm& f) {
                       QTest::keyClicks(f.DescriptionEdit, "Middle");
                       TypeInto(f.EventDate, "15/03/2026");
                       Press(f.OkBtn);
                   });
        QCOMPARE(ShownTexts(w->ListView()), rows);
        QCOMPARE(w->SelectedEvent()->Description, std::string("Middle"));
        QCOMPARE(w->StatusPanel(0)->text(), QString("3  Event(s) "));
        QCOMPARE(Env.Notices.size(), size_t(saves ? 0 : 1));
    }

    // Typed in the editor, text of any script is shown whole in every
    // window and printed (how it is stored is the data commands' test).
    void textOfAnyScriptInEveryWindow() {
        const QString typed = QString::fromUtf8("Γενέθλια 生日");
        TWindow w(*Env.Events);
        WithDialog([&] { QVERIFY(w.Use("AddEventAction")); },
                   [&typed](TEditFrm& f) {
                       TypeText(f.DescriptionEdit, typed);
                       Press(f.OkBtn);
                   });
        QCOMPARE(ShownTexts(w->ListView()), QStringList{typed});
        Env.Book->Scan();
        TTestWindow<TScanFrm> due(*Env.Events);
        QCOMPARE(ShownTexts(due->ScanListView), QStringList{typed});
        TTestWindow<TCalFrm> cal(*Env.Events);
        const int cell = DecodeDate(Env.Day).Day - cal->Cal->FirstCellDay();
        const auto& inCell = cal->DayCellEvents(cell % 7, cell / 7 + 1);
        QVERIFY(inCell.size() == 1 && QString::fromStdString(inCell[0]->Description) == typed);
        int first = 0;
        const TPrintPage page = LayoutPage("T", *PrintRows(Env.Book->MasterList, false), first,
                                           TPrintMetrics{100, 100, 850, 1100, 15, 201});
        QVERIFY(std::any_of(page.begin(), page.end(),
                            [&typed](const TPrintRun& run) { return run.Text == typed; }));
    }

    // Delete in the list asks as the menu's Delete does. The help window
    // opens in the middle of the screen and Esc closes it.
    void deleteKeyAndHelpWindow() {
        Env.Add(MakeEvent("Bins", Env.Day + 2, false, etWeekly));
        TWindow w(*Env.Events);
        QVERIFY(ClickRow(w->ListView(), "Bins"));
        Env.Answer = anCancel;
        QTest::keyClick(w->ListView(), Qt::Key_Delete);
        QCOMPARE(Env.Questions, std::vector<std::string>{"Delete this Event?"});
        QCOMPARE(w.Rows(), 1);
        Env.Answer = anOk;
        QTest::keyClick(w->ListView(), Qt::Key_Delete);
        QCOMPARE(w.Rows(), 0);

        QVERIFY(w.Use("HelpContentsAction"));
        QPointer<QWidget> help;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "HelpFrm" && top->isVisible())
                help = top;
        QVERIFY(help);
        const QPoint middle = w->screen()->availableGeometry().center();
        QVERIFY((help->frameGeometry().center() - middle).manhattanLength() <= 10);
        QVERIFY(Activate(help));
        QTest::keyClick(help, Qt::Key_Escape);
        QTRY_VERIFY(help.isNull());
    }

    void settingsReadAndWritten() {
        {
            TWindow w(*Env.Events);
            QVERIFY(w.Use("DetailPaneAction"));
            QVERIFY(w.Use("FilterMain"));
        }
        TWindow w(*Env.Events);
        QCOMPARE(w->StatusPanel(1)->text(), QString("Filtered"));
        QVERIFY(!w->DetailPane()->isHidden());
    }

    // Each exchange command is reachable and its result shows; importing
    // our own calendar file adds nothing.
    void exchangeThroughTheDialogs() {
        AddOneOfEach();
        QString answer;
        auto ask = [&](QWidget*, const TFileDialogRequest&) { return answer; };
        SetFileDialogs({ask, ask, {}});
        TWindow w(*Env.Events);
        for (const QString ext : {"csv", "ics"}) {
            answer = QString::fromStdString(DataFolder() + "/out.") + ext;
            QVERIFY(w.Use(ext == "csv" ? "ExportAction" : "ExportICalAction"));
            QVERIFY(w.Use(ext == "csv" ? "ImportAction" : "ImportICalAction"));
        }
        QCOMPARE(Env.LastNotice(),
                 std::string("Import Successful\n14 event(s) already in your list"));
        QCOMPARE(w.Rows(), 14);
    }

    void emptyListOpensNoDialog() {
        int dialogs = 0;
        auto count = [&](auto&&...) {
            ++dialogs;
            return QString();
        };
        SetFileDialogs({count, {}, count});
        TWindow w(*Env.Events);
        for (const char* name : {"ExportAction", "ArchiveAction", "BackupAction", "PrintAction"}) {
            Env.Notices.clear();
            QVERIFY(w.Use(name));
            QCOMPARE(Env.LastNotice(), std::string("There are no events in your Tickwell File!"));
        }
        QCOMPARE(dialogs, 0);
    }

    void minimisingClosesUnlessMainWindow() {
        for (const std::uint8_t mode : {smTray, smMain}) {
            StartMode = mode;
            const int before = OpenWindowCount;
            TWindow w(*Env.Events);
            w->showMinimized();
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(w.W.isNull() && !MainFrm, mode == smTray);
            QCOMPARE(OpenWindowCount, before + (mode == smTray ? 0 : 1));
        }
    }

    // The backup dialog: the chosen folder is kept as typed (case and all),
    // and OK writes the backup there.
    void backupFromTheMenu() {
        AddOneOfEach();
        const QString mixed = Env.Home.path() + "/Backups/MyDisk";
        QVERIFY(QDir().mkpath(mixed));
        SetFileDialogs(
            {{}, {}, [&](QWidget*, const QString&, const QString&) { return mixed + "/"; }});
        TWindow w(*Env.Events);
        WhenUp<TBackupDlg>([](TBackupDlg& dlg) {
            QTest::mouseClick(dlg.SetupBtn, Qt::LeftButton);
            QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
        });
        QVERIFY(w.Use("BackupAction"));
        QVERIFY(QFile::exists(mixed + "/backup.dat"));
    }
};

QTEST_MAIN(TestFrmMain)
#include "test_frm_main.moc"
