// The start-up link as a desktop entry: any program path survives the Exec
// quoting and its escapes, and the entry stays valid.
#include "platform/ShellLink.h"
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

TEST(ShellLink, AnyProgramPathComesBackFromTheExecLine) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("tw-link-" + std::to_string(::getpid()));
    setenv("XDG_CONFIG_HOME", root.c_str(), 1);
    const bool validator = std::system("command -v desktop-file-validate >/dev/null") == 0;
    for (const std::string program :
         {"/usr/bin/tickwell", "/opt/Tick well/tickwell", "/opt/it's \"$HOME\" `x`\\y/tickwell",
          "/opt/100%/tickwell"}) {
        SCOPED_TRACE(program);
        const std::string link = CreateShellLink(program, "Reminds", "Startup", "tickwell");
        EXPECT_EQ(link, (root / "autostart/tickwell.desktop").string()) << "folder made";
        TShellLinkInfo info = GetShellLinkInfo(link);
        EXPECT_EQ(info.PathName + "|" + info.Arguments, program + "|");
        info.Arguments = "/q";
        SetShellLinkInfo(link, info);
        EXPECT_TRUE(!validator ||
                    std::system(("desktop-file-validate '" + link + "'").c_str()) == 0);
        info = GetShellLinkInfo(link);
        EXPECT_EQ(info.PathName + "|" + info.Arguments + "|" + info.Description + "|" +
                      info.IconLocation,
                  program + "|/q|Reminds|tickwell");
    }
    fs::remove_all(root);
}
