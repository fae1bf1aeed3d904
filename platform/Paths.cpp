#include "platform/Paths.h"
#include "store/AtomicFile.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace {

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string HomeFolder() {
    std::string home = Env("HOME");
    if (!home.empty())
        return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return "/tmp";
}

// An XDG base folder: the variable when it holds an absolute path (relative
// ones are to be ignored), else the fallback below the home folder.
std::string XdgBase(const char* variable, const char* fallback) {
    std::string base = Env(variable);
    if (base.empty() || base[0] != '/')
        base = HomeFolder() + "/" + fallback;
    return base;
}

std::string XdgFolder(const char* variable, const char* fallback) {
    return XdgBase(variable, fallback) + "/tickwell";
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

std::string DataFolder() {
    std::string home = Env("TICKWELL_HOME");
    std::string folder =
        WithoutTrailingSlash(home.empty() ? XdgFolder("XDG_DATA_HOME", ".local/share") : home);
    std::error_code ec;
    // A folder that cannot be made shows up as the data file's own error.
    std::filesystem::create_directories(folder, ec);
    return folder;
}

std::string ConfigFolder() {
    std::string home = Env("TICKWELL_HOME");
    return WithoutTrailingSlash(home.empty() ? XdgFolder("XDG_CONFIG_HOME", ".config") : home);
}

std::string StateFolder() {
    std::string home = Env("TICKWELL_HOME");
    return WithoutTrailingSlash(home.empty() ? XdgFolder("XDG_STATE_HOME", ".local/state") : home);
}

std::string AutostartFolder() {
    return XdgBase("XDG_CONFIG_HOME", ".config") + "/autostart";
}

std::string DataFilePath() {
    return DataFolder() + "/tickwell.dat";
}

std::string RegistryFilePath() {
    return ConfigFolder() + "/registry.reg";
}

std::string DamagedCopyName(const std::string& path) {
    return UnusedStampedPath(path + ".damaged-", "");
}
