#include "cli/Commands.h"
#include "cli/CliSettings.h"
#include "cli/EnteredEvent.h"
#include "cli/EventOutput.h"
#include "cli/Json.h"
#include "cli/ReadingCommands.h"
#include "core/Clock.h"
#include "core/DateFormat.h"
#include "core/EventId.h"
#include "core/Messages.h"
#include "core/Snooze.h"
#include "ical/ICalExport.h"
#include "ical/ICalImport.h"
#include "ical/VdirSync.h"
#include "platform/Paths.h"
#include "store/DataCommands.h"
#include "store/DataFile.h"
#include "store/Settings.h"
#include "store/SettingsSchema.h"
#include "store/VdirState.h"
#include <algorithm>
#include <filesystem>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// Folders typed on the command line are taken from the current folder; the
// backup folder is remembered, so it must not depend on where it was typed.
std::string AbsoluteFolder(const std::string& folder) {
    return std::filesystem::absolute(folder).string();
}

// An event added or edited, as `list` shows it.
void WriteEvent(const TCliContext& c, const TTickwellItem& e, int index) {
    if (c.Args.Json)
        c.Io.Out << EventJson(e, index) << '\n';
    else
        c.Io.Out << ListRow(e, index) << '\n';
}

TExitStatus Add(const TCliContext& c) {
    const EventRecord rec = BuildNewEventRecord(c.Args.Event, ReadEditorDefaults());
    auto event = std::make_unique<TTickwellItem>(rec);
    AckPastOnCreate(*event);
    TTickwellItem* e = event.release();
    WriteEvent(c, *e, c.Book.Add(e));
    return esDone;
}

// The event the operand names, or null after saying why there is none. An
// index is only good for the list just shown; an id holds for the event's
// life (every save keeps the ids of one file distinct).
TTickwellItem* NamedEvent(const TCliContext& c, const char* nothing, TMsgKind kind) {
    const std::string& id = c.Args.Id;
    if (id.empty()) {
        const int index = c.Args.Index;
        if (index >= 0 && index < c.Book.MasterList.Count())
            return c.Book.MasterList[index];
        ShowMsg(nothing, kind);
        return nullptr;
    }
    for (TTickwellItem* e : c.Book.MasterList.All())
        if (EventId(*e) == id)
            return e;
    ShowMsg("No event has the id " + id, mkWarning);
    return nullptr;
}

TExitStatus Edit(const TCliContext& c) {
    TTickwellItem* e = NamedEvent(c, "Nothing to Edit", mkInformation);
    if (!e)
        return esNotDone;
    c.Book.Edit(e, BuildEditedRecord(c.Args.Event, *e));
    // The list keeps an edited event where it was until the file is read
    // again; the index shown is the one the next list gives it by its new
    // date (among equal dates it may change places, as at any save).
    const TMyList& list = c.Book.MasterList;
    const auto before =
        std::count_if(list.All().begin(), list.All().end(),
                      [&](const TTickwellItem* o) { return list.Compare(*o, *e) < 0; });
    WriteEvent(c, *e, static_cast<int>(before));
    return esDone;
}

TExitStatus Acknowledge(const TCliContext& c) {
    TTickwellItem* e = NamedEvent(c, "Nothing to Acknowledge", mkInformation);
    if (!e)
        return esNotDone;
    c.Book.Scan();
    if (!c.Book.Acknowledge(e)) {
        ShowMsg("Nothing to Acknowledge", mkInformation);
        return esNotDone;
    }
    if (c.Args.Json)
        c.Io.Out << TJsonObject()
                        .Add("index", c.Book.MasterList.IndexOf(e))
                        .Add("id", EventId(*e))
                        .Add("ackDate", IsoDate(e->AckDate))
                        .Add("description", e->Description)
                        .Str()
                 << '\n';
    else
        c.Io.Out << "Acknowledged: " << EventName(*e, e->AckDate) << '\n';
    return esDone;
}

TExitStatus Snooze(const TCliContext& c) {
    TTickwellItem* e = NamedEvent(c, "Nothing to Snooze", mkInformation);
    if (!e)
        return esNotDone;
    const TDateTime now = Now();
    const TDateTime until =
        c.Args.SnoozeUntil ? *c.Args.SnoozeUntil
                           : SnoozeEndFrom(now, c.Args.SnoozeFor ? *c.Args.SnoozeFor
                                                                 : ReadSetting(kSnoozeMinutes));
    if (until <= now)
        throw TTickwellError("The snooze would end at " + SnoozeEndText(until) +
                             ", which has already passed");
    c.Book.Snooze({e}, until);
    if (c.Args.Json)
        c.Io.Out << TJsonObject()
                        .Add("index", c.Book.MasterList.IndexOf(e))
                        .Add("id", EventId(*e))
                        .Add("snoozedUntil", SnoozeEndText(until))
                        .Add("description", e->Description)
                        .Str()
                 << '\n';
    else
        c.Io.Out << "Snoozed until " << SnoozeEndText(until) << ": " << RowText(e->Description)
                 << '\n';
    return esDone;
}

TExitStatus Delete(const TCliContext& c) {
    TTickwellItem* e = NamedEvent(c, "Nothing to Delete", mkWarning);
    if (!e)
        return esNotDone;
    // Taken before the event is freed.
    const std::string json = TJsonObject()
                                 .Add("index", c.Book.MasterList.IndexOf(e))
                                 .Add("id", EventId(*e))
                                 .Add("nextDate", IsoDate(e->NextDate))
                                 .Add("description", e->Description)
                                 .Str();
    const std::string name = EventName(*e, e->NextDate);
    if (!c.Book.Delete(e, false, name))
        return esNotDone;
    c.Io.Out << (c.Args.Json ? json : "Deleted: " + name) << '\n';
    return esDone;
}

TExitStatus Backup(const TCliContext& c) {
    if (!HasEvents(c.Book.MasterList))
        return esNotDone;
    if (c.Args.Path.empty())
        return BackupCommand(c.Book.MasterList, BackupFileIn(BackupFolder(DataFolder()))).Succeeded
                   ? esDone
                   : esNotDone;
    // The folder is remembered only once a backup there worked.
    const std::string folder = ChosenBackupFolder(AbsoluteFolder(c.Args.Path));
    if (!BackupCommand(c.Book.MasterList, BackupFileIn(folder)).Succeeded)
        return esNotDone;
    // A settings file that cannot be written says so itself; the backup is
    // made all the same.
    TSettings().Set(kBackupDest, folder);
    return esDone;
}

// Setting the folder takes in what it already holds (another machine's
// events) and then writes every event there.
TExitStatus Vdir(const TCliContext& c) {
    TSettings settings;
    if (c.Args.Off) {
        settings.Set(kSyncFolder, std::string());
        c.Io.Out << "Sync folder: off\n";
        return esDone;
    }
    if (c.Args.Path.empty()) {
        const std::string folder = settings.Get(kSyncFolder);
        if (folder.empty()) {
            c.Io.Out << "Sync folder: off\n";
            return esDone;
        }
        const TVdirState state = ReadVdirState(VdirStatePath(c.Book.FileName()), folder);
        c.Io.Out << "Sync folder: " << folder << "\nLast step in: " << state.LastIn
                 << "\nLast step out: " << state.LastOut << '\n';
        for (const auto& [name, item] : state.Items)
            if (item.Kind == TItemKind::NotShown)
                c.Io.Out << "Not shown: " << name << ": " << item.Note << '\n';
        return esDone;
    }
    const std::string folder = AbsoluteFolder(c.Args.Path);
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        throw TTickwellError("The sync folder " + folder + " is not a folder");
    if (::access(folder.c_str(), W_OK) != 0)
        throw TTickwellError("The sync folder " + folder + " cannot be written to");
    settings.Set(kSyncFolder, folder);
    TVdirLink link(c.Book, folder);
    const TVdirStep out = link.Fill();
    const TVdirState state = ReadVdirState(VdirStatePath(c.Book.FileName()), folder);
    c.Io.Out << "Sync folder: " << folder << "\nIn: " << state.LastIn
             << "\nOut: " << StepText(out, false) << '\n';
    return esDone;
}

} // namespace

TExitStatus RunCommand(const TCliContext& c) {
    TMyList& list = c.Book.MasterList;
    const bool wasEmpty = list.Empty();
    switch (c.Args.Command) {
    case TCliCommand::List:
    case TCliCommand::Due:
    case TCliCommand::Month:
        return RunReadingCommand(c);
    case TCliCommand::Add:
        return Add(c);
    case TCliCommand::Edit:
        return Edit(c);
    case TCliCommand::Ack:
        return Acknowledge(c);
    case TCliCommand::Snooze:
        return Snooze(c);
    case TCliCommand::Delete:
        return Delete(c);
    case TCliCommand::Export: {
        const std::string& path = c.Args.Path;
        const TDataResult r =
            IsICalendarPath(path) ? ExportICalendarCommand(list, path) : ExportCommand(list, path);
        return r.Succeeded ? esDone : esNotDone;
    }
    case TCliCommand::Import:
        if (IsICalendarPath(c.Args.Path))
            ImportICalendarCommand(c.Book, c.Args.Path);
        else
            ImportCommand(c.Book, c.Args.Path);
        return esDone;
    case TCliCommand::Archive:
        ArchiveCommand(c.Book, AbsoluteFolder(c.Args.Path));
        // "There are no events in your Tickwell File!" ends it undone.
        return wasEmpty ? esNotDone : esDone;
    case TCliCommand::Compress:
        CompressCommand(c.Book);
        return wasEmpty ? esNotDone : esDone;
    case TCliCommand::Zap:
        ZapListCommand(c.Book);
        return esDone;
    case TCliCommand::Backup:
        return Backup(c);
    case TCliCommand::Restore:
        RestoreCommand(c.Book, BackupFileIn(BackupFolder(DataFolder())));
        return esDone;
    case TCliCommand::Merge:
        MergeCommand(c.Book, c.Args.Path, c.Args.Pre4);
        return esDone;
    case TCliCommand::Vdir:
        return Vdir(c);
    case TCliCommand::None:
        break;
    }
    return esDone;
}
