// The rows of an event list: freed events leave them at once, however many
// and wherever they are, and a row that stays keeps its selection while few
// go; a sort is stable both ways and puts a date that is no number apart.
#include "UiTestEnv.h"
#include "ui/EventListView.h"
#include "ui/EventTableModel.h"
#include <cmath>

class TestEventTable : public QObject {
    Q_OBJECT
    TUiTestEnv Env;

private slots:
    void init() { Env.Reset(); }

    void freedEventsLeave_data() {
        QTest::addColumn<QList<int>>("freed");
        QTest::addColumn<int>("selected");
        QTest::addColumn<bool>("keepsSelection");
        QTest::newRow("a run beside the selected") << QList<int>{6, 7, 8} << 5 << true;
        QTest::newRow("the first and the last") << QList<int>{0, 39} << 5 << true;
        QList<int> apart;
        for (int i = 1; i < 40; i += 2)
            apart << i;
        QTest::newRow("many apart") << apart << 4 << false;
    }
    void freedEventsLeave() {
        QFETCH(QList<int>, freed);
        QFETCH(int, selected);
        QFETCH(bool, keepsSelection);
        for (int i = 0; i < 40; ++i)
            Env.Add(MakeEvent("E" + std::to_string(i), Env.Day + i, true));
        TEventTableModel rows({DescriptionColumn("Event")});
        TEventListView view(&rows);
        rows.SetEvents(Env.Book->MasterList.All());
        view.SelectRow(selected);
        TTickwellItem* chosen = view.SelectedEvent();
        std::vector<TTickwellItem*> gone, left;
        for (int i = 0; i < 40; ++i)
            (freed.contains(i) ? gone : left).push_back(Env.Book->MasterList.At(i));
        Env.Book->MasterList.RemoveEvents(gone);
        FreeEvents(gone);
        QVERIFY(rows.Events() == left);
        QCOMPARE(view.SelectedEvent(), keepsSelection ? chosen : nullptr);
    }

    // A repeat type with a code that names none, as a damaged file may hold,
    // shows no name; a sort by number is stable both ways and puts a date
    // that is no number apart.
    void typeNamesAndStableSort_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("order");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("type names")
            << 0 << -1 << QStringList{"Once Only", "Daily", "Accounting", "", ""};
        QTest::newRow("ascending")
            << 1 << int(Qt::AscendingOrder) << QStringList{"b1", "d1", "a3", "c3", "no date"};
        QTest::newRow("descending")
            << 1 << int(Qt::DescendingOrder) << QStringList{"no date", "a3", "c3", "b1", "d1"};
    }
    void typeNamesAndStableSort() {
        QFETCH(int, column);
        QFETCH(int, order);
        QFETCH(QStringList, rows);
        // Once only, then repeat codes 0 and 5 (the last with a name), 6 and 200.
        const std::pair<bool, int> codes[] = {
            {true, 3}, {false, 0}, {false, 5}, {false, 6}, {false, 200}};
        std::vector<TTickwellItem*> events;
        const char* texts[] = {"a3", "no date", "b1", "c3", "d1"};
        for (int i = 0; i < 5; ++i) {
            events.push_back(MakeEvent(texts[i], Env.Day, codes[i].first, codes[i].second));
            Env.Add(events.back());
            events.back()->NextDate = i == 1 ? std::nan("") : texts[i][1] - '0';
        }
        TEventTableModel model({TypeColumn("Type"), DescriptionColumn("Event"),
                                SortedByNumber(
                                    "Date", [](const TTickwellItem&) { return QString(); },
                                    [](const TTickwellItem& e) { return e.NextDate; })});
        model.SetEvents(events);
        if (order >= 0)
            model.sort(2, Qt::SortOrder(order));
        QStringList shown;
        for (int r = 0; r < model.rowCount(); ++r)
            shown << model.index(r, column).data().toString();
        QCOMPARE(shown, rows);
    }
};

QTEST_MAIN(TestEventTable)
#include "test_event_table.moc"
