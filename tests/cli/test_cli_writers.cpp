// Several tickwell-cli processes writing one data file at once, and writers
// killed at any moment.
#include "CliTestSupport.h"
#include "store/DataFileLock.h"
#include "store/StopPoint.h"
#include <csignal>
#include <fcntl.h>
#include <map>
#include <set>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

class CliWritersTest : public CliTest {
protected:
    // The program with the test's environment and the extra variables.
    static pid_t Spawn(const std::vector<std::string>& args,
                       const std::vector<std::string>& extraEnv = {}) {
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        std::vector<char*> env;
        for (char** e = environ; *e; ++e)
            env.push_back(*e);
        for (const std::string& e : extraEnv)
            env.push_back(const_cast<char*>(e.c_str()));
        env.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        pid_t pid = -1;
        EXPECT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), env.data()), 0);
        posix_spawn_file_actions_destroy(&actions);
        return pid;
    }
    // The temporaries of unfinished writes beside the data file.
    std::vector<std::string> Temporaries() const {
        std::vector<std::string> found;
        for (const auto& e : std::filesystem::directory_iterator(Dir))
            if (e.path().filename().string().starts_with("tickwell.dat.tmp-") ||
                e.path().filename().string().starts_with("tickwell.dat.ext.tmp-"))
                found.push_back(e.path());
        return found;
    }
    static int Wait(pid_t pid) {
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

TEST_F(CliWritersTest, TwoAddLoopsSideBySideKeepEveryEvent) {
    const std::string loop = "i=0; while [ $i -lt 100 ]; do \"$0\" add --desc \"$1 $i\" "
                             ">/dev/null || exit 1; i=$((i+1)); done";
    const pid_t a = Spawn({"/bin/sh", "-c", loop, TICKWELL_CLI_PATH, "first"});
    const pid_t b = Spawn({"/bin/sh", "-c", loop, TICKWELL_CLI_PATH, "second"});
    EXPECT_EQ(Wait(a), 0);
    EXPECT_EQ(Wait(b), 0);
    const std::vector<std::string> stored = StoredDescriptions();
    EXPECT_EQ(std::set<std::string>(stored.begin(), stored.end()).size(), 200u);
}

// Writers stopped at each step of their save and killed there: the file is
// the old one or the new one, never a part, the lock is free at once, the
// next save clears what the killed left behind, and every event keeps its id
// and its text (killed between the records and their companion too).
TEST_F(CliWritersTest, KilledWritersLeaveAWholeFileAndNoLock) {
    {
        TMyList list;
        EventRecord r;
        r.Interval = r.EventType = r.Weekday = 1;
        r.NoticePeriod = 7;
        for (int i = 0; i < 2000; ++i) {
            r.SetDescription("Γενέθλια 生日 " + std::to_string(i));
            r.StartDate = EncodeDate(2025, 1, 1) + i % 700;
            r.EndDate = r.StartDate + 36500;
            list.AddSorted(new TTickwellItem(r));
        }
        SaveEvents(static_cast<const TListSorted&>(list), DataFile());
    }
    const std::map<std::string, std::string> before = IdsAndTexts();
    const struct {
        const char* Step;
        bool Saved;    // the killed writer's event is in the file
        bool Leftover; // its temporary file is left beside it
    } cases[] = {
        {kStopDataLocked, false, false},
        {kStopRenamed, true, false},
        {kStopHalfWritten, false, true},
        {kStopBeforeRename, false, true},
    };
    size_t expected = StoredDescriptions().size();
    for (const auto& c : cases) {
        const std::string stopAt = std::string(kStopAtVariable) + "=" + c.Step;
        const pid_t pid = Spawn({TICKWELL_CLI_PATH, "add", "--desc", c.Step}, {stopAt});
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, WUNTRACED), pid) << c.Step;
        ASSERT_TRUE(WIFSTOPPED(status)) << c.Step << ": the writer ended before the step";
        EXPECT_FALSE(TDataFileLock(DataFile(), 0).Held()) << c.Step;
        kill(pid, SIGKILL);
        EXPECT_EQ(Wait(pid), -1) << c.Step;

        TMyList list;
        EXPECT_TRUE(std::filesystem::file_size(DataFile()) % 292 == 0 &&
                    LoadEvents(list, DataFile()))
            << c.Step;
        expected += c.Saved;
        EXPECT_EQ(StoredDescriptions().size(), expected) << c.Step;
        EXPECT_TRUE(TDataFileLock(DataFile(), 0).Held()) << c.Step;
        EXPECT_EQ(Temporaries().size(), c.Leftover ? 1u : 0u) << c.Step;
        std::map<std::string, std::string> after = IdsAndTexts();
        std::erase_if(after, [](const auto& kv) { return !kv.second.starts_with("Γ"); });
        EXPECT_EQ(after, before) << c.Step;
    }
    // A killed writer's temporary goes with the next save.
    EXPECT_EQ(Run({"add", "--desc", "after"}).Code, 0);
    EXPECT_EQ(StoredDescriptions().size(), expected + 1);
    EXPECT_EQ(Temporaries().size(), 0u);
}

} // namespace
