// The calendar window driven as a user drives it: the month cells, navigation
// by buttons, keys and the navigator, the week page with either week start,
// the choosers, the commands and the order in which they bring the other
// windows up to date.
#include "UiTestEnv.h"
#include "core/DateFormat.h"
#include "core/HalvaneDates.h"
#include "store/DataFile.h"
#include "ui/CalDueList.h"
#include "ui/CalWeekPage.h"
#include "ui/DescriptionEdit.h"
#include "ui/EventListView.h"
#include "ui/FrmCal.h"
#include "ui/MyCal.h"
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QToolButton>

namespace {

constexpr auto D = &EncodeDate;

QPoint DayCentre(const TMyCalendar* cal, int day) {
    const int offset = day - cal->FirstCellDay();
    return cal->CellRect(offset % 7, offset / 7 + 1).center();
}

// Waiters of the running case, dropped when it ends.
QObject* Waiters = nullptr;

QStringList Entries(const QMenu* m) {
    QStringList out;
    for (const QAction* a : m->actions())
        if (a->isVisible() && !a->isSeparator())
            out << (a->isEnabled() ? a->text() : a->text() + " (off)");
    return out;
}

void ClickEntry(QMenu* m, const QString& text) {
    for (QAction* a : m->actions())
        if (a->isVisible() && a->text() == text) {
            QTest::mouseClick(m, Qt::LeftButton, {}, m->actionGeometry(a).center());
            return;
        }
    m->close();
}

// A double click as the desktop sends it: a click, then the second press.
void DoubleClick(QWidget* w, const QPoint& at) {
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
    QTest::mouseDClick(w, Qt::LeftButton, {}, at);
}

// A calendar window, with the texts of its cells and the input of a user.
struct TWindow : TTestWindow<TCalFrm> {
    using TTestWindow::TTestWindow;
    QToolButton* Button(const char* action) const {
        auto* bar = W->findChild<QToolBar*>("ToolBar");
        return qobject_cast<QToolButton*>(bar->widgetForAction(W->findChild<QAction*>(action)));
    }
    QStringList Cell(int day) const {
        const int offset = day - W->Cal->FirstCellDay();
        QStringList out;
        for (TTickwellItem* e : W->DayCellEvents(offset % 7, offset / 7 + 1))
            out << QString::fromStdString(FirstLine(e->Description));
        return out;
    }
    // Keys, clicks and menu choices, separated by blanks.
    void Input(const QString& steps) const {
        for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
            TMyCalendar* grid = step.startsWith("day") ? W->DayCal : W->Cal;
            if (step.startsWith("day") || step.startsWith("cal"))
                QTest::mouseClick(grid, Qt::LeftButton, {}, DayCentre(grid, step.mid(3).toInt()));
            else if (step.endsWith("Arrow"))
                QTest::mouseClick(W->findChild<QToolButton*>(step), Qt::LeftButton);
            else if (step.endsWith("Btn"))
                QTest::mouseClick(Button(step.toLatin1()), Qt::LeftButton);
            else if (step == "dblThu")
                DoubleClick(
                    W->WeekPage->List(4)->viewport(),
                    W->WeekPage->List(4)->visualRect(W->WeekPage->Model(4)->index(0)).center());
            else {
                // Shortcuts reach the active window only.
                if (!Activate(W))
                    qWarning("The calendar window did not become active");
                QTest::keySequence(W.data(), QKeySequence(step));
            }
        }
    }
};

} // namespace

class TestFrmCal : public QObject {
    Q_OBJECT
    TUiTestEnv Env;
    QStringList Order;

private slots:
    void init() {
        delete Waiters;
        Waiters = new QObject;
        Env.Reset();
        Order.clear();
    }

    // Two months on, Thursday the 7th of May is marked, the 8th not.
    void MarksTheDaysOfEvents() {
        Env.Add(MakeEvent("Gym", D(2026, 3, 5), false, etWeekly));
        TWindow w(*Env.Events);
        w.Input("Ctrl+N Ctrl+N");
        const int at = 7 - w->Cal->FirstCellDay();
        QVERIFY(w->Cal->Mark(at % 7, at / 7 + 1) && !w->Cal->Mark((at + 1) % 7, (at + 1) / 7 + 1));
    }

    // Each way to another day or period: the grids, the navigator and the
    // header follow, and the month reached is marked and filled.
    void Navigation() {
        const TDateTime jan31 = D(2026, 1, 31);
        const struct {
            TDateTime Today;
            const char* Input;
            TDateTime Selected;
            const char* Header;
        } cases[] = {
            {jan31, "Ctrl+N", D(2026, 2, 28), "February"},
            {jan31, "Ctrl+N cal3 Ctrl+O", jan31, "January"},
            {jan31, "Alt+W NextWeekArrow", D(2026, 2, 7), "02 February - 08 February"},
            {D(2026, 3, 10), "Alt+W day15", D(2026, 3, 15), "09 March - 15 March"}, // a Sunday
        };
        for (const auto& c : cases) {
            init();
            FixToday(c.Today);
            Env.Add(MakeEvent("Every day", D(2020, 1, 1), false, etDaily));
            TWindow w(*Env.Events);
            w.Input(c.Input);
            QCOMPARE(w->DayCal->ShownDate(), c.Selected);
            QCOMPARE(w->PeriodLabel->text(), QString(c.Header));
            QCOMPARE(w.Cell(DayOf(c.Selected)), QStringList{"Every day"});
        }
    }

    // The menu entry changes the week start of the grids, the week page and
    // the status bar's week number at once (an options change takes the same
    // path): Saturday 14 March 2026 is in ISO week 11 and in the tenth week
    // counted from Sundays, the one that begins on the 8th.
    void WeekStart() {
        const TDateTime sat = D(2026, 3, 14);
        FixToday(sat);
        Env.Add(MakeEvent("Saturday lunch", sat, true));
        TWindow w(*Env.Events);
        w.Input("Alt+W");
        QCOMPARE(w->StatusPanels[1]->text(), QString("Week 11"));
        QVERIFY(ChooseMenu(w.W, w->findChild<QAction*>("SundayStartAction")));
        QCOMPARE(w->Cal->CellText(0, 0), QString("Sun"));
        QCOMPARE(w->WeekPage->DayName(1)->text(), QString("Sunday"));
        QCOMPARE(w->WeekPage->Model(7)->rowCount(), 1);
        QCOMPARE(w->PeriodLabel->text(), QString("08 March - 14 March"));
        QCOMPARE(w->StatusPanels[1]->text(), QString("Week 10"));
    }

    // Events of one day, added in the order A, B, C, with equal next dates:
    // the month cell, its chooser, the week page's day and the due list all
    // show them in that order, and so do they after each of two restarts.
    void OneOrderForTheEventsOfADay() {
        Env.Add(MakeEvent("A", D(2026, 3, 12), true));
        Env.Add(MakeEvent("B", D(2020, 3, 12), false, etYearly));
        Env.Add(MakeEvent("C", D(2026, 1, 12), false, etMonthlyDate));
        const QString path = Env.Home.path() + "/tickwell.dat";
        const QStringList abc{"A", "B", "C"};
        for (int restart = 0; restart < 3; ++restart) {
            if (restart > 0) {
                QVERIFY(SaveEvents(Env.Book->MasterList, path.toStdString()));
                Env.Book->MasterList.FreeAll();
                QVERIFY(LoadEvents(Env.Book->MasterList, path.toStdString()));
            }
            TWindow w(*Env.Events);
            // The window reopens on the week page it was closed on.
            w.Input("Alt+M cal12");
            QCOMPARE(w.Cell(12), abc);
            QStringList chooser;
            WhenUp<QMenu>(
                [&](QMenu& m) {
                    chooser = Entries(&m);
                    m.close();
                },
                Waiters);
            w.Input("EdBtn");
            QTRY_COMPARE(chooser, (QStringList{"1. A", "2. B", "3. C"}));
            w.Input("Alt+W");
            QCOMPARE(ShownTexts(w->WeekPage->List(4)), abc);
            QCOMPARE(ShownTexts(w->DueEvents->View()), abc);
        }
    }

    // Edit and Delete on a day: nothing, the one event, or a choice of them
    // (twenty at most); on the week page, the focused list's event.
    void Choosers() {
        QStringList many;
        for (int i = 1; i <= 20; ++i)
            many << QString("%1. E%1").arg(i);
        const struct {
            int Events;
            const char* Input;
            const char* Pick;
            QStringList Expected;
        } cases[] = {
            {0, "EdBtn", "", {"Nothing to Edit"}},
            {1, "EdBtn", "", {"editor: E1"}},
            {2, "EdBtn", "2. E2", {"1. E1", "2. E2", "editor: E2"}},
            {2, "Alt+D", "1. E1", {"1. E1", "2. E2", "left: E2"}},
            {25, "EdBtn", "", many + QStringList{"\u2026and 5 more (off)"}},
            {1, "Alt+W dblThu", "", {"editor: E1"}},
        };
        for (const auto& c : cases) {
            init();
            for (int i = 1; i <= c.Events; ++i)
                Env.Add(MakeEvent("E" + std::to_string(i), D(2026, 3, 12), true));
            TWindow w(*Env.Events);
            w.Input("cal12");
            QStringList seen;
            WhenUp<QMenu>(
                [&](QMenu& m) {
                    seen << Entries(&m);
                    ClickEntry(&m, c.Pick);
                },
                Waiters);
            WhenUp<TEditFrm>(
                [&](TEditFrm& f) {
                    seen << "editor: " + f.DescriptionEdit->toPlainText();
                    QTest::mouseClick(f.CancelBtn, Qt::LeftButton);
                },
                Waiters);
            w.Input(c.Input);
            auto outcome = [&] {
                QStringList all = seen;
                for (const auto& [text, kind] : Env.Notices)
                    all << QString::fromStdString(text);
                if (QString(c.Input) == "Alt+D")
                    all << "left: " + w.Cell(12).join(",");
                return all;
            };
            QTRY_COMPARE(outcome(), c.Expected);
        }
    }

    // A repeating event deleted after the question, with a save that fails:
    // gone from every list of the calendar all the same; Cancel keeps it.
    void DeleteWhoseSaveFails() {
        for (const TAnswer answer : {anCancel, anOk}) {
            init();
            Env.Add(MakeEvent("Water plants", D(2026, 3, 5), false, etWeekly, 1, 7, true));
            Env.Book->MasterList.FileName = Env.Home.path().toStdString() + "/missing/tickwell.dat";
            TWindow w(*Env.Events);
            Env.Answer = answer;
            w.Input("cal12 DelBtn");
            const int left = answer == anOk ? 0 : 1;
            QCOMPARE(w.Cell(12).size() + w->DueEvents->RowCount(), 2 * left);
            QCOMPARE(Env.Notices.size(), size_t(1 - left));
            // Drawn again: a freed event still held would be read here.
            w->Cal->grab();
        }
    }

    void AddAndAcknowledge() {
        Env.Add(MakeEvent("Water plants", Env.Day - 10, false, etWeekly, 1, 0, true));
        // What the book tells every window, as the calendar's commands make it.
        const auto note = [this](const char* what) {
            return [this, what](const std::vector<TTickwellItem*>& events) {
                for (const TTickwellItem* e : events)
                    Order << QString("%1 %2").arg(what, QString::fromStdString(e->Description));
            };
        };
        connect(Env.Events.get(), &TEventBookSignals::Added, this, note("added"));
        connect(Env.Events.get(), &TEventBookSignals::Changed, this, note("changed"));
        TWindow w(*Env.Events);
        // A double click on a day adds an event starting on it.
        WhenUp<TEditFrm>(
            [](TEditFrm& f) {
                QTest::keyClicks(f.DescriptionEdit, "Car service");
                QTest::mouseClick(f.OkBtn, Qt::LeftButton);
            },
            Waiters);
        DoubleClick(w->Cal, DayCentre(w->Cal, 20));
        QTRY_COMPARE(w.Cell(20), QStringList{"Car service"});
        QCOMPARE(Order, (QStringList{"added Car service"}));
        // The overdue event acknowledged from the side list.
        w.Input("Alt+W");
        QTreeView* due = w->DueEvents->View();
        Order.clear();
        // The side panel is laid out once shown.
        const QModelIndex first = due->model()->index(0, 0);
        QTRY_VERIFY(due->viewport()->rect().contains(due->visualRect(first)));
        const QPoint row = due->visualRect(first).center();
        QVERIFY(ChooseFromContextMenu(due->viewport(), w->findChild<QAction*>("AcknowledgeAction"),
                                      row));
        QCOMPARE(w->DueEvents->RowCount(), 0);
        QCOMPARE(Order, (QStringList{"changed Water plants"}));
    }
};

QTEST_MAIN(TestFrmCal)
#include "test_frm_cal.moc"
