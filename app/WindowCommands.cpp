#include "app/WindowCommands.h"

#include "app/FrmClock.h"
#include "app/Startup.h"
#include "core/Clock.h"
#include "core/EventLists.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "ui/ClockCommands.h"
#include "ui/FrmAlert.h"
#include "ui/FrmCal.h"
#include "ui/FrmEdit.h"
#include "ui/FrmMain.h"
#include "ui/FrmOptn.h"
#include "ui/FrmScan.h"
#include "ui/FrmTimeEd.h"
#include "ui/WindowLinks.h"
#include "ui/WindowState.h"
#include <QTimer>

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

bool ShowDueWindow() {
    CheckDayBeforeScan();
    if (EditFrm != nullptr || MidnightFrm != nullptr || MasterList == nullptr)
        return false;
    if (MasterList->Scan()) {
        if (ScanFrm != nullptr && ScanFrm->isVisible()) {
            // Already on screen: only brought to the front.
            ScanFrm->raise();
            ScanFrm->activateWindow();
            LastShownWindow = 2;
        } else {
            ShowDueEventsWindow();
        }
        return true;
    }
    if (ShowNoEventsMsg) {
        // Shown from the event loop, so the command that asked returns first.
        QTimer::singleShot(0, [] { ShowMsg(kNoEventsDueText, mkInformation); });
    } else if (MainLinks().ShowStatusText) {
        MainLinks().ShowStatusText(kNoEventsDueText);
    }
    return false;
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

void CheckDayBeforeScan() {
    // The alert's update scans too; one check at a time is enough.
    static bool checking = false;
    if (checking)
        return;
    checking = true;
    if (ClockFrm)
        ClockFrm->CheckDayChange();
    if (ComputedFor != Today())
        RecomputeEventsForToday();
    checking = false;
}

void OpenForSecondStart(std::uint8_t startMode) {
    switch (startMode) {
    case smMain:
        ShowMainWindow();
        break;
    case smDue:
        ShowDueWindow();
        break;
    case smCalendar:
        if (ClockLinks().ShowCalendar)
            ClockLinks().ShowCalendar();
        else
            ShowMainWindow();
        break;
    case smTray:
        // A start that would show nothing still asks to see the program.
        if (!ClockFrm || !ClockFrm->OpenTrayStartWindows())
            ShowMainWindow();
        break;
    default: // the quick check has said all there was to say
        break;
    }
}

void InstallClockLinks() {
    TClockLinks& links = ClockLinks();
    links.ShowMainWindow = ShowMainWindow;
    links.ShowDueWindow = [] { ShowDueWindow(); };
    links.ShowCalendar = ShowCalendar;
    links.ExitProgram = [] {
        if (ClockFrm != nullptr)
            ClockFrm->close();
    };
    links.EditTime = EditTime;
    links.ShowOptions = [] { ShowOptionDlg(false); };
    links.ShowSchedule = [] { ShowOptionDlg(true); };
    SetScanCheck(CheckDayBeforeScan);
}
