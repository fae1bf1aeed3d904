#pragma once
// The calendar window: the events of the master list laid out on dates, as a
// month grid whose day cells carry the first lines of their events, or as a
// week of seven day lists beside a month navigator and the due events. From
// either view events are added, edited, deleted and acknowledged. At most one
// exists; it is made when needed and destroyed when closed. Its commands are
// in FrmCalCommands.cpp.
#include "core/DateTime.h"
#include "core/EventLists.h"
#include <QMainWindow>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QListView;
class QMenu;
class QSplitter;
class QStackedWidget;
class QToolButton;
class TArtToolBar;
class TCalDueList;
class TCalWeekPage;
class TEventBook;
class TEventBookSignals;
class TMarkedCalendar;
class TTickwellItem;

class TCalFrm : public QMainWindow, private TEventWatcher {
    Q_OBJECT
public:
    // The most events a chooser offers.
    static constexpr int kChooserEntries = 20;

    explicit TCalFrm(TEventBookSignals& events, QWidget* parent = nullptr);
    // Writes the settings back.
    ~TCalFrm() override;

    // Marks, cell texts and week lists from the master list, then the due
    // list from a new scan. Other windows call it after changing events.
    void RefreshCalendar();
    void MarkMonth();
    void FillWeek();
    void FillDueEvents();
    void SetupWeek();
    void SetWeekStart(bool sunday);
    bool SundayStartsWeek() const;

    TDateTime SelectedDate() const { return Selected; }
    // day 1 .. 7 of the week page, from the week start of the grids.
    TDateTime WeekDay(int day) const { return WeekDays[static_cast<size_t>(day)]; }
    // The events of the month grid's cell, the first added first.
    const std::vector<TTickwellItem*>& DayCellEvents(int col, int row) const {
        return CellEvents[static_cast<size_t>(col)][static_cast<size_t>(row)];
    }
    bool MonthShown() const;

    TMarkedCalendar* Cal = nullptr;
    TMarkedCalendar* DayCal = nullptr;
    TCalWeekPage* WeekPage = nullptr;
    TCalDueList* DueEvents = nullptr;
    QLabel* PeriodLabel = nullptr; // the month or week shown
    QLabel* YearLabel = nullptr;
    QLabel* StatusPanels[3] = {nullptr, nullptr, nullptr};
    QMenu* EditMnu = nullptr;
    QMenu* DelMnu = nullptr;
    QMenu* MonthPop = nullptr; // month grid
    QMenu* WeekPop = nullptr;  // week headings and lists
    QMenu* DuePop = nullptr;   // due list

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    TEventBookSignals& Events;
    TEventBook& Book;
    // Every cell, day list and due row lets go of the events.
    void EventsFreeing(const std::vector<TTickwellItem*>& events) override;
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateHeaderBar(QWidget* parent);
    void CreatePages();
    void CreateSidePanel();
    void CreateStatusBar();
    void CreatePopupMenus();
    void ApplyStartMode();
    void ReadSettings();
    void WriteSettings() const;
    QAction* NewAction(const char* name, const QString& caption, const QString& hint,
                       const QKeySequence& key, void (TCalFrm::*handler)());
    // Runs a command; an error that ends it is shown as an error notice.
    void Run(const std::function<void()>& command);
    void UpdateLinkedEntries();

    // Views and captions.
    void ShowPage(bool month);
    void PageChanged();
    void ViewBtnClick();
    void UpdateCaptions();
    QString WeekCaption() const;
    void ShowWeekNumber();
    void SelectDayInWeek();
    void CalDateChange(TDateTime d);
    void DayCalDateChange(TDateTime d);
    void CalDrawCell(QPainter& p, int col, int row, const QRect& rect, unsigned state);
    bool ShowCellTip(const QPoint& pos, const QPoint& globalPos);
    void ApplyDayLabelColours();

    // Navigation.
    void Navigate(int tag);
    void TodayClick();
    void PreviousWeekClick();
    void NextWeekClick();
    void SundayStartClick();
    void OptionsClick();

    // Commands on events.
    void AddBtnClick();
    void EdBtnClick();
    void DelBtnClick();
    void EdBtnMouseDown();
    void DelBtnMouseDown();
    // The event a command acts on from the current view, or null after
    // saying there is nothing; opens the chooser instead when the month
    // cell holds several (popUp: as a menu of its own, else as the button's).
    TTickwellItem* ChosenEvent(bool edit);
    void FillChooser(QMenu* chooser, bool edit);
    void HideChoosers();
    void PopUpChooser(QMenu* chooser, QToolButton* button);
    void ChooserEntryClick(QAction* entry, bool edit);
    void EditChosen(TTickwellItem* e);
    void DeleteChosen(TTickwellItem* e);
    void WeekEditClick();
    void WeekDeleteClick();
    void WeekPopShowing();
    void CalListViewDblClick();
    void DueDeleteClick();
    void AcknowledgeClick();
    // What the other windows need after an event changed or went.

    // Fonts and colours.
    void CalendarFontClick();
    void EventTextColourClick();
    void MarkedDayColourClick();
    void MarkedDateColourClick();
    void BlankCellColourClick();
    void ResetDefaultsClick();
    void BoldMarkedDateClick();
    void WeekFontClick();
    void WeekTextColourClick();
    void WrapTextClick();
    void ToolbarClick();

    void MainWindowClick();
    void DueWindowClick();
    void CalendarHelpClick();
    void HelpContentsClick();
    void AboutClick();
    void CloseClick();
    void ExitBtnClick();

    TDateTime Selected = 0;
    std::array<TDateTime, 8> WeekDays{};
    // 0 Sunday, 1 Monday: the first day of a week, for the week page and the
    // week number.
    int WeekNumberFirstDay = 1;
    std::uint32_t DayLabelColour = 0x80000008u;
    std::uint32_t ListColour = 0x80000008u;
    std::array<std::array<std::vector<TTickwellItem*>, 7>, 7> CellEvents;
    // Set while a step of the month grid runs, which marks its month once at
    // the end rather than at each intermediate date.
    bool Navigating = false;
    bool Shown = false;
    // Whether the week pop-up was opened over a day list (else a heading).
    bool PopupOverList = false;
    // The font names as read: kept as they were while the font is unchanged.
    std::string CalFontName;
    std::string ListFontName;
    std::string HeadingFontName;

    QStackedWidget* Pages = nullptr;
    QSplitter* PaneSplitter = nullptr;
    QWidget* SidePanel = nullptr;
    QWidget* HeaderBar = nullptr;
    TArtToolBar* ToolBar = nullptr;
    QToolButton* EdToolButton = nullptr;
    QToolButton* DelToolButton = nullptr;

    // Menu entries.
    QAction* OptionsAction = nullptr;
    QAction* CloseAction = nullptr;
    QAction* ExitAction = nullptr;
    QAction* AddEventAction = nullptr;
    QAction* EditEventAction = nullptr;
    QAction* DeleteEventAction = nullptr;
    QAction* MonthlyAction = nullptr;
    QAction* WeeklyAction = nullptr;
    QAction* WrapTextAction = nullptr;
    QAction* GoTo[4] = {};
    QAction* TodayAction = nullptr;
    QAction* ToolbarAction = nullptr;
    QAction* SundayStartAction = nullptr;
    QAction* MainWindowAction = nullptr;
    QAction* DueWindowAction = nullptr;
    QAction* CalendarHelpAction = nullptr;
    QAction* HelpContentsAction = nullptr;
    QAction* AboutAction = nullptr;
    QAction* BoldMarkedDateAction = nullptr;
    QAction* WeekEditAction = nullptr;
    QAction* WeekDeleteAction = nullptr;
    // Toolbar buttons.
    QAction* ViewBtn = nullptr;
    QAction* AddBtn = nullptr;
    QAction* EdBtn = nullptr;
    QAction* DelBtn = nullptr;
    QAction* ExitBtn = nullptr;
    QAction* OptionBtn = nullptr;
    QAction* CloseBtn = nullptr;
};

// The window while it exists, null otherwise.
extern TCalFrm* CalFrm;

// Makes the window when there is none, shows it and brings it to the front.
TCalFrm* ShowCalFrm(TEventBookSignals& events);
// The window for start-up in calendar mode: created and shown.
QWidget* CreateCalendarWindowForStartup(TEventBookSignals& events);
