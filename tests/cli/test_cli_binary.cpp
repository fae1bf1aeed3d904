// The real program, end to end: its own locale set-up, standard streams and
// exit status.
#include "CliTestSupport.h"
#include <cstdio>
#include <sys/wait.h>

class CliBinaryTest : public CliTest {
protected:
    // Runs the program with standard input from /dev/null (no terminal) and
    // standard error folded into the output.
    TCliRun Exec(const std::string& args) {
        const std::string command = "env LC_ALL=C LANG=C TICKWELL_HOME='" + Dir + "' '" +
                                    TICKWELL_CLI_PATH + "' " + args + " </dev/null 2>&1";
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
};

TEST_F(CliBinaryTest, AddAndExportInTheCLocale) {
    const TCliRun add =
        Exec("--date 2025-01-01 add --desc 'Pay rent' --monthly-day --start 2025-01-01");
    EXPECT_EQ(add.Code, 0) << add.Out;
    // The C locale has no numeric short date: CSV dates are year-month-day.
    const TCliRun exp = Exec("export '" + Path("e.csv") + "'");
    EXPECT_EQ(exp.Out, "Export successful\n");
    EXPECT_NE(ReadText(Path("e.csv")).find("\r\n\"Pay rent\",2025-01-01,3,F,1,2125-01-01,"),
              std::string::npos);
}

TEST_F(CliBinaryTest, WithoutATerminalQuestionsAreAnsweredNo) {
    ASSERT_EQ(Exec("add --desc x").Code, 0);
    const TCliRun zap = Exec("zap");
    EXPECT_EQ(zap.Code, 1);
    EXPECT_NE(zap.Out.find("Delete all events from your file!"), std::string::npos);
    EXPECT_EQ(StoredDescriptions().size(), 1u);
}

// Text in any script goes in and comes out as the bytes typed, in any
// locale, through both writers of a description (due's row is list's).
TEST_F(CliBinaryTest, TextInAnyScriptComesBackAsTyped) {
    const std::string text = "Γενέθλια 生日 🎂";
    ASSERT_EQ(Exec("--date 2025-01-15 add --desc '" + text + "' --once").Code, 0);
    const std::string json = Exec("--date 2025-01-15 list --json").Out;
    const std::string rows = Exec("--date 2025-01-15 list").Out;
    EXPECT_NE(json.find("\"id\":\"" + Id(text) + "\",\"description\":\"" + text + "\","),
              std::string::npos)
        << json;
    EXPECT_NE(rows.find("\t\t" + text + "\n"), std::string::npos) << rows;
}
