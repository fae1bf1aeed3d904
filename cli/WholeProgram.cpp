#include "cli/WholeProgram.h"
#include "cli/CliArgs.h"
#include "cli/ReadingCommands.h"
#include "platform/Paths.h"
#include "platform/RegistryFile.h"
#include "store/RegFileFormat.h"
#include "store/SettingsSchema.h"
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <unistd.h>

#ifndef TICKWELL_WHOLE_CLI_DIR
#define TICKWELL_WHOLE_CLI_DIR "."
#endif

namespace {

constexpr const char* kWholeProgram = "tickwell-cli-full";

// Read without telling anything: whatever the file holds is told once, by
// the program that goes on to use it. A value the light program would find
// unusable goes to the whole one too: the schedule times are read in the
// system's time format, which only the whole program knows.
bool SettingsNeedWholeProgram() {
    const std::string path = RegistryFilePath();
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size > TRegistryFile::kMaxFileSize)
        return false;
    std::ifstream file(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    TRegData data;
    std::vector<TRegFileSkip> skipped;
    std::string error;
    if (!ParseRegFile(text, data, skipped, error))
        return false;
    if (!SettingsOutOfRange(data).empty())
        return true;
    const TRegValue* value =
        data.Find(std::string(kRegistryRoot) + '\\' + kSyncFolder.Section, kSyncFolder.Name);
    std::string folder;
    return value && RegText(*value, folder) && !folder.empty();
}

// Empty when the system does not say (never the current folder: whatever
// lies there is no part of this program).
std::string ProgramFolder() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    const std::string self(path, static_cast<size_t>(n));
    return self.substr(0, self.rfind('/'));
}

} // namespace

bool LightProgramRuns(const std::vector<std::string>& args) {
    TCliArgs a;
    try {
        a = ParseCliArgs(args);
    } catch (const TUsageError&) {
        return true;
    }
    return a.Help || a.Version || (IsReadingCommand(a.Command) && !SettingsNeedWholeProgram());
}

int ExecWholeProgram(char** argv) {
    // Beside this one in a build folder; installed, in its own folder.
    const std::string folder = ProgramFolder();
    if (folder.empty()) {
        std::cerr << "tickwell-cli: cannot start the rest of the program: /proc/self/exe "
                     "does not tell where this one is ("
                  << std::strerror(errno) << ")\n";
        return 2;
    }
    std::string tried;
    for (const std::string& candidate :
         {folder + '/' + kWholeProgram,
          folder + '/' + TICKWELL_WHOLE_CLI_DIR + '/' + kWholeProgram}) {
        argv[0] = const_cast<char*>(candidate.c_str());
        execv(candidate.c_str(), argv);
        tried += (tried.empty() ? "" : "; ") + candidate + ": " + std::strerror(errno);
    }
    std::cerr << "tickwell-cli: cannot start the rest of the program (" << tried << ")\n";
    return 2;
}
