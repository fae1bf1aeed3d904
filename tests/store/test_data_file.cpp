#include "store/DataFile.h"
#include "StoreTestSupport.h"
#include "core/HalvaneDates.h"
#include <cmath>
#include <csignal>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>

namespace {

using namespace storetest;

class DataFileTest : public StoreTest {
protected:
    TMyList List;
};

const std::string kRecordA =
    RawRecord("Pay rent\r\nBank \x80\xe9", 3, -1, 2, 300, 45000, 45500, 14, 0, 1, 0, 45010);

TEST_F(DataFileTest, RecordLayoutIsByteExactBothWays) {
    WriteBytes(Path("in.dat"), kRecordA);
    ASSERT_TRUE(LoadEvents(List, Path("in.dat")));
    ASSERT_EQ(List.Count(), 1);
    const TTickwellItem& e = *List[0];
    EXPECT_EQ(e.Description, "Pay rent\r\nBank \u20ac\u00e9");
    EXPECT_EQ(e.EventType, 3);
    EXPECT_EQ(e.Rank, -1); // sign-extended, not 65535
    EXPECT_EQ(e.Weekday, 2);
    EXPECT_EQ(e.Interval, 300);
    EXPECT_EQ(e.StartDate, 45000);
    EXPECT_EQ(e.EndDate, 45500);
    EXPECT_EQ(e.NoticePeriod, 14);
    EXPECT_FALSE(e.Simple);
    EXPECT_TRUE(e.KeepFlag);
    EXPECT_FALSE(e.NoEndPoint);
    EXPECT_EQ(e.AckDate, 45010);

    ASSERT_TRUE(SaveEvents(List, Path("out.dat")));
    EXPECT_EQ(ReadBytes(Path("out.dat")), kRecordA);
}

TEST_F(DataFileTest, RecordsWriteBackAsTheyShould) {
    std::string allBytes;
    for (int c = 1; c < 256; ++c)
        allBytes += static_cast<char>(c);
    std::string padded = RawRecord("abc", 0, 0, 0, 1, 45000, 45000, 7, 1, 0, 1, 0);
    std::memset(padded.data() + 4, 'x', 100);
    struct {
        std::string In, Out;
    } cases[] = {
        // Every Windows-1252 byte, the five undefined ones included.
        {RawRecord(allBytes, 0, 0, 0, 1, 45000, 45000, 7, 1, 0, 1, 0),
         RawRecord(allBytes, 0, 0, 0, 1, 45000, 45000, 7, 1, 0, 1, 0)},
        // Bytes past the length are not significant and are written as zeros.
        {padded, RawRecord("abc", 0, 0, 0, 1, 45000, 45000, 7, 1, 0, 1, 0)},
        // Any non-zero boolean byte reads as true and is written as 1.
        {RawRecord("f", 0, 0, 0, 1, 45000, 45000, 7, 7, 7, 7, 0),
         RawRecord("f", 0, 0, 0, 1, 45000, 45000, 7, 1, 1, 1, 0)},
    };
    for (const auto& c : cases) {
        TMyList list;
        WriteBytes(Path("in.dat"), c.In);
        ASSERT_TRUE(LoadEvents(list, Path("in.dat")));
        SaveEvents(list, Path("out.dat"));
        EXPECT_EQ(ReadBytes(Path("out.dat")), c.Out);
    }
}

TEST_F(DataFileTest, FileSizesGiveWholeRecordsOnly) {
    const std::string rec = RawRecord("x", 0, 0, 0, 1, 45000, 45000, 7, 1, 0, 1, 0);
    struct {
        std::string Bytes;
        int Events;
    } cases[] = {
        {"", 0},
        {std::string(100, 'z'), 0},
        {rec + rec, 2},
        {rec + rec + std::string(16, 'z'), 2},
    };
    for (const auto& c : cases) {
        TMyList list;
        WriteBytes(Path("f.dat"), c.Bytes);
        EXPECT_TRUE(LoadEvents(list, Path("f.dat"))) << c.Bytes.size();
        EXPECT_EQ(list.Count(), c.Events) << c.Bytes.size();
    }
    EXPECT_TRUE(LoadEvents(List, Path("missing.dat")));
    EXPECT_EQ(List.Count(), 0);
}

TEST_F(DataFileTest, LoadAddsToTheListAndKeepsSequentialOrder) {
    std::string bytes;
    for (int i = 0; i < 5; ++i)
        bytes += RawRecord(std::string(1, static_cast<char>('a' + i)), 0, 0, 0, 1, 45500 + (i % 2),
                           45500 + (i % 2), 7, 1, 0, 1, 0);
    WriteBytes(Path("f.dat"), bytes);
    ASSERT_TRUE(LoadEvents(List, Path("f.dat")));
    ASSERT_TRUE(LoadEvents(List, Path("f.dat")));
    std::string order;
    for (const TTickwellItem* e : List.All())
        order += e->Description;
    // Among equal keys the last added comes first.
    EXPECT_EQ(order, "ecaecadbdb");
}

TEST_F(DataFileTest, UnreadableStartDateIsAReadError) {
    const std::string good = RawRecord("good", 0, 0, 0, 1, 45000, 45000, 7, 1, 0, 1, 0);
    for (double bad : {std::nan(""), std::numeric_limits<double>::infinity(), 1e300, -700000.0}) {
        const std::string broken = RawRecord("bad", 0, 0, 0, 1, bad, 45000, 7, 1, 0, 1, 0);
        WriteBytes(Path("f.dat"), good + broken + good);
        TMyList list;
        EXPECT_FALSE(LoadEvents(list, Path("f.dat"))) << bad;
        // What was read before the damage stays, so a later save cannot wipe it.
        EXPECT_EQ(list.Count(), 1) << bad;
        std::vector<TTickwellItem*> items;
        EXPECT_FALSE(ReadEventsFile(Path("f.dat"), items)) << bad;
        EXPECT_TRUE(items.empty());
    }
}

// A file big enough to be read in pieces by several threads, and the same bytes
// through a pipe, give the events in file order up to the first damage.
TEST_F(DataFileTest, LargeFilesAndPipesReadAsOneSequence) {
    constexpr int kRecords = 20000;
    const auto fileOf = [](int damagedAt) {
        std::string bytes;
        bytes.reserve(kRecords * kRecordSize + 100);
        for (int i = 0; i < kRecords; ++i)
            bytes +=
                RawRecord(std::to_string(i), 0, 0, 0, 1,
                          i == damagedAt ? std::nan("") : 45000 + i % 700, 45000, 7, 1, 0, 1, 0);
        return bytes + std::string(100, 'z');
    };
    const struct {
        int DamagedAt;
        bool Pipe;
    } cases[] = {{-1, false},           {0, false}, {9999, false}, {10000, false},
                 {kRecords - 1, false}, {-1, true}, {15000, true}};
    for (const auto& c : cases) {
        const std::string bytes = fileOf(c.DamagedAt);
        std::string path = Path("big.dat");
        std::thread writer;
        if (c.Pipe) {
            path = Path("big.fifo");
            ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
            // The reader stops at damage and closes its end early.
            std::signal(SIGPIPE, SIG_IGN);
            writer = std::thread([&] { WriteBytes(path, bytes); });
        } else {
            WriteBytes(path, bytes);
        }
        std::vector<TTickwellItem*> items;
        const bool ok = ReadEventsFile(path, items);
        if (writer.joinable())
            writer.join();
        std::signal(SIGPIPE, SIG_DFL);
        std::filesystem::remove(path);
        const int want = c.DamagedAt < 0 ? kRecords : 0;
        EXPECT_EQ(ok, c.DamagedAt < 0) << c.DamagedAt;
        ASSERT_EQ(static_cast<int>(items.size()), want) << c.DamagedAt;
        for (int i = 0; i < want; ++i)
            ASSERT_EQ(items[static_cast<size_t>(i)]->Description, std::to_string(i));
        for (TTickwellItem* e : items)
            delete e;

        TMyList list;
        WriteBytes(Path("big.dat"), bytes);
        EXPECT_EQ(LoadEvents(list, Path("big.dat")), c.DamagedAt < 0);
        EXPECT_EQ(list.Count(), c.DamagedAt < 0 ? kRecords : c.DamagedAt) << c.DamagedAt;
    }
}

TEST_F(DataFileTest, MalformedRecordsDoNotCrash) {
    // Every field at an extreme value, with a valid start date.
    const std::string rec =
        RawRecord(std::string(255, '\xff'), 255, -32768, -32768, -32768, 45000, std::nan(""),
                  -32768, 255, 255, 255, std::numeric_limits<double>::infinity());
    WriteBytes(Path("f.dat"), rec + rec);
    EXPECT_TRUE(LoadEvents(List, Path("f.dat")));
    EXPECT_EQ(List.Count(), 2);
    List.Scan();
}

TEST_F(DataFileTest, LongDescriptionAndWideNumbersAreCut) {
    TRecSpec s;
    s.Description = std::string(300, 'd');
    TTickwellItem* e = MakeEvent(s);
    e->NoticePeriod = 70000;
    List.AddSorted(e);
    SaveEvents(List, Path("f.dat"));
    const std::string bytes = ReadBytes(Path("f.dat"));
    ASSERT_EQ(bytes.size(), 292u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 255);
    TMyList back;
    ASSERT_TRUE(LoadEvents(back, Path("f.dat")));
    EXPECT_EQ(back[0]->Description, std::string(255, 'd'));
    EXPECT_EQ(back[0]->NoticePeriod, 4464);
}

TEST_F(DataFileTest, OldFormatFlagConvertsTheThreeDates) {
    WriteBytes(Path("old.tkw"),
               RawRecord("old", 0, 0, 0, 1, 693595, 693594 + 45000, 7, 0, 0, 1, 693594 + 100));
    OldFormatFlag = true;
    EXPECT_TRUE(LoadEvents(List, Path("old.tkw")));
    OldFormatFlag = false;
    ASSERT_EQ(List.Count(), 1);
    EXPECT_EQ(List[0]->StartDate, 1); // 31 December 1899
    EXPECT_EQ(List[0]->EndDate, 45000);
    EXPECT_EQ(List[0]->AckDate, 100);

    TMyList unconverted;
    EXPECT_TRUE(LoadEvents(unconverted, Path("old.tkw")));
    EXPECT_EQ(unconverted[0]->StartDate, 693595);
}

TEST_F(DataFileTest, CsvExtensionInAnyCaseWritesCsv) {
    List.AddSorted(CurrentEvent("Walk"));
    for (const char* name : {"a.csv", "b.CSV", "c.CsV"}) {
        SaveEvents(List, Path(name));
        const std::string text = ReadBytes(Path(name));
        EXPECT_EQ(text.rfind("\"EVENT DESCRIPTION\",", 0), 0u) << name;
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << name;
    }
    for (const char* name : {"d.txt", "e.csvx", "csv", "f.dat"}) {
        SaveEvents(List, Path(name));
        EXPECT_EQ(ReadBytes(Path(name)).size(), 292u) << name;
    }
    std::filesystem::create_directory(Path("dir.csv"));
    SaveEvents(List, Path("dir.csv/plain"));
    EXPECT_EQ(ReadBytes(Path("dir.csv/plain")).size(), 292u);
}

// ---- Crash safety

class SaveFailureTest : public DataFileTest {
protected:
    void SetUp() override {
        DataFileTest::SetUp();
        List.AddSorted(CurrentEvent("one"));
        List.AddSorted(CurrentEvent("two"));
        List.AddSorted(CurrentEvent("three"));
        WriteBytes(Path("tickwell.dat"), "old contents");
    }
    // The first line says what failed; the second why, and where.
    void ExpectSaveError(const std::string& path, int error) {
        try {
            SaveEvents(List, path);
            ADD_FAILURE() << "no error for " << path;
        } catch (const TTickwellError& e) {
            EXPECT_EQ(e.what(), "Error Saving Events List\n" + std::string(std::strerror(error)) +
                                    ": " + path);
        }
    }
};

TEST_F(SaveFailureTest, FullDiskKeepsTheOldFile) {
    // A file-size limit makes the write fail part way, as a full disk does.
    rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 400;
    setrlimit(RLIMIT_FSIZE, &small);
    ExpectSaveError(Path("tickwell.dat"), EFBIG);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);
    EXPECT_EQ(ReadBytes(Path("tickwell.dat")), "old contents");
    EXPECT_EQ(FilesIn(Dir), std::vector<std::string>{"tickwell.dat"});
    EXPECT_EQ(List.Count(), 3);
}

TEST_F(SaveFailureTest, MissingFolderOrFolderInTheWay) {
    ExpectSaveError(Path("no/such/folder/tickwell.dat"), ENOENT);
    std::filesystem::create_directories(Path("busy/inside"));
    ExpectSaveError(Path("busy"), EISDIR);
    EXPECT_EQ(FilesIn(Dir), (std::vector<std::string>{"busy", "tickwell.dat"}));
}

TEST_F(SaveFailureTest, CsvWriteFailureCarriesTheSystemText) {
    try {
        SaveEvents(List, Path("no/such/out.csv"));
        ADD_FAILURE();
    } catch (const TTickwellError& e) {
        EXPECT_EQ(e.what(), std::strerror(ENOENT) + (": " + Path("no/such/out.csv")));
    }
}

TEST_F(SaveFailureTest, SaveReplacesAndKeepsPermissions) {
    std::filesystem::permissions(Path("tickwell.dat"), std::filesystem::perms(0640));
    ASSERT_TRUE(SaveEvents(List, Path("tickwell.dat")));
    EXPECT_EQ(ReadBytes(Path("tickwell.dat")).size(), 3 * 292u);
    EXPECT_EQ(std::filesystem::status(Path("tickwell.dat")).permissions(),
              std::filesystem::perms(0640));
    EXPECT_EQ(FilesIn(Dir), std::vector<std::string>{"tickwell.dat"});
}

// ---- The shared delete

TEST_F(DataFileTest, DeleteAsksTheRightQuestion) {
    struct {
        bool WarnRepeating;
        bool Simple;
        const char* Question;
    } cases[] = {
        {true, false, "This is a repeating event. Do you wish to Delete this Event?"},
        {true, true, "Delete this Event?"},
        {false, false, "Delete this Event?"},
    };
    for (const auto& c : cases) {
        TRecSpec s;
        s.Simple = c.Simple;
        TTickwellItem* e = MakeEvent(s);
        List.AddSorted(e);
        Asked.clear();
        EXPECT_FALSE(DeleteEvent(List, e, c.WarnRepeating));
        EXPECT_EQ(Asked, std::vector<std::string>{c.Question});
        Answers = {anOk};
        EXPECT_TRUE(DeleteEvent(List, e, c.WarnRepeating));
        EXPECT_EQ(List.Count(), 0);
    }
}

TEST_F(DataFileTest, DeleteWithoutConfirmationAndFromTheDueList) {
    TTickwellItem* a = CurrentEvent("a");
    TTickwellItem* b = CurrentEvent("b");
    List.AddSorted(a);
    List.AddSorted(b);
    Due.AddSorted(a);
    Due.AddSorted(b);
    EventDeleteConfirm = false;
    EXPECT_TRUE(DeleteEvent(List, a, true));
    EventDeleteConfirm = true;
    DeleteConfirmSuspended = true;
    EXPECT_TRUE(DeleteEvent(List, b, false));
    EXPECT_TRUE(Asked.empty());
    EXPECT_EQ(List.Count(), 0);
    EXPECT_EQ(Due.Count(), 0);
}

TEST_F(DataFileTest, DeleteOfAnEventNotInTheList) {
    std::unique_ptr<TTickwellItem> stray(CurrentEvent("stray"));
    EXPECT_FALSE(DeleteEvent(List, stray.get(), false));
    EXPECT_FALSE(DeleteEvent(List, nullptr, false));
    ASSERT_EQ(Shown.size(), 2u);
    EXPECT_EQ(Shown[0].Text, "Nothing to Delete");
    EXPECT_EQ(Shown[0].Kind, mkWarning);
    EXPECT_TRUE(Asked.empty());
}

} // namespace
