#pragma once
// What one window asks of another. Each window fills in its entries when it is
// created and clears them when it is destroyed, so a caller tests the entry
// (the window exists) before it calls, and no window needs to link against
// another that does not exist yet.
#include <QString>
#include <functional>
#include <string>
#include <vector>

class TTickwellItem;
class QWidget;

// Windows follow the event book by themselves; these are only what one window
// asks of another.
struct TMainWindowLinks {
    // The main window exists while this is set.
    QWidget* Window = nullptr;
    std::function<void(const QString&)> ShowStatusText; // third status panel
};

struct TDueWindowLinks {
    QWidget* Window = nullptr;
};

struct TCalendarWindowLinks {
    QWidget* Window = nullptr;
    // The day selected in the month grid, for a new event started there.
    std::function<double()> SelectedDate;
};

// The program's commands that other windows use.
struct TClockLinks {
    std::function<void()> ShowDueWindow;
    std::function<void()> ShowMainWindow;
    std::function<void()> ShowCalendar;
    std::function<void()> ShowOptions;  // the options dialog at its first page
    std::function<void()> ShowSchedule; // the options dialog at its "Schedule" page
    std::function<void()> ExitProgram;  // end the program in tray mode
    // The time editor on a time of day ("hh:nn", or empty for 00:00): true,
    // with the text replaced by the edited time, when the user confirms.
    std::function<bool(std::string& time)> EditTime;
};

TMainWindowLinks& MainLinks();
TDueWindowLinks& DueLinks();
TCalendarWindowLinks& CalendarLinks();
TClockLinks& ClockLinks();
