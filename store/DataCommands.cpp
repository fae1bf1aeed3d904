#include "store/DataCommands.h"
#include "core/Messages.h"
#include "core/TrNoop.h"
#include "store/AtomicFile.h"
#include "store/BusyCursor.h"
#include "store/Companion.h"
#include "store/Csv.h"
#include "store/DataFile.h"
#include "store/EventBook.h"
#include "store/ReadOnlyMode.h"
#include "store/Settings.h"
#include <cerrno>
#include <cstring>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// After the list changed: save it, let the windows catch up, and report a
// failed save as an error notice rather than an exception, so that the
// caller still learns that the list changed.
bool SaveChangedList(TEventBook& book, TDataResult& result) {
    result.ListChanged = true;
    std::string error;
    try {
        book.SaveChanges();
    } catch (const TTickwellError& e) {
        error = e.what();
    }
    book.AnnounceReset();
    if (!error.empty()) {
        ShowMsg(error, mkError);
        return false;
    }
    return true;
}

std::string WithoutTrailingSlash(std::string folder) {
    if (!folder.empty() && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Events that never reached a list.
void FreeUnlisted(std::vector<TTickwellItem*>& items) {
    for (TTickwellItem* e : items)
        delete e;
    items.clear();
}

// In list order, as the walk over the list meets them.
std::vector<TTickwellItem*> ExpiredEvents(const TMyList& list) {
    std::vector<TTickwellItem*> expired;
    for (TTickwellItem* e : list.All())
        if (IsExpired(*e))
            expired.push_back(e);
    return expired;
}

// Takes the events out of the list in one pass, then frees them (which takes
// them out of DueList and every window too).
void DeleteEvents(TMyList& list, std::vector<TTickwellItem*>& events) {
    if (events.empty())
        return;
    list.RemoveEvents(events);
    FreeEvents(events, list.Due);
}

// The list takes the events over; if it cannot, they are freed.
void AddAll(TMyList& list, std::vector<TTickwellItem*>& items) {
    try {
        list.AddSortedAll(items);
    } catch (...) {
        FreeUnlisted(items);
        throw;
    }
}

// The list takes the new events over and is saved; only when the save worked
// does the closing notice follow.
TDataResult AddSaveAndReport(TEventBook& book, std::vector<TTickwellItem*>& items,
                             const std::string& success, TMsgKind kind = mkInformation) {
    TDataResult result;
    AddAll(book.MasterList, items);
    if (SaveChangedList(book, result)) {
        ShowMsg(success, kind);
        result.Succeeded = true;
    }
    return result;
}

// Export and backup: a copy of the list written to a file of its own, after
// asking before an existing one is replaced (anything but Yes ends silently).
TDataResult WriteCopy(const TMyList& list, const std::string& path, const std::string& question,
                      const char* success, const char* failure, const TEventsWriter& writer = {}) {
    TDataResult result;
    if (FileExists(path) && AskYesNoCancel(question) != anYes)
        return result;
    result.Succeeded = writer ? writer(list, path) : WriteEventsCopy(list, path);
    ShowMsg(result.Succeeded ? success : failure, result.Succeeded ? mkInformation : mkWarning);
    return result;
}

} // namespace

bool HasEvents(const TMyList& list) {
    if (list.Count() > 0)
        return true;
    ShowMsg(TW_TRANSLATE_NOOP("Messages", "There are no events in your Tickwell File!"),
            mkInformation);
    return false;
}

// ---- Export and import

TDataResult ExportCommand(const TMyList& list, const std::string& path,
                          const TEventsWriter& writer) {
    if (!HasEvents(list))
        return {};
    return WriteCopy(list, path, TW_TRANSLATE_NOOP("Messages", "Overwrite existing file?"),
                     TW_TRANSLATE_NOOP("Messages", "Export successful"),
                     TW_TRANSLATE_NOOP("Messages", "Export unsuccessful"), writer);
}

TDataResult ImportCommand(TEventBook& book, const std::string& path) {
    TDataResult result;
    if (RefuseChange())
        return result;
    std::vector<EventRecord> records;
    std::string error;
    if (!ParseImportFile(path, records, &error)) {
        ShowMsg(error.empty() ? TW_TRANSLATE_NOOP("Messages", "Import Error") : error, mkError);
        return result;
    }
    if (records.empty()) {
        ShowMsg(TW_TRANSLATE_NOOP("Messages", "No records in data file"), mkError);
        return result;
    }
    std::vector<TTickwellItem*> items;
    items.reserve(records.size());
    try {
        for (const EventRecord& rec : records) {
            auto e = std::make_unique<TTickwellItem>(rec);
            AckPastOnCreate(*e);
            items.push_back(e.release());
        }
    } catch (...) {
        FreeUnlisted(items);
        throw;
    }
    return AddSaveAndReport(book, items, TW_TRANSLATE_NOOP("Messages", "Import Successful"));
}

TDataResult ImportEvents(TEventBook& book, const std::vector<TEventUpdate>& updates,
                         std::vector<TTickwellItem*>& added, const std::string& success,
                         TMsgKind kind) {
    TMyList& list = book.MasterList;
    std::vector<TTickwellItem*> updated;
    updated.reserve(updates.size());
    for (const TEventUpdate& u : updates)
        updated.push_back(u.Event);
    TakeOut(list, updated);
    for (const TEventUpdate& u : updates)
        u.Event->AssignRecord(u.Record);
    list.AddSortedAll(updated);
    return AddSaveAndReport(book, added, success, kind);
}

// ---- Archive, compress, zap

std::string ArchivePath(const std::string& folder) {
    return WithoutTrailingSlash(folder) + "/archive.csv";
}

TDataResult ArchiveCommand(TEventBook& book, const std::string& folder) {
    TMyList& list = book.MasterList;
    TDataResult result;
    if (RefuseChange())
        return result;
    if (!HasEvents(list))
        return result;
    const std::string path = ArchivePath(folder);
    if (FileExists(path) &&
        AskYesNoCancel(TW_TRANSLATE_NOOP("Messages", "Overwrite existing file?")) != anYes)
        return result;
    std::vector<TTickwellItem*> expired;
    std::string error;
    size_t moved = 0;
    {
        TBusyCursor busy;
        expired = ExpiredEvents(list);
        if (expired.empty()) {
            ShowMsg(TW_TRANSLATE_NOOP("Messages", "No Events Archived"), mkInformation);
            return result;
        }
        std::vector<std::string> lines;
        lines.reserve(expired.size());
        for (const TTickwellItem* e : expired)
            lines.push_back(e->ToCsvLine());
        // All or nothing: the archive that was there comes back if the
        // events cannot also leave the data file.
        TPreviousFile previous(path);
        if (!WriteCsvFile(path, lines, false, error)) {
            ShowMsg(error + ": " + path, mkError);
            return result;
        }
        TakeOut(list, expired);
        result.ListChanged = true;
        moved = expired.size();
        try {
            book.SaveChanges();
            previous.Drop();
        } catch (const TTickwellError& e) {
            error = e.what();
            list.AddSortedAll(expired);
            expired.clear();
            if (!previous.PutBack())
                error += "\nThe archive " + path + " now holds events that are still in the list.";
        }
        FreeEvents(expired);
    }
    book.AnnounceReset();
    if (!error.empty()) {
        ShowMsg(error, mkError);
        return result;
    }
    ShowMsg(std::to_string(moved) + TW_TRANSLATE_NOOP("Messages", " event(s) archived"),
            mkInformation);
    result.Succeeded = true;
    return result;
}

int CompressEvents(TMyList& list) {
    int deleted = 0;
    {
        TBusyCursor busy;
        std::vector<TTickwellItem*> expired = ExpiredEvents(list);
        deleted = static_cast<int>(expired.size());
        DeleteEvents(list, expired);
    }
    if (deleted > 0)
        ShowMsg(std::to_string(deleted) + TW_TRANSLATE_NOOP("Messages", " event(s) deleted"),
                mkInformation);
    return deleted;
}

TDataResult CompressCommand(TEventBook& book) {
    TMyList& list = book.MasterList;
    TDataResult result;
    if (RefuseChange())
        return result;
    if (!HasEvents(list))
        return result;
    if (AskYesNoCancel(
            TW_TRANSLATE_NOOP("Messages", "This Option will delete all expired events. Continue?"),
            anNo) != anYes)
        return result;
    if (CompressEvents(list) > 0)
        result.Succeeded = SaveChangedList(book, result);
    else
        ShowMsg(TW_TRANSLATE_NOOP("Messages", "No events deleted"), mkInformation);
    return result;
}

TDataResult ZapListCommand(TEventBook& book) {
    TDataResult result;
    if (RefuseChange())
        return result;
    if (AskYesNoCancel(
            TW_TRANSLATE_NOOP(
                "Messages",
                "Delete all events from your file!") "\n" TW_TRANSLATE_NOOP("Messages",
                                                                            "Are you sure you wish "
                                                                            "to proceed?"),
            anNo) != anYes)
        return result;
    book.MasterList.FreeAll();
    result.Succeeded = SaveChangedList(book, result);
    return result;
}

// ---- Backup, restore, merge

std::string ChosenBackupFolder(const std::string& folder) {
    return folder.size() > 1 ? WithoutTrailingSlash(folder) : folder;
}

std::string BackupFolder(const std::string& dataFolder) {
    return ChosenBackupFolder(TSettings().Get(kBackupDest, dataFolder));
}

std::string BackupFileIn(const std::string& folder) {
    // Never a folder that depends on where the program was started, nor the
    // root for want of a folder.
    if (folder.empty())
        throw TTickwellError(TW_TRANSLATE_NOOP(
            "Messages", "No backup folder is set: choose the folder to back up to."));
    if (folder[0] != '/')
        throw TTickwellError(
            TW_TRANSLATE_NOOP("Messages", "The backup folder \"") + folder +
            TW_TRANSLATE_NOOP("Messages",
                              "\" is not a full path: choose one that begins with \"/\"."));
    return folder == "/" ? "/backup.dat" : folder + "/backup.dat";
}

bool CheckDrive(const std::string& path, bool forWriting, std::string* why) {
    if (path.empty() || path[0] != '/')
        throw TTickwellError(TW_TRANSLATE_NOOP("Messages", "Not a valid drive ID"));
    const std::string folder = FolderOf(path);
    const auto fail = [&](int error) {
        if (why)
            *why = std::string(std::strerror(error)) + ": " + folder;
        return false;
    };
    struct stat st;
    if (::stat(folder.c_str(), &st) != 0)
        return fail(errno);
    if (!S_ISDIR(st.st_mode))
        return fail(ENOTDIR);
    if (::access(folder.c_str(), (forWriting ? W_OK : R_OK) | X_OK) != 0)
        return fail(errno);
    return true;
}

namespace {

void RequireDrive(const std::string& path, bool forWriting) {
    std::string why;
    if (!CheckDrive(path, forWriting, &why))
        throw TTickwellError(TW_TRANSLATE_NOOP("Messages", "Please insert disk into drive") "\n" +
                             why);
}

} // namespace

TDataResult BackupCommand(const TMyList& list, const std::string& backupPath) {
    if (!HasEvents(list))
        return {};
    TBusyCursor busy;
    RequireDrive(backupPath, true);
    return WriteCopy(list, backupPath,
                     TW_TRANSLATE_NOOP("Messages", "Overwrite existing backup file?"),
                     TW_TRANSLATE_NOOP("Messages", "Backup successful"),
                     TW_TRANSLATE_NOOP("Messages", "Backup unsuccessful"));
}

namespace {

// A backup that is not a whole number of records, or holds none, was cut
// short or is something else: the user is told both counts before it may
// replace every event.
void ConfirmWholeBackup(const TMyList& list, const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        throw TTickwellError(TW_TRANSLATE_NOOP("Messages", "Unable to load backup file") "\n" +
                             std::string(std::strerror(errno)) + ": " + path);
    const auto size = static_cast<long long>(st.st_size);
    const long long whole = size / static_cast<long long>(kRecordSize);
    const long long rest = size % static_cast<long long>(kRecordSize);
    if (whole > 0 && rest == 0)
        return;
    const std::string now = std::to_string(list.Count());
    const std::string question =
        "The backup file holds " + std::to_string(whole) + " whole event(s)" +
        (rest ? " and " + std::to_string(rest) + " byte(s) of a broken one" : std::string()) +
        ";\nyou have " + now + " event(s) now, and restoring replaces them all.\n" + path +
        "\nRestore it anyway?";
    if (AskYesNoCancel(question, anNo) != anYes)
        throw TTickwellError(
            TW_TRANSLATE_NOOP("Messages", "Unable to load backup file") "\n" +
            std::string(whole == 0
                            ? TW_TRANSLATE_NOOP("Messages", "No whole event in ")
                            : TW_TRANSLATE_NOOP("Messages", "Not a whole number of events in ")) +
            std::to_string(size) + TW_TRANSLATE_NOOP("Messages", " bytes: ") + path);
}

} // namespace

TDataResult RestoreCommand(TEventBook& book, const std::string& backupPath) {
    TMyList& list = book.MasterList;
    TDataResult result;
    // A restore is the mending of a damaged file, not a change to keep it.
    const bool mending = ReadOnlyCause() == TReadOnlyCause::Damaged;
    if (!mending && RefuseChange())
        return result;
    TBusyCursor busy;
    RequireDrive(backupPath, false);
    if (!FileExists(backupPath)) {
        ShowMsg(TW_TRANSLATE_NOOP("Messages", "You have no backup to restore"), mkWarning);
        return result;
    }
    if (AskYesNoCancel(TW_TRANSLATE_NOOP("Messages", "Restore data from: ") "\n" + backupPath +
                           "\n" TW_TRANSLATE_NOOP("Messages", "Do you wish to proceed?"),
                       anNo) != anYes)
        return result;
    ConfirmWholeBackup(list, backupPath);
    std::vector<TTickwellItem*> items;
    if (!ReadEventsFile(backupPath, items, true))
        throw TTickwellError(
            TW_TRANSLATE_NOOP("Messages", "Unable to load backup file") "\n" TW_TRANSLATE_NOOP(
                "Messages", "An event in it cannot be read: ") +
            backupPath);
    list.FreeAll();
    result = AddSaveAndReport(book, items, TW_TRANSLATE_NOOP("Messages", "Restore successful"));
    if (mending && result.Succeeded)
        EndReadOnly();
    return result;
}

std::optional<bool> AskMergeFormat() {
    switch (AskYesNoCancel(
        TW_TRANSLATE_NOOP(
            "Messages",
            "Tickwell Data File Merge. Is the "
            "datafile ") "\n" TW_TRANSLATE_NOOP("Messages",
                                                "from a version of Tickwell prior to v4.0?"),
        anNo)) {
    case anYes:
        return true;
    case anNo:
        return false;
    default:
        return std::nullopt;
    }
}

TDataResult MergeCommand(TEventBook& book, const std::string& path, bool preV4) {
    TDataResult result;
    if (RefuseChange())
        return result;
    std::vector<TTickwellItem*> items;
    bool ok = false;
    ok = FileExists(path) && ReadEventsFile(path, items, false, preV4);
    if (!ok) {
        ShowMsg(TW_TRANSLATE_NOOP("Messages", "Unable to Read Data from file") "\n" +
                    std::string(FileExists(path)
                                    ? TW_TRANSLATE_NOOP("Messages", "An event in it cannot be read")
                                    : std::strerror(ENOENT)) +
                    ": " + path,
                mkWarning);
        return result;
    }
    // The merged events keep their ids, but not one that an event of the
    // list already answers to.
    std::vector<TTickwellItem*> all = book.MasterList.All();
    all.insert(all.end(), items.begin(), items.end());
    GiveUniqueIds(all);
    return AddSaveAndReport(book, items, TW_TRANSLATE_NOOP("Messages", "Merge Successful"));
}
