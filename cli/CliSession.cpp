#include "cli/CliSession.h"
#include "cli/CliSettings.h"
#include "core/Clock.h"
#include "core/EventLists.h"
#include "core/Messages.h"
#include "platform/DamagedCopy.h"
#include "platform/Paths.h"
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

// Asked for by a command this program has no part for.
struct TWholeProgramNeeded {};

TExitStatus Run(const TCliEngine& engine, const TCliArgs& args, const TCliStreams& io) {
    if (args.Resolve) {
        if (!engine.Resolve)
            throw TWholeProgramNeeded();
        return engine.Resolve(args);
    }
    TCliSettingsStore settings;
    // A program that ends with the session leaves the events to the end of
    // the process: freeing a million of them one by one is a sixth of a due.
    auto* made = new TEventBook;
    const std::unique_ptr<TEventBook> owned(engine.EndsWithProcess ? nullptr : made);
    TEventBook& book = *made;
    TMyList& list = book.MasterList;
    list.FileName = args.DataFile.empty() ? DataFilePath() : args.DataFile;
    // A command that writes remembers what it read, so that its save can
    // take in whatever another program wrote meanwhile. With a sync folder
    // every command first takes in what changed there, which it may save.
    const std::string syncFolder =
        args.Command == TCliCommand::Vdir ? std::string() : TSettings().Get(kSyncFolder);
    const bool writes = WritesEvents(args.Command) || !syncFolder.empty();
    if (!syncFolder.empty() && !engine.SyncFolder)
        throw TWholeProgramNeeded();
    const auto& command = engine.Command;
    if (writes ? LoadSynced(list) : LoadEvents(list, list.FileName)) {
        std::shared_ptr<void> link;
        if (!syncFolder.empty())
            link = engine.SyncFolder(book, syncFolder, io);
        return command({args, io, book});
    }
    if (ReplacesAllEvents(args.Command)) {
        list.FreeAll();
        RememberSynced(list);
        return command({args, io, book});
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
        return std::max(command({args, io, book}), esNotDone);
    if (AskOkCancel(KeepWholeEventsQuestion(list.Count())) != anOk)
        throw TTickwellError("The data file " + list.FileName + " was left as it is");
    return command({args, io, book});
}

} // namespace

int RunCliSession(const TCliEngine& engine, const std::vector<std::string>& argv, std::istream& in,
                  std::ostream& out, std::ostream& err, bool interactive, TOutputForm form,
                  int columns) {
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

    const TCliStreams io{in, out, err, interactive, args.Tsv ? TOutputForm::Rows : form, columns};
    TTerminalMessages messages(io, args.Yes);
    TFixedToday today(args.Today);
    TExitStatus status = esDone;
    try {
        status = Run(engine, args, io);
    } catch (const TWholeProgramNeeded&) {
        return kNeedsWholeProgram;
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
