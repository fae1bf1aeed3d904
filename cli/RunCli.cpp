#include "cli/RunCli.h"
#include "cli/CliArgs.h"
#include "cli/CliSettings.h"
#include "cli/Commands.h"
#include "cli/TerminalMessages.h"
#include "core/Clock.h"
#include "core/EventLists.h"
#include "core/Messages.h"
#include "ical/VdirConflict.h"
#include "ical/VdirSync.h"
#include "platform/DamagedCopy.h"
#include "platform/Paths.h"
#include "store/AtomicFile.h"
#include "store/DataFile.h"
#include "store/DataFileSync.h"
#include "store/ReadOnlyMode.h"
#include "store/Settings.h"
#include <algorithm>
#include <exception>
#include <memory>

namespace {

constexpr const char* kPrefix = "tickwell-cli: ";

class TFixedToday {
public:
    explicit TFixedToday(const std::optional<TDateTime>& day) : Fixed(day.has_value()) {
        if (Fixed)
            FixToday(*day);
    }
    ~TFixedToday() {
        if (Fixed)
            SetClockSource({});
    }
    TFixedToday(const TFixedToday&) = delete;
    TFixedToday& operator=(const TFixedToday&) = delete;

private:
    bool Fixed;
};

// Run by vdirsyncer on its own copies of the two versions, while the
// folder may be changing: the events and the folder are not touched.
TExitStatus Resolve(const TCliArgs& args) {
    std::string texts[2];
    const std::string* paths[2] = {&args.Path, &args.Other};
    for (int i = 0; i < 2; ++i) {
        TFileBytes bytes;
        std::string error;
        if (!ReadWholeFile(*paths[i], bytes, error))
            throw TTickwellError("The item " + *paths[i] + " cannot be read: " + error);
        texts[i] = bytes.View();
    }
    const std::string merged = MergedItem(texts[0], texts[1]);
    for (const std::string* path : paths) {
        std::string error;
        if (!WriteFileAtomic(*path, merged, error))
            throw TTickwellError("The item " + *path + " cannot be written: " + error);
    }
    return esDone;
}

TExitStatus Run(const TCliArgs& args, const TCliStreams& io) {
    if (args.Resolve)
        return Resolve(args);
    TCliSettingsStore settings;
    TEventBook book;
    TMyList& list = book.MasterList;
    list.FileName = args.DataFile.empty() ? DataFilePath() : args.DataFile;
    // A command that writes remembers what it read, so that its save can
    // take in whatever another program wrote meanwhile. With a sync folder
    // every command first takes in what changed there, which it may save.
    const std::string syncFolder =
        args.Command == TCliCommand::Vdir ? std::string() : TSettings().Get(kSyncFolder);
    const bool writes = WritesEvents(args.Command) || !syncFolder.empty();
    if (writes ? LoadSynced(list) : LoadEvents(list, list.FileName)) {
        std::unique_ptr<TVdirLink> link;
        if (!syncFolder.empty()) {
            link = std::make_unique<TVdirLink>(book, syncFolder, [&io](const std::string& text) {
                io.Err << kPrefix << text << '\n';
            });
            link->StepIn();
        }
        return RunCommand({args, io, book});
    }
    if (ReplacesAllEvents(args.Command)) {
        list.FreeAll();
        RememberSynced(list);
        return RunCommand({args, io, book});
    }
    // Saving what was read would lose the rest of the file for good: a
    // command that writes goes on only when told to keep the whole events.
    std::string error;
    const std::string copy = KeepDamagedCopy(list.FileName, error);
    io.Err << kPrefix << "the data file " << list.FileName
           << " is damaged: it cannot be read whole; " << list.Count()
           << (list.Count() == 1 ? " event was" : " events were") << " read whole\n"
           << kPrefix
           << (copy.empty() ? "the damaged file could not be copied (" + error + ")"
                            : "a copy of it is kept as " + copy)
           << '\n';
    if (!writes)
        return std::max(RunCommand({args, io, book}), esNotDone);
    if (AskOkCancel(KeepWholeEventsQuestion(list.Count())) != anOk)
        throw TTickwellError("The data file " + list.FileName + " was left as it is");
    return RunCommand({args, io, book});
}

} // namespace

int RunCli(const std::vector<std::string>& argv, std::istream& in, std::ostream& out,
           std::ostream& err, bool interactive) {
    TCliArgs args;
    try {
        args = ParseCliArgs(argv);
    } catch (const TUsageError& e) {
        err << kPrefix << e.what() << "\n\n" << UsageText();
        return esError;
    }
    if (args.Help) {
        out << UsageText();
        return esDone;
    }
    if (args.Version) {
        out << VersionText();
        return esDone;
    }

    const TCliStreams io{in, out, err, interactive};
    TTerminalMessages messages(io, args.Yes);
    TFixedToday today(args.Today);
    TExitStatus status = esDone;
    try {
        status = Run(args, io);
    } catch (const TUsageError& e) {
        err << kPrefix << e.what() << "\n\n" << UsageText();
        return esError;
    } catch (const TTickwellError& e) {
        err << kPrefix << e.what() << '\n';
        return esError;
    } catch (const std::exception& e) {
        err << kPrefix << e.what() << '\n';
        return esError;
    }
    out.flush();
    return std::max(status, messages.Status());
}
