#include "ui/WindowLinks.h"

TMainWindowLinks& MainLinks() {
    static TMainWindowLinks links;
    return links;
}

TDueWindowLinks& DueLinks() {
    static TDueWindowLinks links;
    return links;
}

TCalendarWindowLinks& CalendarLinks() {
    static TCalendarWindowLinks links;
    return links;
}

TClockLinks& ClockLinks() {
    static TClockLinks links;
    return links;
}
