// The event lists of the main, due-events and calendar windows as a user
// meets them: whatever frees or changes an event shows in every window at
// once, no command acts on a row the user did not choose, a click on a column
// heading sorts, and columns fit the font.
#include "UiTestEnv.h"
#include "store/DataFile.h"
#include "store/Settings.h"
#include "ui/CalDueList.h"
#include "ui/CalWeekPage.h"
#include "ui/EventTableModel.h"
#include "ui/FileDialogs.h"
#include "ui/FrmCal.h"
#include "ui/FrmMain.h"
#include "ui/FrmScan.h"
#include <QLabel>
#include <QPlainTextEdit>
#include <unordered_set>

class TestWindowRows : public QObject {
    Q_OBJECT
    TUiTestEnv Env;
    QPointer<TScanFrm> Due;
    QPointer<TMainFrm> Main;
    QPointer<TCalFrm> Cal;

    // Due: Water plants (overdue, kept), Pay rent (today), Dentist (in three
    // days). Not due: Old trip (expired), Far away. The calendar opens first,
    // then the due-events window, the main window from it, with its detail
    // pane.
    void OpenBoth(int mode) {
        StartMode = static_cast<std::uint8_t>(mode);
        for (TTickwellItem* e :
             {MakeEvent("Pay rent", Env.Day, true), MakeEvent("Dentist", Env.Day + 3, true),
              MakeEvent("Water plants", Env.Day - 10, false, 1, 1, 0, true),
              MakeEvent("Old trip", Env.Day - 5, true), MakeEvent("Far away", Env.Day + 60, true)})
            Env.Add(e);
        Env.Book->MasterList.Scan();
        Cal = ShowCalFrm(*Env.Events);
        Due = ShowDueEventsWindow(*Env.Events);
        Main = ShowMainFrm(*Env.Events);
        QVERIFY(ChooseMenu(Main, "&View", "Event Detail &Pane"));
    }

private slots:
    void init() {
        Env.Reset();
        FirstArgument = "/z";
        TSettings().Set(kEventDeleteConfirm, false);
        Env.Answer = anYes;
        SetFileDialogs(
            {{}, {}, [this](QWidget*, const QString&, const QString&) { return Env.Home.path(); }});
        // The backup folder is the data folder while none is set.
        TMyList backup;
        backup.AddSorted(MakeEvent("Restored", Env.Day + 90, true));
        SaveEvents(backup, Env.Home.path().toStdString() + "/backup.dat");
    }

    // Every month cell, day list and due row of the calendar refers to an
    // event still in the list (compared by address, never read).
    bool CalendarHoldsOnlyLiveEvents() const {
        const std::unordered_set<const TTickwellItem*> live(Env.Book->MasterList.All().begin(),
                                                            Env.Book->MasterList.All().end());
        std::vector<const TTickwellItem*> held;
        for (int c = 0; c < 7; ++c)
            for (int r = 1; r < 7; ++r)
                held.insert(held.end(), Cal->DayCellEvents(c, r).begin(),
                            Cal->DayCellEvents(c, r).end());
        for (int day = 1; day <= 7; ++day)
            held.insert(held.end(), Cal->WeekPage->Model(day)->Events().begin(),
                        Cal->WeekPage->Model(day)->Events().end());
        held.insert(held.end(), Cal->DueEvents->View()->Rows()->Events().begin(),
                    Cal->DueEvents->View()->Rows()->Events().end());
        return std::all_of(held.begin(), held.end(), [&](auto e) { return live.count(e) > 0; });
    }

    void cleanup() {
        delete Cal.data();
        delete Main.data();
        delete Due.data();
    }

    void EveryWindowShowsTheChange_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("mainRows");
        QTest::addColumn<QStringList>("dueRows");
        const QStringList due{"Dentist", "Pay rent", "Water plants"};
        const QStringList all{"Dentist", "Far away", "Old trip", "Pay rent", "Water plants"};
        auto without = [](QStringList l, const QString& gone) {
            l.removeAll(gone);
            return l;
        };
        for (const int mode : {int(smDue), int(smTray), int(smMain)}) {
            const QByteArray m = " in mode " + QByteArray::number(mode);
            QTest::newRow("due delete" + m)
                << mode << "due delete" << without(all, "Pay rent") << without(due, "Pay rent");
            QTest::newRow("main delete" + m)
                << mode << "main delete" << without(all, "Dentist") << without(due, "Dentist");
        }
        QTest::newRow("due ack") << int(smDue) << "due ack" << all << without(due, "Pay rent");
        QTest::newRow("archive") << int(smDue) << "&Archive" << without(all, "Old trip") << due;
        QTest::newRow("compress") << int(smDue) << "&Compress" << without(all, "Old trip") << due;
        QTest::newRow("zap list") << int(smDue) << "&Zap List" << QStringList{} << QStringList{};
        QTest::newRow("restore") << int(smDue) << "&Restore..." << QStringList{"Restored"}
                                 << QStringList{};
    }

    void EveryWindowShowsTheChange() {
        QFETCH(int, mode);
        QFETCH(QString, command);
        QFETCH(QStringList, mainRows);
        QFETCH(QStringList, dueRows);
        OpenBoth(mode);
        const bool inMain = command.startsWith("main ");
        QTreeView* view = inMain ? Main->ListView() : Due->ScanListView;
        const Qt::Key key = command.endsWith("ack") ? Qt::Key_K : Qt::Key_D;
        if (inMain || command.startsWith("due ")) {
            // The middle row, so that rows stay on both sides of it.
            QVERIFY(ClickRow(view, ShownTexts(view)[inMain ? 2 : 1]));
            AltKey(view, key);
            // The row is gone and no other took its place: the key again
            // finds nothing to act on.
            QCOMPARE(view->selectionModel()->selectedRows().size(), 0);
            AltKey(view, key);
            QCOMPARE(Env.LastNotice(), std::string(key == Qt::Key_K ? "Nothing to Acknowledge"
                                                                    : "Nothing to Delete"));
        } else {
            QVERIFY(ChooseMenu(Main, "Fi&le", command));
        }
        QCOMPARE(SortedTexts(Main->ListView()), mainRows);
        QCOMPARE(Main->StatusPanel(0)->text(), QString("%1  Event(s) ").arg(mainRows.size()));
        QCOMPARE(SortedTexts(Due->ScanListView), dueRows);
        QCOMPARE(SortedTexts(Cal->DueEvents->View()), dueRows);
        QVERIFY(CalendarHoldsOnlyLiveEvents());
        // Each row left shows its own event (a freed one would be read here).
        for (const QString& text : mainRows) {
            QVERIFY(ClickRow(Main->ListView(), text));
            QVERIFY(Main->findChild<QPlainTextEdit*>("DetailText")->toPlainText().startsWith(text));
        }
    }

    // A heading click sorts and is kept; it moves the rows, not the
    // selection, so the next command acts on the row the user chose.
    void HeaderClickSortsAndIsKept() {
        const QStringList byDate{"Old trip", "Pay rent", "Dentist", "Water plants", "Far away"};
        OpenBoth(smTray);
        QVERIFY(ClickRow(Due->ScanListView, "Dentist"));
        ClickHeader(Due->ScanListView->header(), 0);
        AltKey(Due->ScanListView, Qt::Key_K);
        QCOMPARE(SortedTexts(Due->ScanListView), QStringList({"Pay rent", "Water plants"}));
        ClickHeader(Main->ListView()->header(), 1);
        QCOMPARE(ShownTexts(Main->ListView()), byDate);
        ClickHeader(Main->ListView()->header(), 1);
        QStringList reversed(byDate.rbegin(), byDate.rend());
        QCOMPARE(ShownTexts(Main->ListView()), reversed);
        delete Main.data();
        Main = ShowMainFrm(*Env.Events);
        QCOMPARE(ShownTexts(Main->ListView()), reversed);
    }
};

QTEST_MAIN(TestWindowRows)
#include "test_window_rows.moc"
