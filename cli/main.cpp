// tickwell-cli as started: list, due and month here, without Qt, ICU or
// libical, so that a status bar may run it every few seconds; the other
// commands in the whole program.
#include "cli/CliSession.h"
#include "cli/ReadingCommands.h"
#include "cli/WholeProgram.h"
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    // Output of a million events goes through the stream's own buffer, not
    // through C stdio one piece at a time.
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (LightProgramRuns(args)) {
        TCliEngine engine;
        engine.Command = RunReadingCommand;
        engine.EndsWithProcess = true;
        const int status =
            RunCliSession(engine, args, std::cin, std::cout, std::cerr, isatty(STDIN_FILENO) == 1,
                          StandardOutputForm(), StandardOutputColumns());
        if (status != kNeedsWholeProgram)
            return status;
    }
    return ExecWholeProgram(argv);
}
