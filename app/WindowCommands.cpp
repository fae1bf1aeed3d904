#include "app/WindowCommands.h"

#include "core/Clock.h"
#include "core/EventLists.h"
#include "core/Globals.h"
#include "ui/FrmCal.h"
#include "ui/FrmMain.h"
#include "ui/FrmOptn.h"
#include "ui/FrmTimeEd.h"
#include "ui/WindowLinks.h"
#include "ui/WindowState.h"

namespace {

TDateTime ComputedFor = 0;

} // namespace

void ShowMainWindow() {
    ShowMainFrm();
    LastShownWindow = 1;
}

void ShowCalendar() {
    ShowCalFrm();
    LastShownWindow = 4;
}

void RecomputeEventsForToday() {
    if (!MasterList)
        return;
    if (DueList)
        DueList->Clear();
    ComputedFor = Today();
    MasterList->ResetAll();
}

TDateTime EventsComputedFor() {
    return ComputedFor;
}

void SetEventsComputedFor(TDateTime day) {
    ComputedFor = day;
}

void InstallClockLinks() {
    TClockLinks& links = ClockLinks();
    links.ShowMainWindow = ShowMainWindow;
    links.ShowCalendar = ShowCalendar;
    links.EditTime = EditTime;
    links.ShowOptions = [] { ShowOptionDlg(false); };
    links.ShowSchedule = [] { ShowOptionDlg(true); };
}
