// The event lists of the main and due-events windows as a user meets them:
// whatever frees an event leaves no row for it in any window, an
// acknowledgement shows in every window, no command acts on a row the user did
// not choose, a click on a column heading sorts, and text fits the font.
#include "UiInput.h"
#include "UiTestEnv.h"
#include "app/AppGlobals.h"
#include "store/DataFile.h"
#include "store/Registry.h"
#include "store/SettingsSchema.h"
#include "ui/DescriptionEdit.h"
#include "ui/FileDialogs.h"
#include "ui/FrmMain.h"
#include "ui/FrmScan.h"
#include "ui/WindowLinks.h"
#include <QHelpEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QToolTip>
#include <QTreeWidget>

namespace {

QAbstractItemView* MainRows(TMainFrm* w) {
    return w->findChild<QAbstractItemView*>("EnhListView1");
}

QAbstractItemView* DueRows(TScanFrm* w) {
    return w->findChild<QAbstractItemView*>("ScanListView");
}

} // namespace

class TestWindowRows : public QObject {
    Q_OBJECT
    TUiTestEnv Env;
    QPointer<TScanFrm> Due;
    QPointer<TMainFrm> Main;

    // Due: Water plants (overdue, kept), Pay rent (today), Dentist (in three
    // days). Not due: Old trip (expired), Far away.
    void AddEvents() {
        MasterList->AddSorted(MakeEvent("Pay rent", Env.Day, true));
        MasterList->AddSorted(MakeEvent("Dentist", Env.Day + 3, true));
        MasterList->AddSorted(MakeEvent("Water plants", Env.Day - 10, false, 1, 1, 0, true));
        MasterList->AddSorted(MakeEvent("Old trip", Env.Day - 5, true));
        MasterList->AddSorted(MakeEvent("Far away", Env.Day + 60, true));
        SaveEvents(*MasterList, MasterList->FileName);
    }

    // The due-events window first, then the main window opened from it.
    void OpenBoth() {
        MasterList->Scan();
        Due = ShowDueEventsWindow();
        Main = ShowMainFrm();
        Main->findChild<QAction*>("EventDetailPane1")->trigger();
    }

    void PressInDue(Qt::Key key) {
        QVERIFY(Activate(Due));
        QTest::keyClick(DueRows(Due), key, Qt::AltModifier);
    }

    void PressInMain(Qt::Key key) {
        QVERIFY(Activate(Main));
        QTest::keyClick(MainRows(Main), key, Qt::AltModifier);
    }

private slots:
    void init() {
        Env.Reset();
        MainLinks() = {};
        DueLinks() = {};
        CalendarLinks() = {};
        ClockLinks() = {};
        FirstArgument = "/z";
        SetFileDialogs(
            {{}, {}, [this](QWidget*, const QString&, const QString&) { return Env.Home.path(); }});
        BackupDest = (Env.Home.path() + "/bk").toStdString();
        QDir().mkpath(Env.Home.path() + "/bk");
        TMyList backup;
        backup.AddSorted(MakeEvent("Restored", Env.Day + 90, true));
        SaveEvents(backup, BackupDest + "/backup.dat");
    }

    void cleanup() {
        delete Main.data();
        delete Due.data();
        StartMode = smMain;
        FirstArgument.clear();
        SetFileDialogs({});
    }

    void FreedEventsLeaveEveryWindow_data() {
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
            const QByteArray m = QByteArray::number(mode);
            QTest::newRow("delete in the due window, mode " + m)
                << mode << "due delete" << without(all, "Pay rent") << without(due, "Pay rent");
            QTest::newRow("delete in the main window, mode " + m)
                << mode << "main delete" << without(all, "Dentist") << without(due, "Dentist");
        }
        QTest::newRow("archive") << int(smDue) << "&Archive" << without(all, "Old trip") << due;
        QTest::newRow("compress") << int(smDue) << "&Compress" << without(all, "Old trip") << due;
        QTest::newRow("zap list") << int(smDue) << "&Zap List" << QStringList{} << QStringList{};
        QTest::newRow("restore") << int(smDue) << "&Restore..." << QStringList{"Restored"}
                                 << QStringList{};
    }

    void FreedEventsLeaveEveryWindow() {
        QFETCH(int, mode);
        QFETCH(QString, command);
        QFETCH(QStringList, mainRows);
        QFETCH(QStringList, dueRows);
        StartMode = static_cast<std::uint8_t>(mode);
        EventDeleteConfirm = false;
        Env.Answer = anYes;
        AddEvents();
        OpenBoth();
        if (command == "due delete") {
            QVERIFY(ClickRow(DueRows(Due), "Pay rent"));
            PressInDue(Qt::Key_D);
        } else if (command == "main delete") {
            QVERIFY(ClickRow(MainRows(Main), "Dentist"));
            PressInMain(Qt::Key_D);
        } else {
            QVERIFY(ChooseMenu(Main, "Fi&le", command));
        }
        QCOMPARE(SortedTexts(MainRows(Main)), mainRows);
        QCOMPARE(SortedTexts(DueRows(Due)), dueRows);
        QCOMPARE(Main->StatusPanel(0)->text(), QString::number(mainRows.size()) + "  Event(s) ");

        // Every row left shows its own event when clicked and edited.
        auto* pane = Main->findChild<QPlainTextEdit*>("Memo1");
        for (const QString& text : mainRows) {
            QVERIFY(ClickRow(MainRows(Main), text));
            QVERIFY2(pane->toPlainText().startsWith(text + "\n"), qPrintable(text));
        }
        if (mainRows.isEmpty())
            return;
        QVERIFY(ClickRow(MainRows(Main), mainRows.first()));
        QString edited;
        QVERIFY(Activate(Main));
        WithEditor([this] { QTest::keyClick(MainRows(Main), Qt::Key_E, Qt::AltModifier); },
                   [&edited](TEditFrm& f) {
                       edited = f.Memo1->toPlainText();
                       QTest::mouseClick(f.Button1, Qt::LeftButton);
                   });
        QCOMPARE(edited, mainRows.first());
        QCOMPARE(SortedTexts(MainRows(Main)), mainRows);
    }

    // Acknowledged in the due-events window, whatever the start mode: the
    // main window's row shows the date at once.
    void AcknowledgementShowsInTheMainWindow_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("due-events mode") << int(smDue);
        QTest::newRow("tray mode") << int(smTray);
    }

    void AcknowledgementShowsInTheMainWindow() {
        QFETCH(int, mode);
        StartMode = static_cast<std::uint8_t>(mode);
        AddEvents();
        OpenBoth();
        const QModelIndex before = RowShowing(MainRows(Main), "Pay rent");
        QCOMPARE(before.siblingAtColumn(5).data().toString(), QString());
        QVERIFY(ClickRow(DueRows(Due), "Pay rent"));
        PressInDue(Qt::Key_K);
        QVERIFY(!SortedTexts(DueRows(Due)).contains("Pay rent"));
        const QModelIndex after = RowShowing(MainRows(Main), "Pay rent");
        QCOMPARE(after.siblingAtColumn(5).data().toString(), QString("10/03/2026"));
    }

    // After a command removed the chosen row nothing is selected, so the
    // same key again acts on nothing.
    void NoCommandActsOnAnUnchosenRow_data() {
        QTest::addColumn<bool>("inDue");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("nothing");
        QTest::addColumn<int>("left");
        QTest::newRow("acknowledge") << true << int(Qt::Key_K) << "Nothing to Acknowledge" << 5;
        QTest::newRow("delete in the due window")
            << true << int(Qt::Key_D) << "Nothing to Delete" << 4;
        QTest::newRow("delete in the main window")
            << false << int(Qt::Key_D) << "Nothing to Delete" << 4;
    }

    void NoCommandActsOnAnUnchosenRow() {
        QFETCH(bool, inDue);
        QFETCH(int, key);
        QFETCH(QString, nothing);
        QFETCH(int, left);
        StartMode = smTray;
        EventDeleteConfirm = false;
        AddEvents();
        OpenBoth();
        QAbstractItemView* view = inDue ? DueRows(Due) : MainRows(Main);
        // The middle row, so that rows remain on both sides.
        QVERIFY(ClickRow(view, ShownTexts(view)[1]));
        for (int press = 0; press < 2; ++press) {
            if (inDue)
                PressInDue(Qt::Key(key));
            else
                PressInMain(Qt::Key(key));
            QCOMPARE(SelectedRows(view), 0);
        }
        QCOMPARE(MasterList->Count(), left);
        QCOMPARE(QString::fromStdString(Env.LastNotice()), nothing);
        QCOMPARE(int(Env.Notices.size()), 1);
    }

    void HeaderClickSortsAndIsKept_data() {
        QTest::addColumn<bool>("inDue");
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("ascending");
        QTest::newRow("main, description")
            << false << 0
            << QStringList{"Dentist", "Far away", "Old trip", "Pay rent", "Water plants"};
        QTest::newRow("main, date")
            << false << 1
            << QStringList{"Old trip", "Pay rent", "Dentist", "Water plants", "Far away"};
        QTest::newRow("due, event")
            << true << 0 << QStringList{"Dentist", "Pay rent", "Water plants"};
        QTest::newRow("due, when")
            << true << 2 << QStringList{"Water plants", "Pay rent", "Dentist"};
    }

    void HeaderClickSortsAndIsKept() {
        QFETCH(bool, inDue);
        QFETCH(int, column);
        QFETCH(QStringList, ascending);
        QStringList descending = ascending;
        std::reverse(descending.begin(), descending.end());
        AddEvents();
        OpenBoth();
        auto view = [this, inDue] { return inDue ? DueRows(Due) : MainRows(Main); };
        auto* tree = qobject_cast<QTreeView*>(view());
        ClickHeader(tree->header(), column);
        QCOMPARE(ShownTexts(view()), ascending);
        ClickHeader(tree->header(), column);
        QCOMPARE(ShownTexts(view()), descending);

        delete Main.data();
        delete Due.data();
        const TRegIniFile ini(inDue ? kDueListKey : kMainListKey);
        QCOMPARE(ini.ReadString(kSortSection, kSortColValue, ""), std::to_string(column));
        QCOMPARE(ini.ReadString(kSortSection, kAscendingValue, ""), std::string("0"));
        OpenBoth();
        QCOMPARE(ShownTexts(view()), descending);
    }

    // Columns, the detail pane and the status bar are sized for the font;
    // the description column takes the free width, the whole description
    // shows as a tooltip, and widths the user set are kept.
    void TextFitsTheFont_data() {
        QTest::addColumn<int>("points");
        QTest::newRow("9 points") << 9;
        QTest::newRow("14 points") << 14;
    }

    void TextFitsTheFont() {
        QFETCH(int, points);
        const QFont before = QApplication::font();
        QFont font = before;
        font.setPointSize(points);
        QApplication::setFont(font);
        const QString longText =
            "Renew the passport for the summer holiday trip to the mountains with the family";
        const QString multiLine = "Dentist appointment\nBring the insurance card\nAsk about it";
        MasterList->AddSorted(MakeEvent(longText.toStdString(), Env.Day + 1, true));
        MasterList->AddSorted(
            MakeEvent(QString(multiLine).replace("\n", "\r\n").toStdString(), Env.Day + 2, true));
        for (int i = 0; i < 150; ++i)
            MasterList->AddSorted(
                MakeEvent("Monthly " + std::to_string(i), Env.Day + 10 + i, false, etMonthlyDate));
        StartMode = smTray;
        OpenBoth();
        Main->resize(1200, 600);
        QCoreApplication::processEvents();

        for (QAbstractItemView* view : {MainRows(Main), DueRows(Due)}) {
            auto* tree = qobject_cast<QTreeView*>(view);
            int others = 0;
            for (int c = 1; c < tree->header()->count(); ++c) {
                QVERIFY2(view->sizeHintForColumn(c) <= tree->columnWidth(c),
                         qPrintable(QString("column %1").arg(c)));
                others += tree->columnWidth(c);
            }
            QCOMPARE(tree->columnWidth(0),
                     std::max(tree->viewport()->width() - others, tree->columnWidth(0)));
            QVERIFY(!tree->horizontalScrollBar()->isVisible());
            QVERIFY(tree->columnWidth(0) > 150);

            const QModelIndex row = RowShowing(view, "Dentist appointment");
            // What the pointer resting on the row sends.
            const QPoint at = view->visualRect(row).center();
            QHelpEvent hover(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
            QApplication::sendEvent(view->viewport(), &hover);
            QTRY_VERIFY(QToolTip::isVisible());
            QCOMPARE(QToolTip::text(), multiLine);
            QToolTip::hideText();
        }

        QVERIFY(ClickRow(MainRows(Main), "Dentist appointment"));
        auto* pane = Main->findChild<QPlainTextEdit*>("Memo1");
        QCOMPARE(pane->toPlainText().count('\n'), 6);
        QCOMPARE(pane->verticalScrollBar()->maximum(), 0);

        QVERIFY(Activate(Main));
        QTest::keyClick(Main, Qt::Key_F5, Qt::ControlModifier);
        QLabel* panel = Main->StatusPanel(0);
        QCOMPARE(panel->text(), QString("150  Monthly - Date Event(s) "));
        QVERIFY(panel->fontMetrics().horizontalAdvance(panel->text()) <=
                panel->contentsRect().width());

        // A width the user sets stays, also on the next opening.
        auto* due = qobject_cast<QTreeView*>(DueRows(Due));
        DragColumnEdge(due->header(), 0, -40);
        const int set = due->columnWidth(0);
        Due->resize(Due->width() + 100, Due->height());
        QCoreApplication::processEvents();
        QCOMPARE(due->columnWidth(0), set);
        delete Due.data();
        Due = ShowDueEventsWindow();
        QCOMPARE(qobject_cast<QTreeView*>(DueRows(Due))->columnWidth(0), set);
        QApplication::setFont(before);
    }
};

QTEST_MAIN(TestWindowRows)
#include "test_window_rows.moc"
