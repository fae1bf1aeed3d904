#pragma once
// Shared set-up for the command-line tests: a temporary TICKWELL_HOME, the
// default format settings, and RunCli driven with string streams.
#include "cli/RunCli.h"
#include "core/DateFormat.h"
#include "core/EventId.h"
#include "core/EventLists.h"
#include "core/FormatSettings.h"
#include "platform/RegistryFile.h"
#include "store/DataFile.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

struct TCliRun {
    int Code = -1;
    std::string Out;
    std::string Err;
};

class CliTest : public ::testing::Test {
protected:
    std::string Dir;

    void SetUp() override {
        char tmpl[] = "/tmp/tickwell-cli-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        Dir = tmpl;
        setenv("TICKWELL_HOME", Dir.c_str(), 1);
        SetFormatSettings(TFormatSettings{});
    }

    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(Dir, ec);
    }

    std::string Path(const std::string& name) const { return Dir + "/" + name; }
    std::string DataFile() const { return Path("tickwell.dat"); }

    // Every run acts on 15 January 2025 unless the arguments say otherwise.
    TCliRun Run(std::vector<std::string> args, const std::string& input = "",
                bool interactive = false) {
        args.insert(args.begin(), {"--date", "2025-01-15"});
        return RunRaw(args, input, interactive);
    }
    TCliRun RunRaw(const std::vector<std::string>& args, const std::string& input = "",
                   bool interactive = false) {
        std::istringstream in(input);
        std::ostringstream out, err;
        TCliRun r;
        r.Code = RunCli(args, in, out, err, interactive);
        r.Out = out.str();
        r.Err = err.str();
        return r;
    }

    // Runs the program with standard input from /dev/null (no terminal) and
    // standard error folded into the output, a pipe.
    TCliRun Exec(const std::string& args) const {
        return Shell(std::string("'") + TICKWELL_CLI_PATH + "' " + args);
    }
    // The same for any command line.
    TCliRun Shell(const std::string& line) const {
        const std::string command =
            "env LC_ALL=C LANG=C TICKWELL_HOME='" + Dir + "' " + line + " </dev/null 2>&1";
        TCliRun p;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return p;
        char buffer[4096];
        size_t n = 0;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            p.Out.append(buffer, n);
        const int status = pclose(pipe);
        p.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return p;
    }

    // The descriptions stored in the data file, sorted (the list order
    // depends on the day it is loaded).
    std::vector<std::string> StoredDescriptions() const {
        TMyList list;
        EXPECT_TRUE(LoadEvents(list, DataFile()));
        std::vector<std::string> d;
        for (const TTickwellItem* e : list.All())
            d.push_back(e->Description);
        std::sort(d.begin(), d.end());
        return d;
    }

    // The id of the stored event with the description (the first one).
    std::string Id(const std::string& description) const {
        TMyList list;
        EXPECT_TRUE(LoadEvents(list, DataFile()));
        for (const TTickwellItem* e : list.All())
            if (e->Description == description)
                return EventId(*e);
        ADD_FAILURE() << "no event " << description;
        return {};
    }

    // Each stored event's id and its text, as read from the data file.
    std::map<std::string, std::string> IdsAndTexts() const {
        TMyList list;
        EXPECT_TRUE(LoadEvents(list, DataFile()));
        std::map<std::string, std::string> found;
        for (const TTickwellItem* e : list.All())
            found[EventId(*e)] = e->Description;
        return found;
    }

    static std::string ReadText(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    // Writes settings into the settings file of TICKWELL_HOME, as the options
    // dialog would.
    static void WithSettingsFile(const std::function<void()>& write) {
        auto previous = RegistryBackend();
        InstallRegistryFile();
        write();
        SetRegistryBackend(previous);
    }

    // Adds the events a test starts from; each must succeed.
    void AddEvents(const std::vector<std::vector<std::string>>& events) {
        for (auto args : events) {
            args.insert(args.begin(), "add");
            const TCliRun r = Run(args);
            ASSERT_EQ(r.Code, 0) << r.Err;
        }
    }
};
