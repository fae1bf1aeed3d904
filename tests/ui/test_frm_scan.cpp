// The due-events window: its rows and columns, the commands, the view options
// and their settings, and how it closes in each start mode.
#include "UiTestEnv.h"
#include "store/DataFile.h"
#include "store/SettingsSchema.h"
#include "ui/FrmMain.h"
#include "ui/FrmScan.h"
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

class TestFrmScan : public QObject {
    Q_OBJECT
    TUiTestEnv Env;
    TTickwellItem* Overdue = nullptr;

    // One event of each due kind, saved and scanned.
    void AddFourKinds() {
        Overdue = MakeEvent("Water plants", Env.Day - 10, false, 1, 1, 0, true);
        for (TTickwellItem* e : {MakeEvent("Dentist\r\nbring card", Env.Day + 3, true),
                                 MakeEvent("Pay rent", Env.Day, true), Overdue,
                                 MakeEvent("Return books", Env.Day - 2, true, 0, 1, 0, true)})
            Env.Add(e);
        SaveEvents(Env.Book->MasterList, Env.Book->MasterList.FileName);
        Env.Book->MasterList.Scan();
    }

    std::unique_ptr<TScanFrm> Shown() {
        auto w = std::make_unique<TScanFrm>(*Env.Events);
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        w->show();
        Activate(w.get());
        return w;
    }

    // What the data file holds now.
    TTickwellItem* OnDisk(const std::string& description) {
        static TMyList loaded;
        loaded.FreeAll();
        LoadEvents(loaded, Env.Book->MasterList.FileName);
        for (TTickwellItem* e : loaded.All())
            if (e->Description == description)
                return e;
        return nullptr;
    }

private slots:
    void init() { Env.Reset(); }

    // The options and the columns are kept for the next start.
    void RowsViewOptionsAndTheirSettings() {
        AddFourKinds();
        {
            auto w = Shown();
            QTreeView* list = w->ScanListView;
            QCOMPARE(ShownTexts(list, 2), (QStringList{"-3", "-2", "0", "3"}));
            QHeaderView* h = list->header();
            h->moveSection(2, 0);
            ClickHeader(h, 2); // sort by "When", ascending
            ClickHeader(h, 2); // again: descending
            // Each option from the pop-up menu, opened below the rows, rewrites
            // the rows at once.
            const QPoint below(10, list->viewport()->height() - 10);
            for (QAction* a : {w->LongDateAction, w->ShowIconsAction, w->ShowHeaderAction,
                               w->TitleDateAction, w->BriefDaysAction, w->EnableSoundAction})
                QVERIFY(ChooseFromContextMenu(list->viewport(), a, below));
            QCOMPARE(ShownTexts(list, 2)[0], QString("3 days"));
            w->resize(520, 300);
            w->move(40, 50);
        }
        // Closing in the main mode is no run of the due list.
        QVERIFY(!TWinRegistry().ValueExists("QuickMode", "LastRun"));
        // Read back at the next start.
        auto w = Shown();
        QVERIFY(!w->LongDateAction->isChecked() && w->EnableSoundAction->isChecked());
        QCOMPARE(QRect(w->pos(), w->size()), QRect(40, 50, 520, 300));
        QCOMPARE(w->ScanListView->header()->logicalIndex(0), 2);
        // Sorted by day count, not by text: 3, 0, -2, -3.
        QCOMPARE(ShownTexts(w->ScanListView, 0),
                 (QStringList{"Dentist", "Pay rent", "Return books", "Water plants"}));
    }

    // By the button for a selected row, or the key; saved at once; the
    // overdue one is acknowledged for the occurrence it reported. Its row
    // leaving every window is the window-rows test's.
    void AcknowledgeSaves() {
        AddFourKinds();
        auto w = Shown();
        QVERIFY(ClickRow(w->ScanListView, "Dentist"));
        QTest::mouseClick(w->AckBtn, Qt::LeftButton);
        QVERIFY(!w->AckBtn->isEnabled());
        QVERIFY(ClickRow(w->ScanListView, "Water plants"));
        AltKey(w->ScanListView, Qt::Key_K);
        QCOMPARE(OnDisk("Dentist\r\nbring card")->AckDate, Env.Day + 3);
        QCOMPARE(OnDisk("Water plants")->AckDate, Overdue->PrevDate);
    }

    // Snooze, on the button and the right-button menu, puts the selected
    // event off for the options' period, saved; its acknowledgement stays.
    void SnoozeSaves() {
        AddFourKinds();
        WriteSetting(kSnoozeMinutes, 240);
        auto w = Shown();
        QVERIFY(ClickRow(w->ScanListView, "Pay rent"));
        QTest::mouseClick(w->SnoozeBtn, Qt::LeftButton);
        QVERIFY(ClickRow(w->ScanListView, "Water plants"));
        QTreeView* list = w->ScanListView;
        QVERIFY(ChooseFromContextMenu(list->viewport(), w->SnoozeAction,
                                      list->visualRect(list->currentIndex()).center()));
        QCOMPARE(ShownTexts(list), (QStringList{"Return books", "Dentist"}));
        QCOMPARE(OnDisk("Pay rent")->SnoozeEnd(), Env.Day + 4.0 / 24);
        QCOMPARE(OnDisk("Water plants")->AckDate, 0.0);
    }

    // An edit made here reaches a main window it did not call: the event
    // made to repeat leaves a list filtered to once-only events, and stays
    // due here.
    void EditedHereLeavesAMainListWhoseFilterHidesIt() {
        AddFourKinds();
        TTestWindow<TMainFrm> main(*Env.Events);
        QVERIFY(Use(main.W, main->findChild<QAction*>("View1"))); // once only
        QVERIFY(ShownTexts(main->ListView()).contains("Pay rent"));
        auto w = Shown();
        QVERIFY(ClickRow(w->ScanListView, "Pay rent"));
        WithDialog([&] { AltKey(w->ScanListView, Qt::Key_E); },
                   [](TEditFrm& f) {
                       QTest::mouseClick(f.Rept, Qt::LeftButton);
                       QTest::mouseClick(f.OkBtn, Qt::LeftButton);
                   });
        QVERIFY(!ShownTexts(main->ListView()).contains("Pay rent"));
        QCOMPARE(main->StatusPanel(0)->text(), QString("2  Once Only Event(s) "));
        QVERIFY(ShownTexts(w->ScanListView, 0).contains("Pay rent"));
    }

    // Shown modally as at start-up. In due-events mode the Exit item is
    // hidden, but its key (now the Exit button's) still closes the window.
    void DueEventsModeEndsTheProgram() {
        StartMode = smDue;
        auto* w = new TScanFrm(*Env.Events);
        QPointer<TScanFrm> p(w);
        QTimer::singleShot(0, w, [w] { AltKey(w->ScanListView, Qt::Key_X); });
        bool stuck = false;
        QTimer::singleShot(3000, w, [w, &stuck] { stuck = w->close(); });
        w->ExecModal();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(p.isNull() && !stuck);
        QCOMPARE(ReadLastRun(TWinRegistry()), Env.Day);
        QCOMPARE(Env.EndRequests, 1);
    }

    void CloseAndExitByStartMode() {
        QWidget mainWindow;
        mainWindow.show();
        MainLinks().Window = &mainWindow;
        auto w = Shown();
        AltKey(w->ScanListView, Qt::Key_X);
        QVERIFY(!mainWindow.isVisible());
        int exits = 0;
        ClockLinks().ExitProgram = [&exits] { ++exits; };
        StartMode = smTray;
        AltKey(w->ScanListView, Qt::Key_X);
        QCOMPARE(exits, 1);
        StartMode = smMain;
        w->QuitOnClose = true;
        QTest::mouseClick(w->CloseBtn, Qt::LeftButton);
        QCOMPARE(Env.EndRequests, 1);
        QVERIFY(!w->isVisible());
    }
};

QTEST_MAIN(TestFrmScan)
#include "test_frm_scan.moc"
