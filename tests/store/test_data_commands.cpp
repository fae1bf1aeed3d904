#include "store/DataCommands.h"
#include "StoreTestSupport.h"
#include "core/DateFormat.h"
#include "store/AtomicFile.h"
#include "store/BusyCursor.h"
#include "store/Csv.h"
#include "store/DataFile.h"
#include <cmath>
#include <csignal>
#include <sys/resource.h>

namespace {

using namespace storetest;

class DataCommandsTest : public StoreTest {
protected:
    TMyList List;
    void SetUp() override {
        StoreTest::SetUp();
        List.FileName = Path("tickwell.dat");
    }
    std::vector<std::string> Descriptions(const TMyList& list) const {
        std::vector<std::string> d;
        for (const TTickwellItem* e : list.All())
            d.push_back(e->Description);
        return d;
    }
    int EventsInFile(const std::string& path) const {
        return static_cast<int>(ReadBytes(path).size() / 292);
    }
    void Fill(std::initializer_list<TTickwellItem*> events) {
        for (TTickwellItem* e : events)
            List.AddSorted(e);
    }
    // A file of `good` readable records followed by one whose start date
    // cannot be read.
    void WriteDamaged(const std::string& path, int good) {
        std::string bytes;
        for (int i = 0; i < good; ++i)
            bytes +=
                RawRecord("backup " + std::to_string(i), 0, 0, 0, 1, 45600, 45600, 7, 1, 0, 1, 0);
        bytes += RawRecord("broken", 0, 0, 0, 1, std::nan(""), 0, 7, 1, 0, 1, 0);
        WriteBytes(path, bytes);
    }
};

TEST_F(DataCommandsTest, EmptyListStopsBeforeAnyDialog) {
    EXPECT_FALSE(HasEvents(List));
    EXPECT_FALSE(ExportCommand(List, Path("x.csv")).Succeeded);
    EXPECT_FALSE(ArchiveCommand(List, Dir).Succeeded);
    EXPECT_FALSE(CompressCommand(List).Succeeded);
    EXPECT_FALSE(BackupCommand(List, Path("backup.dat")).Succeeded);
    EXPECT_EQ(ShownTexts(),
              std::vector<std::string>(5, "There are no events in your Tickwell File!"));
    EXPECT_EQ(Shown[0].Kind, mkInformation);
    EXPECT_TRUE(Asked.empty());
    EXPECT_TRUE(FilesIn(Dir).empty());
}

// ---- Export and import

TEST_F(DataCommandsTest, ExportFormsAndOverwriteQuestion) {
    Fill({CurrentEvent("a"), CurrentEvent("b")});
    EXPECT_TRUE(ExportCommand(List, Path("out.CsV")).Succeeded);
    EXPECT_EQ(ReadBytes(Path("out.CsV")).rfind(CsvHeaderLine(), 0), 0u);
    EXPECT_TRUE(ExportCommand(List, Path("out.txt")).Succeeded);
    EXPECT_EQ(ReadBytes(Path("out.txt")).size(), 2 * 292u);
    EXPECT_EQ(ShownTexts(), (std::vector<std::string>{"Export successful", "Export successful"}));

    WriteBytes(Path("keep.dat"), "precious");
    Answers = {anNo};
    EXPECT_FALSE(ExportCommand(List, Path("keep.dat")).Succeeded);
    EXPECT_EQ(Asked, std::vector<std::string>{"Overwrite existing file?"});
    EXPECT_EQ(ReadBytes(Path("keep.dat")), "precious");
    Answers = {anYes};
    EXPECT_TRUE(ExportCommand(List, Path("keep.dat")).Succeeded);
    EXPECT_FALSE(FileExists(List.FileName)); // the data file is not touched
}

TEST_F(DataCommandsTest, ExportThenImportGivesTheSameEvents) {
    TRecSpec monthly;
    monthly.Description = "Pay \"the\" rent, now";
    monthly.Start = D(2023, 1, 31);
    monthly.Simple = false;
    monthly.Type = 3;
    monthly.Interval = 2;
    monthly.Rank = 4;
    monthly.Weekday = 6;
    monthly.Keep = true;
    monthly.End = D(2030, 5, 1);
    TRecSpec once;
    once.Description = "Caf\xc3\xa9";
    once.Start = D(2024, 7, 1);
    once.Notice = 0;
    TRecSpec daily;
    daily.Description = "Pills";
    daily.Start = D(2024, 6, 1);
    daily.Simple = false;
    daily.Ack = D(2024, 6, 14);
    daily.Weekday = 0;
    Fill({MakeEvent(monthly), MakeEvent(once), MakeEvent(daily)});
    ASSERT_TRUE(ExportCommand(List, Path("all.csv")).Succeeded);

    TMyList back;
    back.FileName = Path("back.dat");
    const TDataResult r = ImportCommand(back, Path("all.csv"));
    EXPECT_TRUE(r.Succeeded);
    EXPECT_TRUE(r.ListChanged);
    EXPECT_EQ(ShownTexts().back(), "Import Successful");
    ASSERT_EQ(back.Count(), List.Count());
    for (int i = 0; i < List.Count(); ++i) {
        // The CSV line holds the ten stored fields that travel.
        EXPECT_EQ(List[i]->ToCsvLine(), back[i]->ToCsvLine());
        EXPECT_EQ(List[i]->NextDate, back[i]->NextDate);
        EXPECT_EQ(back[i]->NoEndPoint, back[i]->EndDate == 0);
    }
    // The imported list was saved to its own data file.
    EXPECT_EQ(EventsInFile(back.FileName), 3);
}

TEST_F(DataCommandsTest, ImportMarksPastOccurrencesAcknowledged) {
    WriteBytes(Path("in.csv"), "Weekly,01/05/2024,1,F,1,,0,T\r\n");
    ImportCommand(List, Path("in.csv"));
    ASSERT_EQ(List.Count(), 1);
    EXPECT_EQ(List[0]->AckDate, List[0]->PrevDate);
    EXPECT_LT(List[0]->PrevDate, D(2024, 6, 15));
    EXPECT_NE(List[0]->AckDate, 0);
}

TEST_F(DataCommandsTest, FailedImportAddsNothing) {
    // The original left the lines before a bad one in memory, to be saved
    // later by some other command.
    Fill({CurrentEvent("mine")});
    WriteBytes(Path("bad.csv"), "good,20/06/2024\r\nbad,21/06/2024,0,T,1,,seven\r\n");
    WriteBytes(Path("none.csv"), CsvHeaderLine() + "\r\ntwo words,20/06/2024\r\n");
    WriteBytes(Path("emoji.csv"), "good,20/06/2024\r\n\xf0\x9f\x8e\x89,21/06/2024\r\n");
    struct {
        const char* File;
        const char* Notice;
    } cases[] = {
        {"bad.csv", "Import Error"},
        {"missing.csv", "Import Error"},
        {"none.csv", "No records in data file"},
        {"emoji.csv", "Import Error"},
    };
    for (const auto& c : cases) {
        Shown.clear();
        EXPECT_FALSE(ImportCommand(List, Path(c.File)).ListChanged) << c.File;
        EXPECT_EQ(Descriptions(List), std::vector<std::string>{"mine"});
        ASSERT_EQ(Shown.size(), 1u);
        EXPECT_EQ(WhatFailed(Shown[0].Text), c.Notice);
        EXPECT_EQ(Shown[0].Kind, mkError);
    }
    EXPECT_FALSE(FileExists(List.FileName));
}

// ---- Archive, compress, zap

TEST_F(DataCommandsTest, ArchiveMovesExpiredEventsAfterWritingThem) {
    TRecSpec keptOverdue;
    keptOverdue.Description = "kept";
    keptOverdue.Start = D(2024, 6, 1);
    keptOverdue.Keep = true;
    TTickwellItem* x1 = ExpiredEvent("x1");
    TTickwellItem* x2 = ExpiredEvent("x2 with blank");
    TTickwellItem* x3 = ExpiredEvent("x3");
    Fill({x3, CurrentEvent("current"), x2, x1, MakeEvent(keptOverdue)});
    // A scan from before the day changed may still hold expired events.
    Due.AddSorted(x1);
    Due.AddSorted(x3);
    const std::vector<std::string> expectedLines = {List[0]->ToCsvLine(), List[1]->ToCsvLine(),
                                                    List[2]->ToCsvLine()};

    const TDataResult r = ArchiveCommand(List, Dir + "/");
    EXPECT_TRUE(r.Succeeded);
    EXPECT_TRUE(r.ListChanged);
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{"3 event(s) archived"});
    EXPECT_EQ(Descriptions(List), (std::vector<std::string>{"kept", "current"}));
    EXPECT_EQ(Due.Count(), 0);
    EXPECT_EQ(ReadBytes(Path("archive.csv")),
              expectedLines[0] + "\r\n" + expectedLines[1] + "\r\n" + expectedLines[2] + "\r\n");
    EXPECT_EQ(EventsInFile(List.FileName), 2);
}

TEST_F(DataCommandsTest, ArchiveWithNothingExpiredStillAsksFirst) {
    Fill({CurrentEvent("current")});
    WriteBytes(Path("archive.csv"), "history");
    Answers = {anYes};
    const TDataResult r = ArchiveCommand(List, Dir);
    EXPECT_FALSE(r.ListChanged);
    EXPECT_EQ(Asked, std::vector<std::string>{"Overwrite existing file?"});
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{"No Events Archived"});
    EXPECT_EQ(ReadBytes(Path("archive.csv")), "history");

    Fill({ExpiredEvent("old")});
    Answers = {anNo};
    Shown.clear();
    EXPECT_FALSE(ArchiveCommand(List, Dir).ListChanged);
    EXPECT_TRUE(Shown.empty());
    EXPECT_EQ(List.Count(), 2);
}

TEST_F(DataCommandsTest, ArchiveThatCannotBeWrittenTakesNothingOut) {
    Fill({ExpiredEvent("old"), CurrentEvent("current")});
    const TDataResult r = ArchiveCommand(List, Path("no/such/folder"));
    EXPECT_FALSE(r.ListChanged);
    EXPECT_EQ(List.Count(), 2);
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0].Text, std::strerror(ENOENT) + (": " + Path("no/such/folder/archive.csv")));
    EXPECT_EQ(Shown[0].Kind, mkError);
    EXPECT_FALSE(FileExists(List.FileName));
}

// A full disk lets the small archive through and stops the data file: the
// events stay, the archive that was there comes back, and no success is
// told.
TEST_F(DataCommandsTest, ArchiveIsAllOrNothing) {
    for (bool hadArchive : {true, false}) {
        List.FreeAll();
        Shown.clear();
        Fill({ExpiredEvent("old"), CurrentEvent("current 1"), CurrentEvent("current 2")});
        SaveEvents(List, List.FileName);
        std::filesystem::remove(Path("archive.csv"));
        if (hadArchive)
            WriteBytes(Path("archive.csv"), "history\r\n");
        Answers = {anYes};
        rlimit old;
        getrlimit(RLIMIT_FSIZE, &old);
        auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 500;
        setrlimit(RLIMIT_FSIZE, &small);
        const TDataResult r = ArchiveCommand(List, Dir);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldSignal);
        EXPECT_FALSE(r.Succeeded);
        EXPECT_EQ(Descriptions(List), (std::vector<std::string>{"old", "current 2", "current 1"}));
        EXPECT_EQ(EventsInFile(List.FileName), 3);
        EXPECT_EQ(FileExists(Path("archive.csv")), hadArchive);
        if (hadArchive) {
            EXPECT_EQ(ReadBytes(Path("archive.csv")), "history\r\n");
        }
        ASSERT_EQ(Shown.size(), 1u);
        EXPECT_EQ(WhatFailed(Shown[0].Text), "Error Saving Events List");
        EXPECT_EQ(FilesIn(Dir).size(), hadArchive ? 3u : 2u);
    }
}

TEST_F(DataCommandsTest, CompressDeletesExpiredEventsOnYes) {
    TTickwellItem* x1 = ExpiredEvent("x1");
    Fill({x1, ExpiredEvent("x2"), CurrentEvent("current")});
    Due.AddSorted(x1);
    bool suspendedWhileAsking = false;
    auto answer = [&](const std::string& q) {
        Asked.push_back(q);
        suspendedWhileAsking = DeleteConfirmSuspended;
        return Answers.empty() ? anCancel : Answers.front();
    };
    SetMessageHandlers({[this](const std::string& t, TMsgKind k) {
                            Shown.push_back({t, k});
                        },
                        answer, answer, [] {}, [] {}});

    EXPECT_FALSE(CompressCommand(List).ListChanged);
    EXPECT_EQ(Asked,
              std::vector<std::string>{"This Option will delete all expired events. Continue?"});
    EXPECT_TRUE(suspendedWhileAsking);
    EXPECT_FALSE(DeleteConfirmSuspended);
    EXPECT_EQ(List.Count(), 3);

    Answers = {anYes};
    const TDataResult r = CompressCommand(List);
    EXPECT_TRUE(r.ListChanged);
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{"2 event(s) deleted"});
    EXPECT_EQ(Descriptions(List), std::vector<std::string>{"current"});
    EXPECT_EQ(Due.Count(), 0);
    EXPECT_EQ(EventsInFile(List.FileName), 1);
    EXPECT_FALSE(DeleteConfirmSuspended);

    Shown.clear();
    EXPECT_FALSE(CompressCommand(List).ListChanged);
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{"No events deleted"});
}

TEST_F(DataCommandsTest, ZapFreesEverythingAndEmptiesTheFile) {
    Fill({CurrentEvent("a"), ExpiredEvent("b")});
    List.Scan();
    Due.AddSorted(List[1]);
    ASSERT_GT(Due.Count(), 0);
    EXPECT_FALSE(ZapListCommand(List).ListChanged);
    EXPECT_EQ(Asked, std::vector<std::string>{
                         "Delete all events from your file!\nAre you sure you wish to proceed?"});
    EXPECT_EQ(List.Count(), 2);
    Answers = {anYes};
    EXPECT_TRUE(ZapListCommand(List).ListChanged);
    EXPECT_EQ(List.Count(), 0);
    EXPECT_EQ(Due.Count(), 0);
    EXPECT_TRUE(FileExists(List.FileName));
    EXPECT_EQ(ReadBytes(List.FileName), "");
}

TEST_F(DataCommandsTest, FailedSaveAfterAChangeIsReportedAndStillChanged) {
    Fill({ExpiredEvent("old"), CurrentEvent("current")});
    List.FileName = Path("no/such/tickwell.dat");
    Answers = {anYes};
    const TDataResult r = CompressCommand(List);
    EXPECT_TRUE(r.ListChanged);
    EXPECT_FALSE(r.Succeeded);
    ASSERT_EQ(Shown.size(), 2u);
    EXPECT_EQ(Shown[0].Text, "1 event(s) deleted");
    EXPECT_TRUE(Shown[1].Text.starts_with("Error Saving Events List\nNo such file or directory: "));
    EXPECT_EQ(Shown.back().Kind, mkError);
}

// ---- Backup

TEST_F(DataCommandsTest, BackupDestinationLosesOneTrailingSlash) {
    EXPECT_EQ(ApplyBackupDestination("/media/usb/"), "/media/usb/backup.dat");
    EXPECT_EQ(BackupDest, "/media/usb");
    EXPECT_EQ(ApplyBackupDestination("/"), "/backup.dat");
    EXPECT_EQ(BackupDest, "/");
    EXPECT_EQ(BackupFilePath(), "/backup.dat");
    EXPECT_EQ(ApplyBackupDestination("/a//"), "/a//backup.dat");
}

TEST_F(DataCommandsTest, AnEmptyOrRelativeBackupFolderIsNeverATarget) {
    const char* const folders[] = {"", "backups", "./backups", "~/backups"};
    for (const char* folder : folders) {
        BackupDest = folder;
        EXPECT_THROW(BackupFilePath(), TTickwellError) << folder;
        EXPECT_THROW(ApplyBackupDestination(folder), TTickwellError) << folder;
    }
    try {
        BackupDest = "";
        BackupFilePath();
    } catch (const TTickwellError& e) {
        EXPECT_STREQ(e.what(), "No backup folder is set: choose the folder to back up to.");
    }
}

TEST_F(DataCommandsTest, BackupWritesAndAsksBeforeOverwriting) {
    Fill({CurrentEvent("a"), CurrentEvent("b")});
    std::filesystem::create_directory(Path("bk"));
    const std::string target = ApplyBackupDestination(Path("bk/"));
    EXPECT_TRUE(BackupCommand(List, target).Succeeded);
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{"Backup successful"});
    EXPECT_EQ(EventsInFile(target), 2);
    EXPECT_TRUE(Asked.empty());

    Fill({CurrentEvent("c")});
    Shown.clear();
    Answers = {anNo};
    EXPECT_FALSE(BackupCommand(List, target).Succeeded);
    EXPECT_EQ(Asked, std::vector<std::string>{"Overwrite existing backup file?"});
    EXPECT_TRUE(Shown.empty());
    EXPECT_EQ(EventsInFile(target), 2);
    Answers = {anYes};
    EXPECT_TRUE(BackupCommand(List, target).Succeeded);
    EXPECT_EQ(EventsInFile(target), 3);
}

TEST_F(DataCommandsTest, BackupAndRestoreNeedAUsableAbsoluteFolder) {
    Fill({CurrentEvent("a")});
    struct {
        std::string Path;
        std::string Error;
    } cases[] = {
        {"relative/backup.dat", "Not a valid drive ID"},
        {"backup.dat", "Not a valid drive ID"},
        {"", "Not a valid drive ID"},
        {Dir + "/missing/backup.dat",
         "Please insert disk into drive\nNo such file or directory: " + Dir + "/missing"},
        {Dir + "/plainfile/backup.dat",
         "Please insert disk into drive\nNot a directory: " + Dir + "/plainfile"},
    };
    WriteBytes(Path("plainfile"), "x");
    for (const auto& c : cases) {
        for (bool restore : {false, true}) {
            try {
                if (restore)
                    RestoreCommand(List, c.Path);
                else
                    BackupCommand(List, c.Path);
                ADD_FAILURE() << c.Path;
            } catch (const TTickwellError& e) {
                EXPECT_EQ(e.what(), c.Error) << c.Path;
            }
        }
    }
    EXPECT_TRUE(Asked.empty());
    EXPECT_EQ(List.Count(), 1);
    EXPECT_EQ(FilesIn(Dir), std::vector<std::string>{"plainfile"});
}

TEST_F(DataCommandsTest, BusyCursorIsRestoredOnEveryWayOut) {
    std::vector<bool> calls;
    SetBusyCursorHook([&](bool busy) { calls.push_back(busy); });
    Fill({CurrentEvent("a")});
    EXPECT_THROW(BackupCommand(List, Path("missing/backup.dat")), TTickwellError);
    EXPECT_FALSE(BusyCursorShowing());
    EXPECT_EQ(calls, (std::vector<bool>{true, false}));
    SetBusyCursorHook({});
}

// ---- Restore

TEST_F(DataCommandsTest, RestoreReplacesTheEvents) {
    Fill({CurrentEvent("backed up 1"), CurrentEvent("backed up 2")});
    EXPECT_FALSE(RestoreCommand(List).ListChanged);
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0].Text, "You have no backup to restore");
    EXPECT_EQ(Shown[0].Kind, mkWarning);
    EXPECT_TRUE(Asked.empty());
    Shown.clear();
    SaveEvents(List, BackupFilePath());
    List.FreeAll();
    Fill({CurrentEvent("current")});
    List.Scan();
    Due.AddSorted(List[0]);

    Answers = {anNo};
    EXPECT_FALSE(RestoreCommand(List).ListChanged);
    // The path as it is: on a case-sensitive file system another case names
    // another file.
    EXPECT_NE(BackupFilePath().find_first_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos);
    EXPECT_EQ(Asked, std::vector<std::string>{"Restore data from: \n" + BackupFilePath() +
                                              "\nDo you wish to proceed?"});
    EXPECT_EQ(Descriptions(List), std::vector<std::string>{"current"});

    Answers = {anYes};
    const TDataResult r = RestoreCommand(List);
    EXPECT_TRUE(r.Succeeded);
    EXPECT_TRUE(r.ListChanged);
    EXPECT_EQ(Descriptions(List), (std::vector<std::string>{"backed up 1", "backed up 2"}));
    EXPECT_EQ(Due.Count(), 0);
    EXPECT_EQ(EventsInFile(List.FileName), 2);
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{"Restore successful"});
}

TEST_F(DataCommandsTest, FailedRestoreKeepsEverything) {
    // The original freed the current events before reading the backup.
    Fill({CurrentEvent("current")});
    SaveEvents(List, List.FileName);
    const std::string before = ReadBytes(List.FileName);
    List.Scan();
    const int dueBefore = Due.Count();
    WriteDamaged(BackupFilePath(), 2);
    Answers = {anYes};
    try {
        RestoreCommand(List);
        ADD_FAILURE();
    } catch (const TTickwellError& e) {
        EXPECT_EQ(WhatFailed(e.what()), "Unable to load backup file");
    }
    EXPECT_EQ(Descriptions(List), std::vector<std::string>{"current"});
    EXPECT_EQ(Due.Count(), dueBefore);
    EXPECT_EQ(ReadBytes(List.FileName), before);
}

// A backup cut short would replace every event with fewer or none: only
// after the user has seen both counts and said Yes.
TEST_F(DataCommandsTest, RestoreOfAPartBackupNeedsAYes) {
    const std::string record = RawRecord("kept", 0, 0, 0, 1, 45600, 45600, 7, 1, 0, 1, 0);
    struct {
        std::string Bytes;
        TAnswer Answer;
        int Events; // after the command; -1: refused
        std::string Counts;
    } cases[] = {
        {std::string(100, 'x'), anNo, -1, "holds 0 whole event(s) and 100 byte(s)"},
        {record + record + "tail", anCancel, -1, "holds 2 whole event(s) and 4 byte(s)"},
        {"", anNo, -1, "holds 0 whole event(s);"},
        {record + record + "tail", anYes, 2, "holds 2 whole event(s) and 4 byte(s)"},
        {record, anNo, 1, ""},
    };
    for (const auto& c : cases) {
        List.FreeAll();
        Fill({CurrentEvent("current 1"), CurrentEvent("current 2"), CurrentEvent("current 3")});
        WriteBytes(BackupFilePath(), c.Bytes);
        Asked.clear();
        Answers = {anYes, c.Answer};
        try {
            RestoreCommand(List);
            EXPECT_EQ(List.Count(), c.Events) << c.Counts;
        } catch (const TTickwellError& e) {
            EXPECT_EQ(c.Events, -1) << c.Counts;
            EXPECT_EQ(WhatFailed(e.what()), "Unable to load backup file");
            EXPECT_EQ(List.Count(), 3);
        }
        if (c.Counts.empty()) {
            EXPECT_EQ(Asked.size(), 1u);
        } else {
            ASSERT_EQ(Asked.size(), 2u) << c.Counts;
            EXPECT_NE(Asked[1].find(c.Counts), std::string::npos) << Asked[1];
            EXPECT_NE(Asked[1].find("you have 3 event(s) now"), std::string::npos) << Asked[1];
        }
    }
}

TEST_F(DataCommandsTest, RestoreUsesTheWholeLongPath) {
    const std::string folder = Dir + "/" + std::string(60, 'f') + "/" + std::string(40, 'g');
    std::filesystem::create_directories(folder);
    const std::string target = ApplyBackupDestination(folder);
    ASSERT_GT(target.size(), 80u);
    Fill({CurrentEvent("far away")});
    SaveEvents(List, target);
    List.FreeAll();
    Answers = {anYes};
    EXPECT_TRUE(RestoreCommand(List).Succeeded);
    EXPECT_EQ(Descriptions(List), std::vector<std::string>{"far away"});
}

// ---- Merge

TEST_F(DataCommandsTest, MergeAddsEveryRecordAgain) {
    Fill({CurrentEvent("a"), CurrentEvent("b")});
    SaveEvents(List, Path("other.dat"));
    // The windows catch up before the closing notice shows.
    std::vector<size_t> shownWhenChanged;
    SetEventsChangedHook([&] { shownWhenChanged.push_back(Shown.size()); });
    for (int round = 1; round <= 2; ++round) {
        const TDataResult r = MergeCommand(List, Path("other.dat"), false);
        EXPECT_TRUE(r.Succeeded);
        EXPECT_EQ(List.Count(), 2 + 2 * round);
    }
    SetEventsChangedHook({});
    EXPECT_EQ(shownWhenChanged, (std::vector<size_t>{0, 1}));
    EXPECT_EQ(ShownTexts(), (std::vector<std::string>{"Merge Successful", "Merge Successful"}));
    EXPECT_EQ(EventsInFile(List.FileName), 6);
}

TEST_F(DataCommandsTest, MergeOfAPre4FileConvertsOnlyWhenTheAnswerSaysSo) {
    WriteBytes(Path("old.tkw"),
               RawRecord("old", 0, 0, 0, 1, 693594 + 45600, 693594 + 45600, 7, 1, 0, 1, 0));
    Answers = {anYes, anNo, anCancel};
    for (int i = 0; i < 2; ++i)
        MergeCommand(List, Path("old.tkw"), AskMergeFormat().value());
    EXPECT_EQ(AskMergeFormat(), std::nullopt);
    EXPECT_EQ(Asked, std::vector<std::string>(3, "Tickwell Data File Merge. Is the datafile "
                                                 "\nfrom a version of Tickwell prior to v4.0?"));
    ASSERT_EQ(List.Count(), 2);
    EXPECT_EQ(List[0]->StartDate, 45600);
    EXPECT_EQ(List[1]->StartDate, 693594 + 45600); // the answer decides, not the file
    EXPECT_FALSE(OldFormatFlag);
}

TEST_F(DataCommandsTest, FailedMergeAddsNothing) {
    // The original kept the records read before the damage in the list.
    Fill({CurrentEvent("mine")});
    WriteDamaged(Path("other.dat"), 3);
    const TDataResult r = MergeCommand(List, Path("other.dat"), true);
    EXPECT_FALSE(r.ListChanged);
    EXPECT_EQ(Descriptions(List), std::vector<std::string>{"mine"});
    EXPECT_FALSE(OldFormatFlag);
    MergeCommand(List, Path("missing.dat"), false);
    ASSERT_EQ(Shown.size(), 2u);
    EXPECT_EQ(Shown[0].Text,
              "Unable to Read Data from file\nAn event in it cannot be read: " + Path("other.dat"));
    EXPECT_EQ(Shown[1].Text,
              "Unable to Read Data from file\nNo such file or directory: " + Path("missing.dat"));
    EXPECT_EQ(Shown[0].Kind, mkWarning);
    EXPECT_FALSE(FileExists(List.FileName));
}

} // namespace
