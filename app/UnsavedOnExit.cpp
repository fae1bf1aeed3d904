#include "app/UnsavedOnExit.h"
#include "core/EventLists.h"
#include "core/Messages.h"
#include "platform/Paths.h"
#include "platform/QtMessages.h"
#include "store/DataCommands.h"
#include "store/DataFileSync.h"
#include "store/EventBook.h"
#include "store/ReadOnlyMode.h"
#include "store/RescueCopy.h"
#include <QCoreApplication>
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
    const char* const question =
        count == 1 ? QT_TRANSLATE_NOOP("UnsavedOnExit",
                                       "%1 change to your events could not be saved:\n%2\nPress OK "
                                       "to quit and lose it from the events file (Tickwell keeps "
                                       "your events in a rescue copy and tells you where at its "
                                       "next start), or Cancel to keep Tickwell running, so that "
                                       "it saves them as soon as it can.")
                   : QT_TRANSLATE_NOOP("UnsavedOnExit",
                                       "%1 changes to your events could not be saved:\n%2\nPress "
                                       "OK to quit and lose them from the events file (Tickwell "
                                       "keeps your events in a rescue copy and tells you where at "
                                       "its next start), or Cancel to keep Tickwell running, so "
                                       "that it saves them as soon as it can.");
    if (AskOkCancel(QCoreApplication::translate("UnsavedOnExit", question)
                        .arg(count)
                        .arg(QString::fromStdString(ReadOnlyReason()))) != anOk)
        return false;
    // The promise of a rescue copy is kept before the program ends, or it
    // does not end.
    std::string error;
    if (!WriteRescueCopy(book.MasterList, RescueFolders(), error).empty())
        return true;
    ShowMsg(QCoreApplication::translate("UnsavedOnExit",
                                        "Your events could not be kept in a rescue copy either, so "
                                        "Tickwell keeps running:\n%1")
                .arg(QString::fromStdString(error)),
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
        ShowMsg(QCoreApplication::translate("UnsavedOnExit",
                                            "When Tickwell last ended, changes to your events "
                                            "could not be saved. Your events as they were then are "
                                            "kept in:\n%1")
                    .arg(QString::fromStdString(path)),
                mkWarning);
        RestoreCommand(book, path);
    }
}
