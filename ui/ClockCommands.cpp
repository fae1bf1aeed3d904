#include "ui/ClockCommands.h"
#include <QAction>

void RunClockCommand(TClockCommand command) {
    if (const std::function<void()>& run = ClockLinks().*command)
        run();
}

void EnableForClockCommand(const QList<QAction*>& entries, TClockCommand command) {
    const bool installed = static_cast<bool>(ClockLinks().*command);
    for (QAction* entry : entries)
        entry->setEnabled(installed);
}

void RefreshDueWindowIfOpen() {
    const TDueWindowLinks& due = DueLinks();
    if (due.Window && due.RefreshDueWindow)
        due.RefreshDueWindow();
}

void RefreshCalendarIfOpen() {
    const TCalendarWindowLinks& calendar = CalendarLinks();
    if (calendar.Window && calendar.RefreshCalendar)
        calendar.RefreshCalendar();
}
