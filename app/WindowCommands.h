#pragma once
// The clock window's commands that the tray, the schedule and the other
// windows use, and the day check that runs before every due scan.
#include "core/DateTime.h"
#include <cstdint>

// Creates the main window if needed, shows it and brings it to the front.
void ShowMainWindow();
// The same for the calendar window.
void ShowCalendar();
// The day check first, exactly as the clock's tick runs it. Then, unless the
// count-down alert or the event editor is open, scans: shows the due-events
// window when anything is due (true), otherwise says that nothing is due.
bool ShowDueWindow();

// Empties the due list and recomputes every event for today.
void RecomputeEventsForToday();
// The day the events' occurrences were last computed for.
TDateTime EventsComputedFor();
void SetEventsComputedFor(TDateTime day);
// Run before every due scan: the clock's change-of-day handling if the tick
// has not seen the new day yet, then a recomputation if the events are still
// a past day's (the count-down alert was cancelled, or has not run yet), so
// no list is built from a past day's occurrences.
void CheckDayBeforeScan();

// What a second start in this start mode would have opened, opened here.
void OpenForSecondStart(std::uint8_t startMode);

// Makes these commands reachable through the window links and installs the
// day check before every scan.
void InstallClockLinks();
