// The start-up link as a desktop entry: any program path survives the Exec
// quoting, lines the link does not own are kept, and a file that is not a
// readable entry is an error rather than a guess.
#include "platform/ShellLink.h"
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class ShellLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        Root = fs::temp_directory_path() / ("tw-link-" + std::to_string(::getpid()));
        fs::remove_all(Root);
        setenv("XDG_CONFIG_HOME", Root.c_str(), 1);
    }
    void TearDown() override { fs::remove_all(Root); }
    static std::string Read(const fs::path& p) {
        std::ifstream in(p);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void Write(const fs::path& p, const std::string& text) {
        fs::create_directories(p.parent_path());
        std::ofstream(p) << text;
    }
    // desktop-file-validate's verdict when it is installed; empty is clean.
    static std::string Validate(const std::string& link) {
        if (std::system("command -v desktop-file-validate >/dev/null") != 0)
            return {};
        const std::string out = link + ".out";
        std::system(("desktop-file-validate '" + link + "' >'" + out + "' 2>&1").c_str());
        const std::string said = Read(out);
        fs::remove(out);
        return said;
    }
    fs::path Root;
};

TEST_F(ShellLinkTest, AnyProgramPathComesBackFromTheExecLine) {
    for (const std::string program :
         {"/usr/bin/tickwell", "/opt/Tick well/tickwell", "/opt/it's \"$HOME\" `x`\\y/tickwell",
          "/opt/100%/tickwell"}) {
        SCOPED_TRACE(program);
        const std::string link = CreateShellLink(program, "Reminds", "Startup", "tickwell");
        EXPECT_EQ(link, (Root / "autostart/tickwell.desktop").string()) << "folder made";
        EXPECT_EQ(Validate(link), "");
        TShellLinkInfo info = GetShellLinkInfo(link);
        EXPECT_EQ(info.PathName, program);
        EXPECT_EQ(info.Arguments, "");
        info.Arguments = "/q";
        SetShellLinkInfo(link, info);
        EXPECT_EQ(Validate(link), "");
        info = GetShellLinkInfo(link);
        EXPECT_EQ(info.PathName, program);
        EXPECT_EQ(info.Arguments, "/q");
        EXPECT_EQ(info.Description, "Reminds");
        EXPECT_EQ(info.IconLocation, "tickwell");
        EXPECT_TRUE(info.Enabled);
    }
}

TEST_F(ShellLinkTest, RewritingKeepsTheLinesItDoesNotOwn) {
    const fs::path link = Root / "autostart/tickwell.desktop";
    Write(link, "# made by hand\n[Desktop Entry]\nType=Application\nName=Tickwell\n"
                "Name[de]=Tickwell\nExec = tickwell %U\nHidden=true\n"
                "X-GNOME-Autostart-Delay=10\n\n[Desktop Action New]\nName=New\nExec=x\n");
    TShellLinkInfo info = GetShellLinkInfo(link);
    EXPECT_FALSE(info.Enabled);
    EXPECT_EQ(info.Arguments, "") << "field codes are dropped";
    info.Enabled = true;
    info.Description = "Reminds";
    SetShellLinkInfo(link, info);
    EXPECT_EQ(Read(link), "# made by hand\n[Desktop Entry]\nType=Application\nName=Tickwell\n"
                          "Name[de]=Tickwell\nExec=" +
                              info.PathName +
                              "\nX-GNOME-Autostart-Delay=10\nComment=Reminds\n"
                              "X-GNOME-Autostart-enabled=true\n\n[Desktop Action New]\n"
                              "Name=New\nExec=x\n");
}

TEST_F(ShellLinkTest, AnUnreadableLinkIsAnError) {
    const fs::path link = Root / "autostart/tickwell.desktop";
    for (const char* text : {"", "[Other]\nExec=x\n", "[Desktop Entry]\nName=T\n",
                             "[Desktop Entry]\nExec=\"/opt/never closed\n"}) {
        SCOPED_TRACE(text);
        Write(link, text);
        EXPECT_THROW(GetShellLinkInfo(link), EShellLinkError);
    }
    fs::remove(link);
    EXPECT_THROW(GetShellLinkInfo(link), EShellLinkError);
    EXPECT_THROW(SetShellLinkInfo(link, {}), EShellLinkError);
    fs::remove_all(Root / "autostart");
    Write(Root / "autostart", "a file where the folder should be");
    EXPECT_THROW(CreateShellLink("/usr/bin/tickwell", "", "Startup", ""), EShellLinkError);
}

TEST_F(ShellLinkTest, TheSameProgramThroughLinksAndThePath) {
    fs::create_directories(Root);
    fs::create_symlink("/bin/sh", Root / "sh-link");
    EXPECT_TRUE(SameProgramFile((Root / "sh-link").string(), "sh"));
    EXPECT_FALSE(SameProgramFile((Root / "sh-link").string(), "/bin/true"));
    EXPECT_FALSE(SameProgramFile("", "/bin/sh"));
}

} // namespace
