#include "cli/RunCli.h"
#include "cli/CliArgs.h"
#include "cli/CliSettings.h"
#include "cli/Commands.h"
#include "cli/TerminalMessages.h"
#include "core/Clock.h"
#include "core/EventLists.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "platform/Paths.h"
#include "store/DataFile.h"
#include "store/DataFileSync.h"
#include <algorithm>
#include <exception>

namespace {

constexpr const char* kPrefix = "tickwell-cli: ";

// The process-wide lists point at this run's lists while it lasts.
class TListsInstalled {
public:
    TListsInstalled(TMyList& master, TScanList& due) : OldMaster(MasterList), OldDue(DueList) {
        MasterList = &master;
        DueList = &due;
    }
    ~TListsInstalled() {
        MasterList = OldMaster;
        DueList = OldDue;
    }
    TListsInstalled(const TListsInstalled&) = delete;
    TListsInstalled& operator=(const TListsInstalled&) = delete;

private:
    TMyList* OldMaster;
    TScanList* OldDue;
};

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

TExitStatus Run(const TCliArgs& args, const TCliStreams& io) {
    TCliSettingsStore settings;
    ReadCliOptions(DataFolder());
    // The due list goes last, so the master list's events leave it before
    // they are freed.
    TScanList due;
    TMyList list;
    TListsInstalled installed(list, due);
    list.FileName = args.DataFile.empty() ? DataFilePath() : args.DataFile;
    // A command that writes remembers what it read, so that its save can
    // take in whatever another program wrote meanwhile.
    const bool writes = WritesEvents(args.Command);
    if (!(writes ? LoadSynced(list) : LoadEvents(list, list.FileName))) {
        // Saving what was read would lose the rest of the file; only a
        // command that replaces every event may go on.
        if (!ReplacesAllEvents(args.Command))
            throw TTickwellError("The data file " + list.FileName +
                                 " cannot be read; it was left as it is");
        list.FreeAll();
        RememberSynced(list);
    }
    return RunCommand({args, io, list, due});
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
