#include "app/UnsavedOnExit.h"
#include "app/DataFileWatcher.h"
#include "core/EventLists.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "platform/Paths.h"
#include "store/DataCommands.h"
#include "store/DataFile.h"
#include "store/DataFileSync.h"
#include "store/ReadOnlyMode.h"
#include "store/RescueCopy.h"
#include <unistd.h>

std::vector<std::string> RescueFolders() {
    return {StateFolder(), "/tmp/tickwell-" + std::to_string(::getuid())};
}

bool MayQuitWithUnsavedChanges() {
    if (!MasterList || !HasUnsavedChanges(*MasterList))
        return true;
    try {
        RefreshWindowsAfter([] { SaveEvents(*MasterList, MasterList->FileName); });
        return true;
    } catch (const TTickwellError&) {
    }
    const int count = UnsavedChangeCount(*MasterList);
    const std::string changes =
        std::to_string(count) + (count == 1 ? " change" : " changes") + " to your events";
    if (AskOkCancel(changes + " could not be saved:\n" + ReadOnlyReason() +
                    "\nPress OK to quit and lose " + (count == 1 ? "it" : "them") +
                    " from the events file (Tickwell keeps your events in a rescue copy and "
                    "tells you where at its next start), or Cancel to keep Tickwell running, "
                    "so that it saves them as soon as it can.") != anOk)
        return false;
    // The promise of a rescue copy is kept before the program ends, or it
    // does not end.
    std::string error;
    if (!WriteRescueCopy(*MasterList, RescueFolders(), error).empty())
        return true;
    ShowMsg("Your events could not be kept in a rescue copy either, so Tickwell keeps running:\n" +
                error,
            mkError);
    return false;
}

void RescueUnsavedEvents() {
    if (!MasterList || !HasUnsavedChanges(*MasterList))
        return;
    std::string error;
    // Told at the next start; there is no one to tell now.
    WriteRescueCopy(*MasterList, RescueFolders(), error);
}

void ReportRescuedEvents() {
    for (const std::string& path : TakeRescueCopies(RescueFolders())) {
        ShowMsg("When Tickwell last ended, changes to your events could not be saved. Your "
                "events as they were then are kept in:\n" +
                    path,
                mkWarning);
        if (!MasterList)
            continue;
        // The windows show the restored events before its notice does.
        const TEventsChangedHook previous =
            SetEventsChangedHook([] { RefreshWindowsAfter([] {}); });
        try {
            RestoreCommand(*MasterList, path);
        } catch (...) {
            SetEventsChangedHook(previous);
            throw;
        }
        SetEventsChangedHook(previous);
    }
}
