// The whole of tickwell-cli, which the light program starts for every
// command it does not run itself.
#include "cli/RunCli.h"
#include "core/FormatSettings.h"
#include "platform/Locale.h"
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    // Output of a million events goes through the stream's own buffer, not
    // through C stdio one piece at a time.
    std::ios::sync_with_stdio(false);
    SetFormatSettings(SystemFormatSettings());
    const std::vector<std::string> args(argv + 1, argv + argc);
    return RunCli(args, std::cin, std::cout, std::cerr, isatty(STDIN_FILENO) == 1,
                  StandardOutputForm(), StandardOutputColumns());
}
