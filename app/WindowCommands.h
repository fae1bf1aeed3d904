#pragma once
// The commands that the tray and the other windows use to open a window, and
// the day the events were last computed for.
#include "core/DateTime.h"

// Creates the main window if needed, shows it and brings it to the front.
void ShowMainWindow();
// The same for the calendar window.
void ShowCalendar();
// Empties the due list and recomputes every event for today.
void RecomputeEventsForToday();
// The day the events' occurrences were last computed for.
TDateTime EventsComputedFor();
void SetEventsComputedFor(TDateTime day);
// Makes these commands reachable through the window links; the due-events
// window, the exit and the schedule are the controller's.
void InstallClockLinks();
