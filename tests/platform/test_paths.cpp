#include "platform/Paths.h"
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Sets environment variables for one test and puts them back afterwards.
class EnvGuard {
public:
    void Set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        Saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~EnvGuard() {
        for (auto it = Saved.rbegin(); it != Saved.rend(); ++it)
            it->second ? setenv(it->first.c_str(), it->second->c_str(), 1)
                       : unsetenv(it->first.c_str());
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> Saved;
};

class PathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Root = fs::temp_directory_path() / ("tw-paths-" + std::to_string(::getpid()));
        fs::create_directories(Root);
    }
    void TearDown() override { fs::remove_all(Root); }
    fs::path Root;
    EnvGuard Env;
};

// TICKWELL_HOME holds data and settings; without it, the XDG folders or the
// home folder's.
TEST_F(PathsTest, TickwellHomeElseXdgElseHomeFolders) {
    const std::string home = (Root / "home").string();
    Env.Set("TICKWELL_HOME", (home + "/").c_str());
    Env.Set("XDG_DATA_HOME", (Root / "data").c_str());
    Env.Set("XDG_CONFIG_HOME", (Root / "config").c_str());
    EXPECT_EQ(DataFolder(), home);
    EXPECT_TRUE(fs::is_directory(home)) << "the data folder is made when missing";
    EXPECT_EQ(RegistryFilePath(), home + "/registry.reg");
    Env.Set("TICKWELL_HOME", nullptr);
    EXPECT_EQ(DataFolder(), (Root / "data" / "tickwell").string());
    EXPECT_EQ(ConfigFolder(), (Root / "config" / "tickwell").string());
    EXPECT_FALSE(fs::exists(Root / "config")) << "the settings file makes its own folder";
    // Unset or relative XDG folders: the home folder's.
    Env.Set("TICKWELL_HOME", "");
    Env.Set("HOME", Root.c_str());
    Env.Set("XDG_DATA_HOME", nullptr);
    Env.Set("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(DataFolder(), (Root / ".local/share/tickwell").string());
    EXPECT_EQ(ConfigFolder(), (Root / ".config/tickwell").string());
}

} // namespace
