#include "cli/Commands.h"
#include "cli/CliSettings.h"
#include "cli/EventOutput.h"
#include "cli/Json.h"
#include "cli/NewEvent.h"
#include "core/DateFormat.h"
#include "core/Messages.h"
#include "ical/ICalExport.h"
#include "ical/ICalImport.h"
#include "store/DataCommands.h"
#include "store/DataFile.h"
#include <filesystem>
#include <memory>

namespace {

// Folders typed on the command line are taken from the current folder; the
// backup folder is remembered, so it must not depend on where it was typed.
std::string AbsoluteFolder(const std::string& folder) {
    return std::filesystem::absolute(folder).string();
}

TExitStatus Add(const TCliContext& c) {
    const EventRecord rec = BuildNewEventRecord(c.Args.Add, ReadEditorDefaults());
    auto event = std::make_unique<TTickwellItem>(rec);
    AckPastOnCreate(*event);
    TTickwellItem* e = event.release();
    const int index = c.List.AddSorted(e);
    SaveEvents(c.List, c.List.FileName);
    if (c.Args.Json)
        c.Io.Out << EventJson(*e, index) << '\n';
    else
        c.Io.Out << index << '\t' << ListRow(*e) << '\n';
    return esDone;
}

TExitStatus Acknowledge(const TCliContext& c) {
    const int index = c.Args.Index;
    TTickwellItem* e = index < c.List.Count() ? c.List[index] : nullptr;
    if (e) {
        c.List.ScanInto(c.Due);
        if (c.Due.IndexOf(e) < 0)
            e = nullptr;
    }
    if (!e) {
        ShowMsg("Nothing to Acknowledge", mkInformation);
        return esNotDone;
    }
    e->AckDate = e->ScanDate;
    SaveEvents(c.List, c.List.FileName);
    if (c.Args.Json)
        c.Io.Out << TJsonObject()
                        .Add("index", index)
                        .Add("ackDate", IsoDate(e->AckDate))
                        .Add("description", e->Description)
                        .Str()
                 << '\n';
    else
        c.Io.Out << IsoDate(e->AckDate) << '\t' << RowText(e->Description) << '\n';
    return esDone;
}

TExitStatus Delete(const TCliContext& c) {
    const int index = c.Args.Index;
    TTickwellItem* e = index < c.List.Count() ? c.List[index] : nullptr;
    if (!DeleteEvent(c.List, e, false))
        return esNotDone;
    SaveEvents(c.List, c.List.FileName);
    return esDone;
}

TExitStatus Backup(const TCliContext& c) {
    if (!HasEvents(c.List))
        return esNotDone;
    std::string path;
    if (c.Args.Path.empty()) {
        path = BackupFilePath();
    } else {
        path = ApplyBackupDestination(AbsoluteFolder(c.Args.Path));
        StoreBackupDest();
    }
    return BackupCommand(c.List, path).Succeeded ? esDone : esNotDone;
}

} // namespace

bool ReplacesAllEvents(TCliCommand command) {
    return command == TCliCommand::Restore || command == TCliCommand::Zap;
}

TExitStatus RunCommand(const TCliContext& c) {
    TMyList& list = c.List;
    const bool wasEmpty = list.Empty();
    switch (c.Args.Command) {
    case TCliCommand::List:
        WriteList(c.Io.Out, list, c.Args.Json);
        return esDone;
    case TCliCommand::Due:
        list.ScanInto(c.Due);
        WriteDue(c.Io.Out, list, c.Due, c.Args.Json);
        return esDone;
    case TCliCommand::Month:
        WriteMonth(c.Io.Out, list, c.Args.Year, c.Args.Month, c.Args.Json);
        return esDone;
    case TCliCommand::Add:
        return Add(c);
    case TCliCommand::Ack:
        return Acknowledge(c);
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
            ImportICalendarCommand(list, c.Args.Path);
        else
            ImportCommand(list, c.Args.Path);
        return esDone;
    case TCliCommand::Archive:
        ArchiveCommand(list, AbsoluteFolder(c.Args.Path));
        // "There are no events in your Tickwell File!" ends it undone.
        return wasEmpty ? esNotDone : esDone;
    case TCliCommand::Compress:
        CompressCommand(list);
        return wasEmpty ? esNotDone : esDone;
    case TCliCommand::Zap:
        ZapListCommand(list);
        return esDone;
    case TCliCommand::Backup:
        return Backup(c);
    case TCliCommand::Restore:
        RestoreCommand(list);
        return esDone;
    case TCliCommand::Merge:
        MergeCommand(list, c.Args.Path, c.Args.Pre4);
        return esDone;
    case TCliCommand::None:
        break;
    }
    return esDone;
}
