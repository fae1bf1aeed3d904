#include "CliTestSupport.h"
#include <map>

namespace {

constexpr const char* kStoredFields[] = {
    "id",        "description", "eventType",    "simple",   "rank",       "interval", "weekday",
    "startDate", "endDate",     "noticePeriod", "keepFlag", "noEndPoint", "ackDate",
};

// A member of a one-line JSON object as it is written ("x" for text; the
// tests' texts hold no quotes).
std::string Member(const std::string& json, const std::string& name) {
    const size_t at = json.find("\"" + name + "\":");
    if (at == std::string::npos)
        return "<none>";
    const size_t from = at + name.size() + 3;
    const size_t to =
        json[from] == '"' ? json.find('"', from + 1) + 1 : json.find_first_of(",}", from);
    return json.substr(from, to - from);
}

std::map<std::string, std::string> StoredFields(const std::string& json) {
    std::map<std::string, std::string> fields;
    for (const char* name : kStoredFields)
        fields[name] = Member(json, name);
    return fields;
}

} // namespace

class CliEditTest : public CliTest {
protected:
    std::string Added(std::vector<std::string> args) {
        args.insert(args.begin(), {"--json", "add"});
        const TCliRun r = Run(args);
        EXPECT_EQ(r.Code, 0) << r.Err;
        const std::string id = Member(r.Out, "id");
        return id.substr(1, id.size() - 2);
    }

    // The line of `list` (or `list --json`) that shows the event.
    std::string Listed(const std::string& id, bool json = true) {
        std::istringstream lines(json ? Run({"list", "--json"}).Out : Run({"list"}).Out);
        for (std::string line; std::getline(lines, line);)
            if (line.find(json ? "\"id\":\"" + id + "\"" : "\t" + id + "\t") != std::string::npos)
                return line;
        return "<not listed>";
    }
};

// Each edit starts from the same acknowledged monthly event; whatever is not
// given stays as it was, but for the acknowledgement, which every edit
// clears as the editor's OK does.
TEST_F(CliEditTest, EditChangesOnlyTheFieldsGiven) {
    const std::vector<std::string> club = {
        "--desc",   "Club night", "--start",    "2025-01-07", "--monthly-day",
        "--rank",   "1",          "--weekday",  "3",          "--interval",
        "2",        "--until",    "2025-12-31", "--notice",   "3",
        "--no-keep"};
    const struct {
        std::vector<std::string> Args;
        std::map<std::string, std::string> Changed;
    } cases[] = {
        {{"--desc", "Κλαμπ 俱乐部 🎲"}, {{"description", "\"Κλαμπ 俱乐部 🎲\""}}},
        {{"--notice", "10", "--keep"}, {{"noticePeriod", "10"}, {"keepFlag", "true"}}},
        // The index day follows the start unless given.
        {{"--start", "2025-01-09"}, {{"startDate", "\"2025-01-09\""}, {"weekday", "5"}}},
        {{"--no-end"}, {{"noEndPoint", "true"}, {"endDate", "\"2125-01-15\""}}},
        // A list of one entry has no rank but 0.
        {{"--weekly", "--interval", "1"}, {{"eventType", "1"}, {"rank", "0"}, {"interval", "1"}}},
        {{"--once"}, {{"simple", "true"}, {"endDate", "\"2025-01-07\""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.Args));
        const std::string id = Added(club);
        std::map<std::string, std::string> want = StoredFields(Listed(id));
        ASSERT_NE(want["ackDate"], "null");
        want["ackDate"] = "null";
        for (const auto& [name, value] : c.Changed)
            want[name] = value;
        std::vector<std::string> args = c.Args;
        args.insert(args.begin(), {"--json", "edit", id});
        const TCliRun r = Run(args);
        ASSERT_EQ(r.Code, 0) << r.Err;
        EXPECT_EQ(StoredFields(r.Out), want);
        EXPECT_EQ(StoredFields(Listed(id)), want);
        EXPECT_EQ(Run({"delete", id, "--yes"}).Code, 0);
    }
}

// Moved past the other event, the edited one is shown with the index the
// list then gives it, under the id and text it had.
TEST_F(CliEditTest, AnEditShowsTheEventWhereTheListNowHasIt) {
    const std::string birthday = Added({"--desc", "Γενέθλια 生日 🎂", "--once"});
    Added({"--desc", "Bins", "--start", "2025-01-16", "--weekly"});
    const TCliRun edit = Run({"edit", birthday, "--start", "2025-01-17", "--notice", "2"});
    EXPECT_EQ(edit.Out, Listed(birthday, false) + "\n");
    EXPECT_EQ(IdsAndTexts()[birthday], "Γενέθλια 生日 🎂");
}

// What the editor refuses, add and edit refuse with its words, and the file
// is left as it was, companion and all.
TEST_F(CliEditTest, AddAndEditRefuseAsTheEditorDoesAndWriteNothing) {
    const std::string bins = Added(
        {"--desc", "Bins", "--start", "2025-01-17", "--monthly-day", "--until", "2025-06-30"});
    const std::string records = ReadText(DataFile());
    const std::string companion = ReadText(DataFile() + ".ext");
    const struct {
        std::vector<std::string> Args;
        int Code;
        const char* Says; // on stderr, or on stdout for a command not done
    } cases[] = {
        {{"add", "--start", "2025-01-20"}, 2, "tickwell-cli: Please enter a Description\n"},
        {{"edit", bins, "--desc", " \t\n "}, 2, "tickwell-cli: Please enter a Description\n"},
        {{"edit", bins, "--start", "15/01/2025"}, 2, "Please enter a valid date\n"},
        {{"add", "--desc", "Party\x1b[31m"},
         2,
         "tickwell-cli: The description cannot hold the control character U+001B.\n"},
        {{"edit", bins, "--until", "2025-01-10"}, 2, "tickwell-cli: End date earlier than Start\n"},
        {{"edit", bins, "--start", "2025-06-30"}, 2, "tickwell-cli: Dates cannot be the same\n"},
        {{"edit", bins, "--rank", "5"}, 2, "--rank must be 0..4, not 5"},
        {{"edit", bins}, 2, "edit needs the fields to change"},
        {{"edit", "9", "--notice", "1"}, 1, "Nothing to Edit\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.Args));
        const TCliRun r = Run(c.Args);
        EXPECT_EQ(r.Code, c.Code);
        EXPECT_NE((c.Code == 1 ? r.Out : r.Err).find(c.Says), std::string::npos) << r.Err;
        EXPECT_EQ(ReadText(DataFile()), records);
        EXPECT_EQ(ReadText(DataFile() + ".ext"), companion);
    }
    EXPECT_EQ(Run({"add", "--desc", "x", "--start", "0100-06-01"}).Code, 0);
}
