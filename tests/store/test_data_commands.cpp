#include "StoreTestSupport.h"
#include "core/DateFormat.h"
#include "core/EventId.h"
#include "store/AtomicFile.h"
#include "store/Csv.h"
#include "store/DataCommands.h"
#include "store/DataFile.h"
#include "store/EventBook.h"
#include "store/ExitBackup.h"
#include "store/RescueCopy.h"
#include <cmath>
#include <functional>
#include <set>

namespace {

using namespace storetest;
using Texts = std::vector<std::string>;

class DataCommandsTest : public StoreTest {
protected:
    TEventBook Book;
    TMyList& List = Book.MasterList;
    void SetUp() override {
        StoreTest::SetUp();
        List.FileName = Path("tickwell.dat");
    }
    Texts Descriptions() const {
        Texts d;
        for (const TTickwellItem* e : List.All())
            d.push_back(e->Description);
        return d;
    }
    // No event that left the list is still in the due list.
    bool DueInList() const {
        return std::all_of(Book.DueList.All().begin(), Book.DueList.All().end(),
                           [this](const TTickwellItem* e) { return List.IndexOf(e) >= 0; });
    }
    int EventsInFile(const std::string& path) const {
        return static_cast<int>(ReadBytes(path).size() / 292);
    }
    void Fill(std::initializer_list<TTickwellItem*> events) {
        for (TTickwellItem* e : events)
            List.AddSorted(e);
    }
    // `good` readable records followed by one whose start date cannot be read.
    static std::string Damaged(int good) {
        std::string bytes;
        for (int i = 0; i < good; ++i)
            bytes += RawRecord("backup", 0, 0, 0, 1, 45600, 45600, 7, 1, 0, 1, 0);
        return bytes + RawRecord("broken", 0, 0, 0, 1, std::nan(""), 0, 7, 1, 0, 1, 0);
    }
};

TEST_F(DataCommandsTest, ExportThenImportGivesTheSameEvents) {
    // Description, start, simple, type, interval, end, notice, keep, rank,
    // weekday, acknowledged.
    Fill({MakeEvent({"Pay \"the\" rent,\r\nnow", D(2023, 1, 31), false, 3, 2, D(2030, 5, 1), 7,
                     true, 4, 6}),
          MakeEvent({"Pills", D(2024, 6, 1), false, 0, 1, 0, 7, false, 0, 0, D(2024, 6, 14)}),
          MakeEvent({"Γενέθλια 生日 🎂", D(2024, 7, 1)})});
    ASSERT_TRUE(ExportCommand(List, Path("all.csv")).Succeeded);
    // UTF-8 without a byte-order mark, which the import reads either way.
    EXPECT_NE(ReadBytes(Path("all.csv")).find("\r\n\"Γενέθλια 生日 🎂\",01/07/2024,"),
              std::string::npos);
    TEventBook backBook;
    TMyList& back = backBook.MasterList;
    back.FileName = Path("back.dat");
    EXPECT_TRUE(ImportCommand(backBook, Path("all.csv")).ListChanged);
    ASSERT_EQ(back.Count(), 3);
    for (int i = 0; i < 3; ++i) // the CSV line holds the stored fields that travel
        EXPECT_EQ(List[i]->ToCsvLine() + "|" + DateToStr(List[i]->NextDate),
                  back[i]->ToCsvLine() + "|" + DateToStr(back[i]->NextDate));
    // The record holds "?" for what the companion keeps in full.
    EXPECT_NE(ReadBytes(back.FileName).find("\x0d???????? ?? ?"), std::string::npos);
}

// A file that cannot be read, or holds no event, adds nothing and writes
// nothing; the one notice says why.
TEST_F(DataCommandsTest, FailedImportOrMergeAddsNothing) {
    Fill({CurrentEvent("mine")});
    WriteBytes(Path("bad.csv"), "good,20/06/2024\r\nbad,21/06/2024,0,T,1,,seven\r\n");
    WriteBytes(Path("none.csv"), CsvHeaderLine() + "\r\ntwo words,20/06/2024\r\n");
    WriteBytes(Path("other.dat"), Damaged(3));
    const auto import = [this](const std::string& file) { return ImportCommand(Book, file); };
    const auto merge = [this](const std::string& file) { return MergeCommand(Book, file, true); };
    const struct {
        const char* File;
        std::function<TDataResult(const std::string&)> Run;
        std::string Notice; // how it starts
    } cases[] = {
        {"bad.csv", import, "Import Error\n"},
        {"missing.csv", import, "Import Error\n"},
        {"none.csv", import, "No records in data file"},
        {"other.dat", merge,
         "Unable to Read Data from file\nAn event in it cannot be read: " + Path("other.dat")},
        {"missing.dat", merge,
         "Unable to Read Data from file\nNo such file or directory: " + Path("missing.dat")},
    };
    for (const auto& c : cases) {
        Shown.clear();
        EXPECT_FALSE(c.Run(Path(c.File)).ListChanged) << c.File;
        EXPECT_EQ(Descriptions(), Texts{"mine"}) << c.File;
        ASSERT_EQ(Shown.size(), 1u) << c.File;
        EXPECT_TRUE(Shown[0].Text.starts_with(c.Notice)) << Shown[0].Text;
    }
    EXPECT_FALSE(FileExists(List.FileName));
}

TEST_F(DataCommandsTest, ArchiveMovesExpiredEventsAfterWritingThem) {
    TTickwellItem* x1 = ExpiredEvent("x1");
    TTickwellItem* x3 = ExpiredEvent("x3");
    Fill({x3, CurrentEvent("current"), ExpiredEvent("x2 with blank"), x1,
          MakeEvent({.Description = "kept", .Start = D(2024, 6, 1), .Keep = true})});
    // A scan from before the day changed may still hold expired events.
    Book.DueList.AddSorted(x1);
    Book.DueList.AddSorted(x3);
    const std::string expected = List[0]->ToCsvLine() + "\r\n" + List[1]->ToCsvLine() + "\r\n" +
                                 List[2]->ToCsvLine() + "\r\n";

    const TDataResult r = ArchiveCommand(Book, Dir + "/");
    EXPECT_TRUE(r.Succeeded && r.ListChanged);
    EXPECT_EQ(ShownTexts(), Texts{"3 event(s) archived"});
    EXPECT_EQ(Descriptions(), (Texts{"kept", "current"}));
    EXPECT_TRUE(DueInList());
    EXPECT_EQ(ReadBytes(Path("archive.csv")), expected);
    EXPECT_EQ(EventsInFile(List.FileName), 2);
}

// An archive that cannot be written, or a full disk that lets the small
// archive through and stops the data file: the events stay, the archive
// that was there comes back, and no success is told.
TEST_F(DataCommandsTest, ArchiveIsAllOrNothing) {
    Fill({ExpiredEvent("old"), CurrentEvent("current")});
    EXPECT_FALSE(ArchiveCommand(Book, Path("no/such/folder")).ListChanged);
    EXPECT_EQ(ShownTexts(),
              Texts{std::strerror(ENOENT) + (": " + Path("no/such/folder/archive.csv"))});
    EXPECT_FALSE(FileExists(List.FileName));
    Fill({CurrentEvent("current 2")});
    SaveEvents(List, List.FileName);
    for (bool hadArchive : {true, false}) {
        Shown.clear();
        std::filesystem::remove(Path("archive.csv"));
        if (hadArchive)
            WriteBytes(Path("archive.csv"), "history\r\n");
        Answers = {anYes};
        // The disk fills after the small archive.
        TDataResult r;
        WithFileSizeLimit(500, [&] { r = ArchiveCommand(Book, Dir); });
        EXPECT_FALSE(r.Succeeded);
        EXPECT_EQ(Descriptions(), (Texts{"old", "current 2", "current"}));
        EXPECT_EQ(EventsInFile(List.FileName), 3);
        EXPECT_EQ(ReadBytes(Path("archive.csv")), hadArchive ? "history\r\n" : "");
        ASSERT_EQ(Shown.size(), 1u);
        EXPECT_EQ(WhatFailed(Shown[0].Text), "Error Saving Events List");
        EXPECT_EQ(FilesIn(Dir).size(), hadArchive ? 4u : 3u);
    }
}

// A save that fails after the change is told after the change's own notice.
TEST_F(DataCommandsTest, CompressDeletesExpiredEventsOnYes) {
    TTickwellItem* x1 = ExpiredEvent("x1");
    Fill({x1, ExpiredEvent("x2"), CurrentEvent("current")});
    Book.DueList.AddSorted(x1);
    EXPECT_FALSE(CompressCommand(Book).ListChanged);
    EXPECT_EQ(List.Count(), 3);

    Answers = {anYes, anYes};
    List.FileName = Path("no/such/tickwell.dat");
    const TDataResult r = CompressCommand(Book);
    EXPECT_TRUE(r.ListChanged && !r.Succeeded);
    EXPECT_EQ(Asked, Texts(2, "This Option will delete all expired events. Continue?"));
    ASSERT_EQ(Shown.size(), 2u);
    EXPECT_EQ(Shown[0].Text, "2 event(s) deleted");
    EXPECT_TRUE(Shown[1].Text.starts_with("Error Saving Events List\nNo such file or directory: "));
    EXPECT_EQ(Descriptions(), Texts{"current"});
    EXPECT_TRUE(DueInList());
}

TEST_F(DataCommandsTest, BackupFolderMustBeAbsoluteAndLosesOneTrailingSlash) {
    EXPECT_EQ(BackupFolder("/data"), "/data") << "the data folder while none is set";
    TSettings().Set(kBackupDest, std::string("/media/usb/"));
    EXPECT_EQ(BackupFolder("/data"), "/media/usb");
    EXPECT_EQ(BackupFileIn(ChosenBackupFolder("/media/usb/")), "/media/usb/backup.dat");
    EXPECT_EQ(BackupFileIn(ChosenBackupFolder("/")), "/backup.dat");
    EXPECT_EQ(BackupFileIn(ChosenBackupFolder("/a//")), "/a//backup.dat");
    for (const char* folder : {"", "backups", "~/backups"})
        EXPECT_THROW(BackupFileIn(ChosenBackupFolder(folder)), TTickwellError) << folder;
}

// A backup that cannot be read keeps everything; one cut short would
// replace every event with fewer or none: only after the user has seen both
// counts and said Yes.
TEST_F(DataCommandsTest, RestoreOfADamagedOrPartBackup) {
    const std::string record = RawRecord("kept", 0, 0, 0, 1, 45600, 45600, 7, 1, 0, 1, 0);
    const struct {
        std::string Bytes;
        TAnswer Answer;
        int Events; // after the command; 3: refused
        std::string Counts;
    } cases[] = {
        {Damaged(2), anYes, 3, ""},
        {std::string(100, 'x'), anNo, 3, "holds 0 whole event(s) and 100 byte(s) of a broken one"},
        {"", anNo, 3, "holds 0 whole event(s)"},
        {record + record + "tail", anYes, 2,
         "holds 2 whole event(s) and 4 byte(s) of a broken one"},
        {record, anNo, 1, ""},
    };
    for (const auto& c : cases) {
        List.FreeAll();
        Fill({CurrentEvent("current 1"), CurrentEvent("current 2"), CurrentEvent("current 3")});
        SaveEvents(List, List.FileName);
        const std::string before = ReadBytes(List.FileName);
        Book.DueList.AddSorted(List[0]);
        WriteBytes(Path("backup.dat"), c.Bytes);
        Asked.clear();
        Answers = {anYes, c.Answer};
        bool refused = false;
        try {
            RestoreCommand(Book, Path("backup.dat"));
        } catch (const TTickwellError&) {
            refused = true;
        }
        EXPECT_EQ(List.Count(), c.Events) << c.Counts;
        EXPECT_EQ(refused, c.Events == 3);
        EXPECT_EQ(ReadBytes(List.FileName) == before && Book.DueList.Count() == 1, c.Events == 3);
        EXPECT_EQ(Asked.size(), c.Counts.empty() ? 1u : 2u) << c.Counts;
        EXPECT_TRUE(c.Counts.empty() ||
                    Asked.back().find(c.Counts + ";\nyou have 3 event(s) now") != std::string::npos)
            << Asked.back();
    }
}

TEST_F(DataCommandsTest, MergeOfAPre4FileConvertsOnlyWhenTheAnswerSaysSo) {
    WriteBytes(Path("old.tkw"), RawRecord("old", 0, 0, 0, 1, 693594 + 45600, 693594 + 45700, 7, 0,
                                          0, 0, 693594 + 45650));
    Answers = {anYes, anNo, anCancel};
    for (int i = 0; i < 2; ++i)
        MergeCommand(Book, Path("old.tkw"), AskMergeFormat().value());
    EXPECT_EQ(AskMergeFormat(), std::nullopt);
    EXPECT_EQ(Asked, Texts(3, "Tickwell Data File Merge. Is the datafile "
                              "\nfrom a version of Tickwell prior to v4.0?"));
    ASSERT_EQ(List.Count(), 2);
    // All three dates move to the new day count.
    EXPECT_TRUE(List[0]->StartDate == 45600 && List[0]->EndDate == 45700 &&
                List[0]->AckDate == 45650);
    EXPECT_EQ(List[1]->StartDate, 693594 + 45600); // the answer decides, not the file
}

// Every command that writes events keeps the ids and full texts of those
// that stay, with the companion describing exactly the records beside it.
TEST_F(DataCommandsTest, EveryWriterKeepsTheIdsAndTextsOfTheEventsThatStay) {
    using Events = std::vector<std::string>; // id and text, sorted
    const auto eventsIn = [](const std::string& path) {
        TMyList read;
        TLinkReport link;
        EXPECT_TRUE(LoadEvents(read, path, false, &link)) << path;
        EXPECT_TRUE(link.InStep()) << path;
        Events out;
        for (const TTickwellItem* e : read.All())
            out.push_back(EventId(*e) + " " + e->Description);
        std::sort(out.begin(), out.end());
        return out;
    };
    // Longer than the 80 characters the original program kept of a path.
    const std::string backup = BackupFileIn(Path("usb/" + std::string(80, 'f')));
    const std::string rescue = Path("rescue");
    enum TStay { All, Current, None, AllAndNewCopies };
    const struct {
        const char* Name;
        std::function<std::string()> Run; // the file that holds the events after
        TStay Stay;
    } rows[] = {
        {"backup", [&] { return BackupCommand(List, backup).Succeeded ? backup : ""; }, All},
        {"backup on exit",
         [&] {
             std::string error;
             EXPECT_EQ(BackupDataFile(List.FileName, backup, error), TExitBackup::Written);
             return backup;
         },
         All},
        {"restore",
         [&] {
             BackupCommand(List, backup);
             List.FreeAll();
             Fill({CurrentEvent("after the backup")});
             RestoreCommand(Book, backup);
             return List.FileName;
         },
         All},
        {"merge into another list",
         [&] {
             WriteEventsCopy(List, backup);
             List.FreeAll();
             MergeCommand(Book, backup, false);
             return List.FileName;
         },
         All},
        {"merge of an older copy, whose events come first",
         [&] {
             TMyList older;
             for (const TTickwellItem* e : List.All()) {
                 TTickwellItem* copy = MakeEvent({e->Description + " older", e->NextDate - 1});
                 copy->Id = e->Id;
                 older.AddSorted(copy);
             }
             WriteEventsCopy(older, backup);
             MergeCommand(Book, backup, false);
             return List.FileName;
         },
         AllAndNewCopies},
        {"archive",
         [&] {
             ArchiveCommand(Book, Path("usb"));
             EXPECT_NE(ReadBytes(Path("usb/archive.csv")).find("\"Παλιό 旧\""), std::string::npos);
             return List.FileName;
         },
         Current},
        {"compress", [&] { return CompressCommand(Book).Succeeded ? List.FileName : ""; }, Current},
        {"zap", [&] { return ZapListCommand(Book).Succeeded ? List.FileName : ""; }, None},
        {"rescue copy",
         [&] {
             std::string error;
             const std::string copy = WriteRescueCopy(List, {rescue}, error);
             EXPECT_EQ(WriteRescueCopy(List, {rescue}, error), copy) << "written once";
             EXPECT_EQ(FilesIn(rescue).size(), 2u);
             return TakeRescueCopies({rescue}).at(0);
         },
         All},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        List.FreeAll();
        for (const std::string& gone :
             {Path("usb"), rescue, List.FileName, CompanionPath(List.FileName)})
            std::filesystem::remove_all(gone);
        std::filesystem::create_directories(Path("usb/" + std::string(80, 'f')));
        Fill({CurrentEvent("Γενέθλια 生日 🎂"), CurrentEvent("Ünïcödé"), ExpiredEvent("Παλιό 旧")});
        SaveEvents(List, List.FileName);
        Events before = eventsIn(List.FileName);
        Answers = {anYes, anYes, anYes};
        const Events after = eventsIn(row.Run());
        if (row.Stay == Current)
            std::erase_if(before, [](const std::string& e) { return e.ends_with("旧"); });
        if (row.Stay == None)
            before.clear();
        if (row.Stay != AllAndNewCopies) {
            EXPECT_EQ(after, before);
            continue;
        }
        // The copies answer to ids of their own.
        ASSERT_EQ(after.size(), 2 * before.size());
        EXPECT_TRUE(std::includes(after.begin(), after.end(), before.begin(), before.end()));
        std::set<std::string> ids;
        for (const std::string& e : after)
            ids.insert(e.substr(0, kEventIdLength));
        EXPECT_EQ(ids.size(), after.size());
    }
}

} // namespace
