#pragma once
// One run of tickwell-cli from its arguments to its exit status: the
// settings, the data file (a damaged one kept aside), the sync folder, the
// command, the notices. The light program runs it with the reading commands
// alone; the whole program with every command and the sync folder.
#include "cli/Commands.h"
#include <functional>
#include <memory>

struct TCliEngine {
    // Takes in what changed in the sync folder and keeps it in step with
    // the events while the result lives. Empty: this program cannot, and a
    // run that would need it ends with kNeedsWholeProgram before any output.
    std::function<std::shared_ptr<void>(TEventBook&, const std::string& folder, const TCliStreams&)>
        SyncFolder;
    std::function<TExitStatus(const TCliContext&)> Command;
    // The process ends when the session does, so its memory need not be
    // handed back piece by piece.
    bool EndsWithProcess = false;
    // vdir --resolve, which works on two files of its own and not on the
    // events. Empty: as for SyncFolder.
    std::function<TExitStatus(const TCliArgs&)> Resolve;
};

inline constexpr int kNeedsWholeProgram = -1;

int RunCliSession(const TCliEngine& engine, const std::vector<std::string>& args, std::istream& in,
                  std::ostream& out, std::ostream& err, bool interactive, TOutputForm form,
                  int columns = 80);
