#pragma once
// The commands that the tray and the other windows use to open a window.

class TEventBook;
class TEventBookSignals;

// Creates the main window if needed, shows it and brings it to the front.
void ShowMainWindow(TEventBookSignals& events);
// The same for the calendar window.
void ShowCalendar(TEventBookSignals& events);
// Every event worked out anew for today; the open windows follow.
void RecomputeEventsForToday(TEventBook& book);
// Makes these commands reachable through the window links; the due-events
// window, the exit and the schedule are the controller's.
void InstallClockLinks(TEventBookSignals& events);
