// Several tickwell-cli processes writing one data file at once, and writers
// killed at any moment.
#include "CliTestSupport.h"
#include "store/DataFileLock.h"
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <set>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace {

class CliWritersTest : public CliTest {
protected:
    static pid_t Spawn(const std::vector<std::string>& args) {
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        pid_t pid = -1;
        EXPECT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        return pid;
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

// Writers killed at every point of their run, on a file large enough that
// a write takes a while: the file is always the old or the new one, the
// lock is free at once, and the next save clears what the killed left.
TEST_F(CliWritersTest, KilledWritersLeaveAWholeFileAndNoLock) {
    {
        TMyList list;
        EventRecord r;
        r.Interval = r.EventType = r.Weekday = 1;
        r.NoticePeriod = 7;
        for (int i = 0; i < 20000; ++i) {
            r.SetDescription("Event " + std::to_string(i));
            r.StartDate = EncodeDate(2025, 1, 1) + i % 700;
            r.EndDate = r.StartDate + 36500;
            list.AddSorted(new TTickwellItem(r));
        }
        SaveEvents(static_cast<const TListSorted&>(list), DataFile());
    }
    // How long one writer takes here, so the kills spread over a whole run:
    // loading, writing, renaming.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Wait(Spawn({TICKWELL_CLI_PATH, "add", "--desc", "timed"})), 0);
    const auto runTime = std::chrono::steady_clock::now() - start;
    constexpr int kRuns = 50;
    int killedMidway = 0;
    for (int run = 0; run < kRuns; ++run) {
        const pid_t pid =
            Spawn({TICKWELL_CLI_PATH, "add", "--desc", "killed " + std::to_string(run)});
        std::this_thread::sleep_for(runTime * (run * 37 % 120) / 100);
        kill(pid, SIGKILL);
        killedMidway += Wait(pid) == -1;
        TMyList list;
        EXPECT_TRUE(std::filesystem::file_size(DataFile()) % 292 == 0 &&
                    LoadEvents(list, DataFile()))
            << run;
        EXPECT_TRUE(TDataFileLock(DataFile(), 0).Held()) << run;
    }
    EXPECT_GT(killedMidway, kRuns / 3);
    const size_t before = StoredDescriptions().size();
    EXPECT_EQ(Run({"add", "--desc", "after"}).Code, 0);
    EXPECT_EQ(StoredDescriptions().size(), before + 1);
    for (const auto& e : std::filesystem::directory_iterator(Dir))
        EXPECT_FALSE(e.path().filename().string().starts_with("tickwell.dat.tmp-")) << e.path();
}

} // namespace
