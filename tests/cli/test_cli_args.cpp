#include "CliTestSupport.h"
#include "cli/CliArgs.h"

TEST_F(CliTest, BadArgumentsGiveUsageOnStderrAndExitTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {"frobnicate"},
        {"--bogus", "list"},
        {"month", "2025-13"},
        {"ack", "x"},
        {"--date", "2025-02-30", "list"},
        {"--json=1", "list"},
        {"export", "a", "--pre4"},
        {"list", "--json", "--tsv"},
        {"add", "--desc", "x", "--daily", "--weekly"},
        {"add", "--desc", "x", "--notice", "366"},
        {"add", "--desc", "x", "--daily", "--interval", "0"},
        {"add", "--desc", "x", "--once", "--until", "2026-01-01"},
        {"add", "--desc", "x", "--monthly-date", "--rank", "24"},
        {"edit", "0", "--desc", "x", "--no-end", "--until", "2026-01-01"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const TCliRun r = RunRaw(args);
        EXPECT_EQ(r.Code, 2);
        EXPECT_NE(r.Err.find(UsageText()), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(DataFile()));
    }
}

TEST_F(CliTest, OptionsMayComeAnywhereAndTakeValuesWithEquals) {
    const TCliArgs a = ParseCliArgs({"add", "--desc=-x", "--json", "--start", "2025-03-01",
                                     "--monthly-day", "--weekday=6", "--rank", "+4", "--yes"});
    EXPECT_TRUE(a.Yes);
    EXPECT_EQ(a.Event.Description, "-x");
    EXPECT_EQ(a.Event.Weekday, 6);
    EXPECT_EQ(a.Event.Rank, 4);

    const TCliArgs m = ParseCliArgs({"merge", "--pre4", "--", "--odd-name.dat"});
    EXPECT_EQ(m.Path, "--odd-name.dat");
    EXPECT_TRUE(m.Pre4);
    EXPECT_THROW(ParseCliArgs({"merge", "--", "a", "--pre4"}), TUsageError);
}
