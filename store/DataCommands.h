#pragma once
// The File menu's data commands: export, import, archive, compress, zap,
// backup, restore and merge. The main window and tickwell-cli both call these;
// the dialogs stay with the caller, so each command takes the path or folder
// already chosen. Every notice and question goes through core/Messages.h.
//
// A command that changes the events saves them through the book, which then
// tells every reader to start again, before the closing notice. If
// that save fails, its error text ("Error Saving Events List") is shown as an
// error notice and the result still says ListChanged, so the caller never
// keeps showing events that are gone. Errors that end a command before
// anything changed ("Not a valid drive ID", "Please insert disk into drive",
// "Unable to load backup file", a failed export or backup write) are thrown as
// TTickwellError. A text's first line says what failed; a second line, if
// any, why and where.
#include "core/EventLists.h"
#include "core/Messages.h"

class TEventBook;
#include <functional>
#include <optional>
#include <string>

struct TDataResult {
    // The command did its work and showed its success notice.
    bool Succeeded = false;
    // Events were added, removed or replaced (the book's readers have been
    // told). After a restore or zap no earlier event pointer is valid.
    bool ListChanged = false;
};

// The check before the export, archive and backup dialogs: shows "There are no
// events in your Tickwell File!" and answers false when the list is empty.
// The commands below repeat it, so calling them on an empty list is harmless.
bool HasEvents(const TMyList& list);

// Writes the whole list to a file in a form of its own; false on failure.
using TEventsWriter = std::function<bool(const TMyList& list, const std::string& path)>;

// Export: asks "Overwrite existing file?" when the file exists (only Yes goes
// on; a save dialog that asks itself should not ask twice), then writes the
// list with the writer, by default as records, or as CSV with the header line
// when the extension is .csv in any case. "Export successful" / "Export
// unsuccessful". The list and its data file are unchanged.
TDataResult ExportCommand(const TMyList& list, const std::string& path,
                          const TEventsWriter& writer = {});

// Import of a CSV file, all or nothing: every line is read and checked before
// any event is added. "Import Error" (nothing added; for a character the data
// file cannot store, followed by its line and the character), "No records in
// data file", or the events added with AckPastOnCreate, saved, "Import
// Successful".
TDataResult ImportCommand(TEventBook& book, const std::string& path);

// New stored fields for an event already in the list.
struct TEventUpdate {
    TTickwellItem* Event = nullptr;
    EventRecord Record;
};
// The last step of every import: each updated event takes its new fields and
// moves to its sorted place (it leaves DueList until the next scan), the new
// events join the list, which takes them over, then the list is saved and
// `success` shown as `kind`.
TDataResult ImportEvents(TEventBook& book, const std::vector<TEventUpdate>& updates,
                         std::vector<TTickwellItem*>& added, const std::string& success,
                         TMsgKind kind = mkInformation);

// folder with one trailing "/" removed, then "/archive.csv".
std::string ArchivePath(const std::string& folder);
// The whole command for a chosen folder: the empty-list check, "Overwrite
// existing file?" when archive.csv exists, then every expired event written
// there (CSV, no header, crash-safe) and taken out of the list and saved;
// "<n> event(s) archived" only once both files are written. All or nothing:
// when the data file cannot be saved the events stay in the list and the
// previous archive.csv is put back (none: the new one goes). "No Events
// Archived" when none is expired (the file is left as it was).
TDataResult ArchiveCommand(TEventBook& book, const std::string& folder);

// Deletes every expired event (from DueList too); shows "<n> event(s)
// deleted" when any. Returns the number deleted.
int CompressEvents(TMyList& list);
// The empty-list check, "This Option will delete all expired events.
// Continue?" with delete confirmation switched off for the duration, then
// CompressEvents and the save, or "No events deleted".
TDataResult CompressCommand(TEventBook& book);

// "Delete all events from your file!\nAre you sure you wish to proceed?"; on
// Yes frees every event, empties DueList and saves the empty list.
TDataResult ZapListCommand(TEventBook& book);

// A backup folder as the user gave it, as it is kept: one trailing "/"
// removed (not from "/" itself).
std::string ChosenBackupFolder(const std::string& folder);
// Settings/BackupDest, the data folder while it is not set, as kept.
std::string BackupFolder(const std::string& dataFolder);
// The folder, "/" and backup.dat. Throws when the folder is empty or not a
// full path.
std::string BackupFileIn(const std::string& folder);
// The destination test of backup and restore for a file path: throws "Not a
// valid drive ID" unless the path is absolute; true when its folder exists,
// is a folder and can be written (forWriting) or read; otherwise false with
// the reason and the folder in why.
bool CheckDrive(const std::string& path, bool forWriting, std::string* why = nullptr);
// Backup to the given backup file: the empty-list check, the destination test
// ("Please insert disk into drive"), "Overwrite existing backup file?" when it
// exists (anything but Yes ends silently), the write, "Backup successful" /
// "Backup unsuccessful". Shows the busy cursor.
TDataResult BackupCommand(const TMyList& list, const std::string& backupPath);

// Restore from the backup file, the whole path:
// the destination test, "You have no backup to restore", the question, then
// the backup is read into new events; only when it was read completely are
// the old events taken out of DueList and the list, freed, and replaced by the
// new ones, which are saved to list.FileName ("Restore successful"). A backup
// with no whole event, or not a whole number of them, is restored only when
// the user says Yes after being told both counts. On "Unable to load backup
// file" (with the reason and path on a second line) the list, DueList and the
// data file are unchanged.
TDataResult RestoreCommand(TEventBook& book, const std::string& backupPath);

// The merge question before the open dialog: true for Yes (a pre-4.0 file),
// false for No, nothing for Cancel.
std::optional<bool> AskMergeFormat();
// Merge of a data file, pre-4.0 dates when preV4: the whole file is read
// first; only when it was read to its end are its events added to the list
// (same order as adding each in turn), each keeping its id unless an event
// of the list already holds it, then saved, "Merge Successful".
// Otherwise (also when the file does not exist) "Unable to Read Data from
// file", with the reason and path on a second line, and the list is
// unchanged.
TDataResult MergeCommand(TEventBook& book, const std::string& path, bool preV4);
