#include "app/WindowCommands.h"
#include "app/AppGlobals.h"
#include "app/FrmClock.h"
#include "app/Startup.h"
#include "core/EventLists.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "ui/FrmEdit.h"
#include "ui/FrmMain.h"
#include "ui/FrmScan.h"
#include "ui/WindowLinks.h"
#include "ui/WindowState.h"
#include <QTimer>

void ShowMainWindow() {
    ShowMainFrm();
    LastShownWindow = 1;
}

void ShowDueWindow() {
    if (EditFrm != nullptr || MasterList == nullptr)
        return;
    if (MasterList->Scan()) {
        if (ScanFrm != nullptr && ScanFrm->isVisible()) {
            // Already on screen: only brought to the front.
            ScanFrm->raise();
            ScanFrm->activateWindow();
            LastShownWindow = 2;
        } else {
            ShowDueEventsWindow();
        }
        return;
    }
    if (ShowNoEventsMsg) {
        // Shown from the event loop, so the command that asked returns first.
        QTimer::singleShot(0, [] { ShowMsg(kNoEventsDueText, mkInformation); });
    } else if (MainLinks().ShowStatusText) {
        MainLinks().ShowStatusText(kNoEventsDueText);
    }
}

void InstallClockLinks() {
    TClockLinks& links = ClockLinks();
    links.ShowMainWindow = ShowMainWindow;
    links.ShowDueWindow = ShowDueWindow;
    links.ExitProgram = [] {
        if (ClockFrm != nullptr)
            ClockFrm->close();
    };
}
