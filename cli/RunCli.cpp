#include "cli/RunCli.h"
#include "cli/CliSession.h"
#include "core/Messages.h"
#include "ical/VdirConflict.h"
#include "ical/VdirSync.h"
#include "store/AtomicFile.h"

namespace {

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

} // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, bool interactive, TOutputForm form, int columns) {
    TCliEngine engine;
    engine.SyncFolder = [](TEventBook& book, const std::string& folder, const TCliStreams& io) {
        auto link = std::make_shared<TVdirLink>(book, folder, [&io](const std::string& text) {
            io.Err << "tickwell-cli: " << text << '\n';
        });
        link->StepIn();
        return std::shared_ptr<void>(link);
    };
    engine.Resolve = Resolve;
    engine.Command = RunCommand;
    return RunCliSession(engine, args, in, out, err, interactive, form, columns);
}
