// The calendar window driven as a user drives it: the month cells, navigation
// by buttons, keys and the navigator, the week page with either week start,
// the choosers, the commands and the order in which they bring the other
// windows up to date, and the settings it writes when it closes.
#include "UiTestEnv.h"
#include "core/DateFormat.h"
#include "core/HalvaneDates.h"
#include "store/DataFile.h"
#include "store/SettingsSchema.h"
#include "ui/CalDueList.h"
#include "ui/CalWeekPage.h"
#include "ui/DateBox.h"
#include "ui/DescriptionEdit.h"
#include "ui/EventListView.h"
#include "ui/FrmCal.h"
#include "ui/FrmOptn.h"
#include "ui/MyCal.h"
#include "ui/WindowLinks.h"
#include "ui/WindowState.h"
#include <QCheckBox>
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

namespace {

TDateTime D(int y, int m, int d) {
    return EncodeDate(y, m, d);
}

QPoint DayCentre(const TMyCalendar* cal, int day) {
    const int offset = day - cal->FirstCellDay();
    return cal->CellRect(offset % 7, offset / 7 + 1).center();
}

QList<int> MarkedDays(const TMarkedCalendar* cal) {
    QList<int> days;
    for (int r = 1; r < 7; ++r)
        for (int c = 0; c < 7; ++c)
            if (cal->Mark(c, r))
                days << cal->CellDay(c, r);
    std::sort(days.begin(), days.end());
    return days;
}

// Waiters of the running test, dropped when it ends.
QObject* Waiters = nullptr;

int RedPixels(QWidget* w) {
    const QImage image = w->grab().toImage();
    int reds = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            reds += image.pixelColor(x, y).red() > 200 && image.pixelColor(x, y).green() < 100;
    return reds;
}

// Acts on the next pop-up menu or modal dialog of type T once it is up;
// gives up after three seconds.
template <class T> void WhenUp(std::function<void(T*)> act) {
    auto* timer = new QTimer(Waiters);
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, act, ticks] {
        QWidget* up = QApplication::activePopupWidget();
        if (!up)
            up = QApplication::activeModalWidget();
        T* w = qobject_cast<T*>(up);
        if (!w && ++*ticks < 300)
            return;
        timer->deleteLater();
        timer->stop();
        if (w)
            act(w);
    });
    timer->start(10);
}

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

// A calendar window, shown and active, destroyed at the end unless closed.
struct TWindow {
    QPointer<TCalFrm> W;
    TWindow() {
        W = new TCalFrm;
        W->show();
        W->activateWindow();
        if (!QTest::qWaitForWindowActive(W))
            qWarning("The calendar window did not become active");
    }
    ~TWindow() { delete W.data(); }
    TCalFrm* operator->() const { return W.data(); }
    QToolButton* Button(const char* action) const {
        auto* bar = W->findChild<QToolBar*>("ToolBar1");
        return qobject_cast<QToolButton*>(bar->widgetForAction(W->findChild<QAction*>(action)));
    }
    QStringList Cell(int day) const {
        const int offset = day - W->Cal->FirstCellDay();
        QStringList out;
        for (TTickwellItem* e : W->DayCellEvents(offset % 7, offset / 7 + 1))
            out << QString::fromStdString(FirstLine(e->Description));
        return out;
    }
    void Menu(const QString& title, const QString& entry) const {
        QMenuBar* bar = W->menuBar();
        for (QAction* top : bar->actions())
            if (top->text() == title) {
                WhenUp<QMenu>([entry](QMenu* m) { ClickEntry(m, entry); });
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(top).center());
                if (!QTest::qWaitFor([] { return !QApplication::activePopupWidget(); }))
                    qWarning("The menu stayed open");
                return;
            }
    }
    // Keys, clicks and menu choices, separated by blanks.
    void Input(const QString& steps) const {
        for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
            if (step.startsWith("day"))
                QTest::mouseClick(W->DayCal, Qt::LeftButton, {},
                                  DayCentre(W->DayCal, step.mid(3).toInt()));
            else if (step.startsWith("cal"))
                QTest::mouseClick(W->Cal, Qt::LeftButton, {},
                                  DayCentre(W->Cal, step.mid(3).toInt()));
            else if (step.startsWith("btn"))
                QTest::mouseClick(W->findChild<QToolButton*>(step), Qt::LeftButton);
            else if (step.endsWith("Btn"))
                QTest::mouseClick(Button(step.toLatin1()), Qt::LeftButton);
            else if (step == "PgDn")
                QTest::keyClick(W->Cal, Qt::Key_PageDown);
            else if (step == "dueList")
                QTest::mouseClick(W->DueEvents->View()->viewport(), Qt::LeftButton, {},
                                  QPoint(5, 150));
            else if (step == "dblThu")
                DoubleClick(
                    W->WeekPage->List(4)->viewport(),
                    W->WeekPage->List(4)->visualRect(W->WeekPage->Model(4)->index(0)).center());
            else {
                // Shortcuts reach the active window only.
                W->activateWindow();
                if (!QTest::qWaitForWindowActive(W))
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
    QWidget OtherWindow;

    TTickwellItem* Add(TTickwellItem* e) {
        MasterList->AddSorted(e);
        return e;
    }

    // The main and due-events windows as the calendar sees them, each
    // recording what it is asked to do.
    void FakeOtherWindows() {
        TMainWindowLinks& main = MainLinks();
        main.Window = &OtherWindow;
        main.PassesVisibilityTest = [](TTickwellItem*) { return true; };
        main.AddRow = [this](TTickwellItem*) { Order << "main add"; };
        main.UpdateRow = [this](TTickwellItem*) { Order << "main row"; };
        main.UpdateStatusBar = [this] { Order << "main status"; };
        main.ViewFilter = [] { return 0; };
        DueLinks().Window = &OtherWindow;
        DueLinks().RefillDueList = [this] { Order << "due"; };
    }

private slots:
    void init() {
        delete Waiters;
        Waiters = new QObject;
        OpenWindowCount = 0;
        Env.Reset();
        StartMode = smMain;
        MainLinks() = {};
        DueLinks() = {};
        CalendarLinks() = {};
        ClockLinks() = {};
        Order.clear();
    }

    void MonthCellsInListOrder() {
        Add(MakeEvent("Dentist\r\nbring card", D(2026, 3, 12), true));
        Add(MakeEvent("Gym", D(2026, 3, 5), false, etWeekly));
        Add(MakeEvent("\r\nno first line", D(2026, 3, 12), true));
        TWindow w;
        // Equal next dates: the last added comes first.
        QCOMPARE(w.Cell(12), (QStringList{"", "Gym", "Dentist"}));
        QCOMPARE(MarkedDays(w->Cal), (QList<int>{5, 12, 19, 26}));
        QCOMPARE(MarkedDays(w->DayCal), MarkedDays(w->Cal));
        w.Input("PgDn PgDn");
        QCOMPARE(MarkedDays(w->Cal), (QList<int>{7, 14, 21, 28}));
        w.Input("Ctrl+V");
        QCOMPARE(MarkedDays(w->Cal), QList<int>{});
        QCOMPARE(w.Cell(12), QStringList{});
    }

    void Navigation_data() {
        QTest::addColumn<TDateTime>("today");
        QTest::addColumn<QString>("input");
        QTest::addColumn<TDateTime>("selected");
        QTest::addColumn<QString>("header");
        const TDateTime jan31 = D(2026, 1, 31);
        QTest::newRow("Next Month from 31 January")
            << jan31 << "Ctrl+N" << D(2026, 2, 28) << "February";
        QTest::newRow("Page Down in the grid") << jan31 << "PgDn" << D(2026, 2, 28) << "February";
        QTest::newRow("previous year from 29 February")
            << D(2024, 2, 29) << "btn2" << D(2023, 2, 28) << "February";
        QTest::newRow("a day clicked, then Today")
            << jan31 << "Ctrl+N cal3 Ctrl+O" << jan31 << "January";
        QTest::newRow("next week on the week page")
            << jan31 << "Alt+W btn6" << D(2026, 2, 7) << "02 February - 08 February";
        QTest::newRow("a Sunday in the navigator")
            << D(2026, 3, 10) << "Alt+W day15" << D(2026, 3, 15) << "09 March - 15 March";
    }

    void Navigation() {
        QFETCH(TDateTime, today);
        QFETCH(TDateTime, selected);
        FixToday(today);
        Add(MakeEvent("Every day", D(2020, 1, 1), false, etDaily));
        TWindow w;
        w->Cal->setFocus();
        QFETCH(QString, input);
        w.Input(input);
        QCOMPARE(w->SelectedDate(), selected);
        QCOMPARE(w->Cal->ShownDate(), selected);
        QCOMPARE(w->DayCal->ShownDate(), selected);
        QTEST(w->Label16->text(), "header");
        QCOMPARE(w->Label15->text(), QString::number(YearOf(selected)));
        QCOMPARE(w->StatusPanels[0]->text().toStdString(),
                 FormatDateTime("dd mmmm yyyy", selected));
        // The month shown is marked, whichever way it was reached.
        QCOMPARE(MarkedDays(w->Cal).size(), DaysInMonthOf(selected));
        QCOMPARE(w.Cell(DayOf(selected)), QStringList{"Every day"});
    }

    // The grids start on either day; the week page always runs Monday to
    // Sunday, and the week number follows the grids' week.
    void WeekStart_data() {
        QTest::addColumn<QString>("sundayFrom");
        QTest::newRow("Monday") << "";
        QTest::newRow("Sunday, from the menu") << "menu";
        QTest::newRow("Sunday, from the options") << "options";
    }

    void WeekStart() {
        QFETCH(QString, sundayFrom);
        const bool sunday = !sundayFrom.isEmpty();
        const TDateTime sun = D(2026, 3, 8);
        FixToday(sun);
        Add(MakeEvent("Sunday lunch", sun, true));
        ClockLinks().ShowOptions = [] { ShowOptionDlg(false); };
        TWindow w;
        w.Input("Alt+W");
        if (sundayFrom == "menu")
            w.Menu("&Calendar", "Sunday Starts Week");
        if (sundayFrom == "options") {
            WhenUp<TOptionDlg>([](TOptionDlg* d) {
                // On the box, at the left, not on the empty width to its right.
                QTest::mouseClick(d->StartWeek, Qt::LeftButton, {},
                                  QPoint(8, d->StartWeek->height() / 2));
                QTest::mouseClick(d->OKBtn, Qt::LeftButton);
            });
            w.Input("OptionBtn");
        }
        QCOMPARE(w->Cal->CellText(0, 0), sunday ? QString("Sun") : QString("Mon"));
        QCOMPARE(w->DayCal->CellText(0, 0), sunday ? QString("Su") : QString("Mo"));
        QCOMPARE(w->WeekDay(1), D(2026, 3, 2));
        QCOMPARE(w->WeekDay(7), sun);
        QCOMPARE(w->WeekPage->DayName(7)->text(), QString("Sunday"));
        // Today's heading is written in red, the others are not.
        QVERIFY(RedPixels(w->WeekPage->DayName(7)) > 0);
        QCOMPARE(RedPixels(w->WeekPage->DayName(6)), 0);
        QCOMPARE(w->WeekPage->Model(7)->rowCount(), 1);
        QCOMPARE(MarkedDays(w->Cal), QList<int>{8});
        QCOMPARE(w->StatusPanels[1]->text(),
                 QString("Week %1").arg(sunday ? WeekOfYear(0, sun) : 10));
    }

    void Choosers_data() {
        QTest::addColumn<int>("events");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("pick");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("none to edit") << 0 << "EdBtn"
                                      << "" << QStringList{"Nothing to Edit"};
        QTest::newRow("none to delete") << 0 << "DelBtn"
                                        << "" << QStringList{"Nothing to Delete"};
        QTest::newRow("one: edited at once") << 1 << "EdBtn"
                                             << "" << QStringList{"editor: E1"};
        QTest::newRow("two: the second edited")
            << 2 << "EdBtn"
            << "2. E2" << QStringList{"1. E1", "2. E2", "editor: E2"};
        QTest::newRow("two: the first deleted from the menu")
            << 2 << "Alt+D"
            << "1. E1" << QStringList{"1. E1", "2. E2", "left: E2"};
        QStringList many;
        for (int i = 1; i <= 20; ++i)
            many << QString("%1. E%1").arg(i);
        QTest::newRow("more than twenty") << 25 << "EdBtn"
                                          << "" << (many << "\u2026and 5 more (off)");
        QTest::newRow("week page, no list") << 1 << "Alt+W dueList Alt+E"
                                            << "" << QStringList{"Nothing to Edit"};
        QTest::newRow("week page, double click") << 1 << "Alt+W dblThu"
                                                 << "" << QStringList{"editor: E1"};
    }

    void Choosers() {
        QFETCH(int, events);
        QFETCH(QString, pick);
        // Added last first, so the list runs E1, E2, ...
        for (int i = events; i >= 1; --i)
            Add(MakeEvent("E" + std::to_string(i), D(2026, 3, 12), true));
        TWindow w;
        w.Input("cal12");
        QStringList seen;
        WhenUp<QMenu>([&](QMenu* m) {
            seen << Entries(m);
            ClickEntry(m, pick);
        });
        WhenUp<TEditFrm>([&](TEditFrm* f) {
            seen << "editor: " + f->Memo1->toPlainText();
            QTest::mouseClick(f->Button2, Qt::LeftButton);
        });
        QFETCH(QString, input);
        w.Input(input);
        auto outcome = [&] {
            QStringList all = seen;
            for (const auto& [text, kind] : Env.Notices)
                all << QString::fromStdString(text);
            if (input.contains("Alt+D"))
                all << "left: " + w.Cell(12).join(",");
            return all;
        };
        QFETCH(QStringList, expected);
        QTRY_COMPARE(outcome(), expected);
    }

    // A repeating event deleted after the question: gone from every list of
    // the calendar even when the save fails; then the other windows.
    void DeleteAcrossWindows_data() {
        QTest::addColumn<TAnswer>("answer");
        QTest::addColumn<bool>("saveFails");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("deleted") << anOk << false << QStringList{"due"};
        QTest::newRow("kept") << anCancel << false << QStringList{};
        QTest::newRow("save fails") << anOk << true << QStringList{};
    }

    void DeleteAcrossWindows() {
        QFETCH(TAnswer, answer);
        QFETCH(bool, saveFails);
        Add(MakeEvent("Water plants", D(2026, 3, 5), false, etWeekly, 1, 7, true));
        SaveEvents(*MasterList, MasterList->FileName);
        if (saveFails)
            MasterList->FileName = Env.Home.path().toStdString() + "/missing/tickwell.dat";
        FakeOtherWindows();
        TWindow w;
        Env.Answer = answer;
        w.Input("cal12 DelBtn");
        QCOMPARE(Env.Questions,
                 std::vector<std::string>{
                     "This is a repeating event. Do you wish to Delete this Event?"});
        QTEST(Order, "order");
        const bool gone = answer == anOk;
        QCOMPARE(w.Cell(12), gone ? QStringList{} : QStringList{"Water plants"});
        QCOMPARE(w->DueEvents->RowCount(), gone ? 0 : 1);
        QCOMPARE(w->WeekPage->Model(4)->rowCount(), gone ? 0 : 1);
        QCOMPARE(Env.LastNotice(), saveFails ? std::string("Error Saving Events List") : "");
        w->Cal->grab();
    }

    void AddAndAcknowledge() {
        TTickwellItem* kept =
            Add(MakeEvent("Water plants", Env.Day - 10, false, etWeekly, 1, 0, true));
        FakeOtherWindows();
        TWindow w;
        // A double click on a day adds an event starting on it.
        QDate start;
        WhenUp<TEditFrm>([&start](TEditFrm* f) {
            start = f->EventDate->date();
            QTest::keyClicks(f->Memo1, "Car service");
            QTest::mouseClick(f->Button1, Qt::LeftButton);
        });
        DoubleClick(w->Cal, DayCentre(w->Cal, 20));
        QTRY_COMPARE(w.Cell(20), QStringList{"Car service"});
        QCOMPARE(start, QDate(2026, 3, 20));
        QCOMPARE(Order, (QStringList{"main add", "main status", "due"}));
        // The overdue event acknowledged from the side list, at the date
        // its row shows.
        w.Input("Alt+W");
        QTreeView* due = w->DueEvents->View();
        QCOMPARE(w->DueEvents->RowCount(), 1);
        const QString date = due->model()->index(0, 1).data().toString();
        Order.clear();
        WhenUp<QMenu>([](QMenu* m) { ClickEntry(m, "Acknowledge"); });
        // The side panel is laid out once shown.
        const QModelIndex first = due->model()->index(0, 0);
        QTRY_VERIFY(due->viewport()->rect().contains(due->visualRect(first)));
        const QPoint row = due->visualRect(first).center();
        QTest::mouseClick(due->viewport(), Qt::LeftButton, {}, row);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, row, due->viewport()->mapToGlobal(row));
        QApplication::sendEvent(due->viewport(), &menu);
        QCOMPARE(QString::fromStdString(DateToStr(kept->AckDate)), date);
        QCOMPARE(w->DueEvents->RowCount(), 0);
        QCOMPARE(Order, (QStringList{"main row", "due"}));
    }

    void SettingsWrittenOnClose() {
        {
            TWindow w;
            WhenUp<QMenu>([](QMenu* m) { ClickEntry(m, "Blank Cell Colour..."); });
            WhenUp<QColorDialog>([](QColorDialog* d) {
                for (QLineEdit* e : d->findChildren<QLineEdit*>())
                    if (e->text().startsWith('#')) {
                        e->selectAll();
                        QTest::keyClicks(e, "#123456");
                        QTest::keyClick(e, Qt::Key_Enter);
                    }
            });
            const QPoint at = DayCentre(w->Cal, 20);
            QContextMenuEvent menu(QContextMenuEvent::Mouse, at, w->Cal->mapToGlobal(at));
            QApplication::sendEvent(w->Cal, &menu);
            QTRY_COMPARE(w->Cal->BlankCellColor(), 0x563412u);
            w.Input("Ctrl+T Alt+W");
            w->resize(700, 520);
            QCOMPARE(ReadSetting(kCalBlankCell), kCalBlankCell.Default);
            QCOMPARE(ReadSetting(kCalWrap), true);
            w.Menu("&File", "&Close");
            QTRY_VERIFY(w.W.isNull());
        }
        QCOMPARE(ReadSetting(kCalBlankCell), 0x563412u);
        QCOMPARE(ReadSetting(kCalWrap), false);
        QCOMPARE(ReadSetting(kCalMonth), false);
        // The classic font name stands for the desktop's font and stays.
        QCOMPARE(ReadSetting(kCalFontName), std::string("MS Sans Serif"));
        TWindow w;
        QCOMPARE(w->Cal->BlankCellColor(), 0x563412u);
        QVERIFY(!w->MonthShown());
        QCOMPARE(w->size(), QSize(700, 520));
        // The day boxes keep thirds and halves of the page.
        const QWidget* page = w->WeekPage;
        QTRY_COMPARE(w->WeekPage->Box(1)->height(), page->height() / 3);
        QCOMPARE(w->WeekPage->Box(4)->x(), page->width() / 2);
        QCOMPARE(w->WeekPage->Box(6)->height(), page->height() / 3 / 2);
    }

    void StartModeAndMinimise_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("from the main window") << int(smMain);
        QTest::newRow("calendar mode") << int(smCalendar);
    }

    void StartModeAndMinimise() {
        QFETCH(int, mode);
        StartMode = static_cast<std::uint8_t>(mode);
        TWindow w;
        const bool own = mode == smCalendar;
        QCOMPARE(w->findChild<QAction*>("Close1")->text(), own ? "E&xit" : "&Close");
        QCOMPARE(w->findChild<QAction*>("Exit1")->isVisible(), !own);
        QCOMPARE(OpenWindowCount, 1);
        w->showMinimized();
        QTRY_COMPARE(w.W.isNull(), !own);
        QCOMPARE(OpenWindowCount, own ? 1 : 0);
    }
};

QTEST_MAIN(TestFrmCal)
#include "test_frm_cal.moc"
