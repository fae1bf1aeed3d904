#include "app/UnsavedOnExit.h"
#include "core/EventLists.h"
#include "core/Messages.h"
#include "platform/Paths.h"
#include "store/DataCommands.h"
#include "store/DataFileSync.h"
#include "store/EventBook.h"
#include "store/ReadOnlyMode.h"
#include "store/RescueCopy.h"
#include <unistd.h>

std::vector<std::string> RescueFolders() {
    return {StateFolder(), "/tmp/tickwell-" + std::to_string(::getuid())};
}

bool MayQuitWithUnsavedChanges(TEventBook& book) {
    if (!HasUnsavedChanges(book.MasterList))
        return true;
    try {
        book.SaveAgain();
        return true;
    } catch (const TTickwellError&) {
    }
    const int count = UnsavedChangeCount(book.MasterList);
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
    if (!WriteRescueCopy(book.MasterList, RescueFolders(), error).empty())
        return true;
    ShowMsg("Your events could not be kept in a rescue copy either, so Tickwell keeps running:\n" +
                error,
            mkError);
    return false;
}

void RescueUnsavedEvents(TEventBook& book) {
    if (!HasUnsavedChanges(book.MasterList))
        return;
    std::string error;
    // Told at the next start; there is no one to tell now.
    WriteRescueCopy(book.MasterList, RescueFolders(), error);
}

void ReportRescuedEvents(TEventBook& book) {
    for (const std::string& path : TakeRescueCopies(RescueFolders())) {
        ShowMsg("When Tickwell last ended, changes to your events could not be saved. Your "
                "events as they were then are kept in:\n" +
                    path,
                mkWarning);
        RestoreCommand(book, path);
    }
}
