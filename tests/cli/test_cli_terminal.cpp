// list, due and month as a person at a terminal reads them, and as a pipe
// still gets them.
#include "CliTestSupport.h"
#include "cli/MonthGrid.h"
#include "store/Settings.h"

class CliTerminalTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        // Wednesday 15 January 2025 is today; the tax was due on the 10th.
        AddEvents({{"--desc", "Rent", "--monthly-date", "--start", "2024-12-15"},
                   {"--desc", "Call", "--once", "--start", "2025-01-16"},
                   {"--desc", "Dentist", "--once", "--start", "2025-01-17"},
                   {"--desc", "Tax", "--once", "--start", "2025-01-10", "--keep", "--date",
                    "2025-01-05"}});
    }

    std::string Shown(std::vector<std::string> args, TOutputForm form = TOutputForm::Words) {
        args.insert(args.begin(), {"--date", "2025-01-15"});
        std::istringstream in;
        std::ostringstream out, err;
        EXPECT_EQ(RunCli(args, in, out, err, false, form), 0) << err.str();
        return out.str();
    }
};

TEST_F(CliTerminalTest, APipeGetsTheRowsByteForByte) {
    for (const std::string command : {"due", "list", "month 2025-01", "due --json"}) {
        std::vector<std::string> args;
        std::istringstream words(command);
        for (std::string w; words >> w;)
            args.push_back(w);
        const std::string rows = Shown(args, TOutputForm::Rows);
        EXPECT_EQ(Exec("--date 2025-01-15 " + command).Out, rows) << command;
        args.push_back("--tsv");
        if (command != "due --json")
            EXPECT_EQ(Shown(args, TOutputForm::ColourWords), rows) << command;
    }
    EXPECT_EQ(Exec("--date 2025-01-15").Out, Shown({"due"}, TOutputForm::Rows));
}

TEST_F(CliTerminalTest, DueSaysWhenInWordsAndColoursOverdueAndToday) {
    const std::string shown = Shown({"due"});
    const std::pair<const char*, const char*> lines[] = {
        {"Tax", "Fri 10 Jan  5 days overdue  "},
        {"Rent", "Wed 15 Jan  today           "},
        {"Call", "Thu 16 Jan  tomorrow        "},
        {"Dentist", "Fri 17 Jan  in 2 days       "},
    };
    for (const auto& [name, start] : lines)
        EXPECT_NE(shown.find(start + Id(name) + "  " + name + "\n"), std::string::npos) << shown;
    EXPECT_EQ(shown.find('\x1b'), std::string::npos);

    ASSERT_EQ(Run({"snooze", Id("Call"), "--until", "2025-01-16T09:00"}).Code, 0);
    EXPECT_NE(Shown({"due"}).find("\nThu 16 Jan  snoozed until 2025-01-16T09:00  " + Id("Call") +
                                  "  Call\n"),
              std::string::npos);
    const std::string coloured = Shown({"due"}, TOutputForm::ColourWords);
    EXPECT_NE(coloured.find(std::string(kRed) + "Fri 10 Jan"), std::string::npos);
    EXPECT_NE(coloured.find(std::string(kBold) + "Wed 15 Jan"), std::string::npos);
}

TEST_F(CliTerminalTest, ListHasAHeadingAndLinedUpColumns) {
    const std::string shown = Shown({"list"});
    EXPECT_EQ(shown.substr(0, shown.find('\n')),
              "#  Id            Next             Days  Repeats         Every  Acknowledged  "
              "Description");
    EXPECT_NE(shown.find("\n0  " + Id("Tax") +
                         "  Fri 10 Jan 2025    -5  Once Only           1  "
                         "              Tax\n"),
              std::string::npos)
        << shown;
    EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 5);
}

// January 2025 begins on a Wednesday: the fourth box of a week from Sunday,
// the third from Monday.
TEST_F(CliTerminalTest, MonthWeeksBeginOnTheLocalesFirstDay) {
    AddEvents(
        {{"--desc", "A very long description of a meeting", "--once", "--start", "2025-01-01"}});
    for (int i = 0; i < 5; ++i)
        AddEvents({{"--desc", "Walk", "--daily", "--start", "2025-01-20"}});
    TMyList list;
    ASSERT_TRUE(LoadEvents(list, DataFile()));
    for (const auto& [first, day1] :
         {std::pair(0, "|        |        |        |1 "), std::pair(1, "|        |        |1 ")}) {
        TTerminalStyle style;
        style.Names.FirstWeekday = first;
        style.Columns = 64;
        std::ostringstream out;
        WriteMonthGrid(out, list, 2025, 1, style);
        const std::string grid = out.str();
        EXPECT_NE(grid.find(first ? "|  Mon   |  Tue   |" : "|  Sun   |  Mon   |"),
                  std::string::npos)
            << grid;
        EXPECT_NE(grid.find(day1), std::string::npos) << grid;
        EXPECT_NE(grid.find("|A very l|"), std::string::npos);
        EXPECT_NE(grid.find("|+2 more |"), std::string::npos);
    }
}

// The light program cannot take in a sync folder: the whole one does.
TEST_F(CliTerminalTest, ASyncFolderIsTakenInBeforeAListing) {
    const std::string folder = Path("calendar");
    std::filesystem::create_directory(folder);
    std::ofstream(folder + "/gym.ics", std::ios::binary)
        << "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:g\r\nSUMMARY:Gym\r\n"
           "DTSTART;VALUE=DATE:20250120\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    WithSettingsFile([&] { TSettings().Set(kSyncFolder, folder); });
    EXPECT_NE(Exec("--date 2025-01-15 list").Out.find("\tGym\n"), std::string::npos);
}
