#include "app/WindowCommands.h"

#include "store/EventBook.h"
#include "ui/EventBookSignals.h"
#include "ui/FrmCal.h"
#include "ui/FrmMain.h"
#include "ui/FrmOptn.h"
#include "ui/FrmTimeEd.h"
#include "ui/WindowLinks.h"
#include "ui/WindowState.h"

void ShowMainWindow(TEventBookSignals& events) {
    ShowMainFrm(events);
    LastShownWindow = 1;
}

void ShowCalendar(TEventBookSignals& events) {
    ShowCalFrm(events);
    LastShownWindow = 4;
}

void RecomputeEventsForToday(TEventBook& book) {
    book.NewDay();
}

void InstallClockLinks(TEventBookSignals& events) {
    TClockLinks& links = ClockLinks();
    links.ShowMainWindow = [&events] { ShowMainWindow(events); };
    links.ShowCalendar = [&events] { ShowCalendar(events); };
    links.EditTime = EditTime;
    TEventBook& book = events.Book();
    links.ShowOptions = [&book] { ShowOptionDlg(book, false); };
    links.ShowSchedule = [&book] { ShowOptionDlg(book, true); };
}
