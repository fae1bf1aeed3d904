#include "CliTestSupport.h"
#include <algorithm>
#include <cstring>
#include <filesystem>

namespace {

const std::vector<std::vector<std::string>> kThreeEvents = {
    {"--desc", "Dentist", "--start", "2025-01-20"},
    {"--desc", "Rent\nfirst working day", "--start", "2025-01-01", "--monthly-date", "--rank", "1"},
    {"--desc", "Bins", "--start", "2025-01-03", "--weekly", "--notice", "2", "--until",
     "2025-01-31"},
};

} // namespace

TEST_F(CliTest, ListDueAndMonthFollowTheDateGiven) {
    AddEvents(kThreeEvents);
    EXPECT_EQ(Run({"list"}).Out, "0\t" + Id("Bins") + "\t2025-01-17\t2\tWeekly\t1\t\tBins\n1\t" +
                                     Id("Dentist") +
                                     "\t2025-01-20\t5\tOnce Only\t1\t\tDentist\n2\t" +
                                     Id("Rent\r\nfirst working day") +
                                     "\t2025-02-03\t19\tMonthly - Date\t1\t2025-01-01\tRent\n");
    // A week on, the kept Dentist event is past and unacknowledged; Bins is
    // due again on its next Friday. The list is now ordered by those dates.
    EXPECT_EQ(RunRaw({"--date", "2025-01-22", "due"}).Out,
              "0\t" + Id("Dentist") + "\t2025-01-20\t-2\t3\tDentist\n1\t" + Id("Bins") +
                  "\t2025-01-24\t2\t0\tBins\n");
    EXPECT_EQ(Run({"month", "2025-02"}).Out, "2025-02-03\tRent\n");
}

TEST_F(CliTest, DeleteAsksAndOnlyYesDeletes) {
    AddEvents(kThreeEvents);
    const struct {
        std::vector<std::string> Args;
        std::string Input;
        int Code;
        size_t Left;
    } cases[] = {
        {{"delete", "0"}, "n\n", 1, 3},
        {{"delete", "0"}, "y\n", 0, 2},
        {{"delete", "0", "--yes"}, "", 0, 1},
    };
    for (const auto& c : cases) {
        const TCliRun r = Run(c.Args, c.Input, true);
        EXPECT_EQ(r.Code, c.Code) << c.Input << r.Err;
        EXPECT_EQ(StoredDescriptions().size(), c.Left) << c.Input;
    }
}

// Events with equal dates swap places at every save, so an index read a
// moment ago may name another event; an id (any case) names the same one,
// even among events with equal fields.
TEST_F(CliTest, EventsAreNamedByIndexOrId) {
    AddEvents({{"--desc", "Pay rent", "--start", "2025-01-16"},
               {"--desc", "Call mum", "--start", "2025-01-16"},
               {"--desc", "Twin", "--start", "2025-02-01"},
               {"--desc", "Twin", "--start", "2025-02-01"}});
    std::string upper = Id("Call mum");
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    EXPECT_EQ(Run({"ack", Id("Pay rent")}).Out, "Acknowledged: Pay rent (2025-01-16)\n");
    EXPECT_EQ(Run({"delete", upper, "--yes"}).Out, "Deleted: Call mum (2025-01-16)\n");
    const std::string twin = Id("Twin");
    EXPECT_EQ(Run({"delete", twin, "--yes"}).Out, "Deleted: Twin (2025-02-01)\n");
    EXPECT_NE(Id("Twin"), twin);
    const TCliRun unknown = Run({"ack", "0123456789ab"});
    EXPECT_EQ(unknown.Code, 1);
    EXPECT_EQ(unknown.Out, "No event has the id 0123456789ab\n");
    EXPECT_EQ(Run({"delete", "9", "--yes"}).Out, "Nothing to Delete\n");
    EXPECT_EQ(StoredDescriptions(), (std::vector<std::string>{"Pay rent", "Twin"}));
}

// A snooze lasts the options' period, or the minutes or until the moment
// named; `due` lists a snoozed event after the due ones with its end, and
// from the end on as due again.
TEST_F(CliTest, SnoozeLeavesAnEventOutOfDueUntilItsEnd) {
    AddEvents({{"--desc", "Pay rent", "--start", "2025-01-15"},
               {"--desc", "Call mum", "--start", "2025-01-16"}});
    const std::string rent = Id("Pay rent"), mum = Id("Call mum");
    EXPECT_EQ(Run({"snooze", rent}).Out, "Snoozed until 2025-01-15T01:00: Pay rent\n");
    EXPECT_EQ(Run({"snooze", mum, "--for", "90"}).Code, 0);
    EXPECT_NE(Run({"due", "--json"}).Out.find(R"("Call mum","snoozedUntil":"2025-01-15T01:30")"),
              std::string::npos);
    EXPECT_EQ(Run({"snooze", rent, "--until", "2025-01-16T08:00"}).Code, 0);
    EXPECT_EQ(RunRaw({"--date", "2025-01-16", "due"}).Out,
              "1\t" + mum + "\t2025-01-16\t0\t1\tCall mum\n");
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"snooze", rent, "--until", "2025-01-14T08:00"},
          {"snooze", rent, "--until", "2025-01-16"},
          {"snooze", rent, "--for", "5", "--until", "2025-01-16T08:00"}})
        EXPECT_EQ(Run(wrong).Code, 2) << wrong.back();
}

// The folder named is remembered once a backup there worked, and only then;
// settings that cannot be written do not stop the backup.
TEST_F(CliTest, BackupFolderIsRememberedOnlyAfterABackupThere) {
    AddEvents(kThreeEvents);
    std::filesystem::create_directory(Path("usb"));
    const struct {
        const char* Folder;
        bool SettingsLocked;
        bool Written;
        const char* Remembered; // empty: no settings file
    } cases[] = {
        {"usb", true, true, ""},
        {"usb", false, true, "usb"},
        {"missing", false, false, "usb"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Folder);
        std::filesystem::remove(Path("usb/backup.dat"));
        if (c.SettingsLocked)
            std::filesystem::create_directory(Path("registry.reg.lock"));
        const TCliRun r = Run({"backup", Path(c.Folder)});
        std::filesystem::remove(Path("registry.reg.lock"));
        EXPECT_EQ(r.Out.starts_with("Backup successful\n"), c.Written) << r.Out << r.Err;
        EXPECT_EQ(std::filesystem::exists(Path("usb/backup.dat")), c.Written);
        const std::string settings = ReadText(Path("registry.reg"));
        EXPECT_EQ(settings.find("\"BackupDest\"=\"" + Path("usb") + "\"") != std::string::npos,
                  *c.Remembered != 0)
            << settings;
    }
}

// The data commands themselves are the store's; here each is reachable and
// reports.
TEST_F(CliTest, DataCommandsRunAndReport) {
    AddEvents(kThreeEvents);
    AddEvents({{"--desc", "Old", "--start", "2025-01-01", "--no-keep"}});
    std::filesystem::create_directory(Path("usb"));
    const struct {
        std::vector<std::string> Args;
        int Code;
        const char* Out; // nullptr: not looked at
    } steps[] = {
        {{"archive", Dir, "--yes"}, 0, "1 event(s) archived\n"},
        {{"compress", "--yes"}, 0, "No events deleted\n"},
        {{"export", Path("out.CSV")}, 0, "Export successful\n"},
        {{"import", Path("out.CSV")}, 0, "Import Successful\n"},
        {{"merge", DataFile()}, 0, "Merge Successful\n"},
        {{"backup", Path("usb") + "/"}, 0, "Backup successful\n"},
        {{"backup"}, 1, nullptr}, // the remembered folder: overwriting asks
        {{"restore", "--yes"}, 0, "Restore successful\n"},
    };
    for (const auto& step : steps) {
        const TCliRun r = Run(step.Args);
        EXPECT_EQ(r.Code, step.Code) << step.Args[0] << r.Err;
        EXPECT_TRUE(!step.Out || r.Out == step.Out) << step.Args[0] << ": " << r.Out;
    }
    EXPECT_EQ(StoredDescriptions().size(), 12u);
}

// A torn file (cut part way through an event) and one with an event that
// cannot be read: reading commands show the whole events with a warning,
// writing ones leave the file alone unless told to keep the whole events,
// a restore mends it, and one copy of the damaged bytes is kept.
TEST_F(CliTest, ADamagedDataFileIsToldCopiedOnceAndOnlyWrittenWhenSaidSo) {
    AddEvents(kThreeEvents);
    ASSERT_EQ(Run({"backup"}).Code, 0);
    const std::string whole = ReadText(DataFile());
    std::string unreadable = whole;
    const double huge = 1e300;
    std::memcpy(&unreadable[292 + 263], &huge, sizeof huge);
    for (const std::string& damaged : {whole.substr(0, 700), unreadable}) {
        std::ofstream(DataFile(), std::ios::binary | std::ios::trunc) << damaged;
        const int kept = damaged.size() == 700 ? 2 : 1;
        const TCliRun list = Run({"list"});
        EXPECT_EQ(list.Code, 1);
        EXPECT_TRUE(
            list.Err.starts_with("tickwell-cli: the data file " + DataFile() + " is damaged"))
            << list.Err;
        EXPECT_EQ(std::count(list.Out.begin(), list.Out.end(), '\n'), kept);
        EXPECT_EQ(Run({"add", "--desc", "x"}).Code, 2);
        EXPECT_EQ(Run({"due"}).Code, 1);
        EXPECT_EQ(ReadText(DataFile()), damaged) << "left as it is";
        std::vector<std::string> copies;
        for (const auto& entry : std::filesystem::directory_iterator(Dir))
            if (entry.path().filename().string().starts_with("tickwell.dat.damaged-"))
                copies.push_back(ReadText(entry.path().string()));
        EXPECT_EQ(std::count(copies.begin(), copies.end(), damaged), 1);

        EXPECT_EQ(Run({"add", "--desc", "x", "--yes"}).Code, 0);
        EXPECT_EQ(StoredDescriptions().size(), size_t(kept + 1));
        EXPECT_EQ(Run({"restore", "--yes"}).Code, 0);
        EXPECT_EQ(ReadText(DataFile()), whole);
    }
}

// The why of a failed save is the data file's own test.
TEST_F(CliTest, AFailedSaveIsAnError) {
    const TCliRun r = Run({"--data", Path("no/such/file.dat"), "add", "--desc", "x"});
    EXPECT_EQ(r.Code, 2);
    EXPECT_TRUE(r.Err.starts_with("tickwell-cli: Error Saving Events List\n")) << r.Err;
}
