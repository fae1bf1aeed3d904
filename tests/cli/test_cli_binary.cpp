// The real program, end to end: its own locale set-up, standard streams and
// exit status.
#include "CliTestSupport.h"

class CliBinaryTest : public CliTest {};

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

// A copy of the light program on its own runs what it can and says so of
// the rest, as an error.
TEST_F(CliBinaryTest, WithoutTheWholeProgramTheRestIsAnError) {
    std::filesystem::copy_file(TICKWELL_CLI_PATH, Path("tickwell-cli"));
    const std::string lonely = "'" + Path("tickwell-cli") + "' ";
    const TCliRun add = Shell(lonely + "add --desc x");
    EXPECT_EQ(add.Code, 2);
    EXPECT_NE(add.Out.find("cannot start the rest of the program"), std::string::npos) << add.Out;
    EXPECT_EQ(Shell(lonely + "list").Code, 0);
}
