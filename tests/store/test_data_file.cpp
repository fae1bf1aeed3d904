#include "StoreTestSupport.h"
#include "core/HalvaneDates.h"
#include "store/DataFile.h"
#include <cmath>

namespace {

using namespace storetest;

class DataFileTest : public StoreTest {
protected:
    TMyList List;
};

std::string Plain(const std::string& desc, double start = 45000) {
    return RawRecord(desc, 0, 0, 0, 1, start, 45000, 7, 1, 0, 1, 0);
}

TEST_F(DataFileTest, RecordLayoutIsByteExactBothWays) {
    const std::string rec =
        RawRecord("Pay rent\r\nBank \x80\xe9", 3, -1, 2, 300, 45000, 45500, 14, 0, 1, 0, 45010);
    WriteBytes(Path("in.dat"), rec);
    ASSERT_TRUE(LoadEvents(List, Path("in.dat")));
    ASSERT_EQ(List.Count(), 1);
    const TTickwellItem& e = *List[0];
    EXPECT_EQ(e.Description, "Pay rent\r\nBank \u20ac\u00e9");
    EXPECT_EQ(e.Rank, -1); // sign-extended, not 65535
    EXPECT_EQ(e.Interval, 300);
    EXPECT_EQ(e.EndDate, 45500);
    EXPECT_EQ(e.AckDate, 45010);
    ASSERT_TRUE(SaveEvents(List, Path("out.dat")));
    EXPECT_EQ(ReadBytes(Path("out.dat")), rec);
}

TEST_F(DataFileTest, LoadAddsToTheListAndKeepsSequentialOrder) {
    std::string bytes;
    for (int i = 0; i < 5; ++i)
        bytes += Plain(std::string(1, static_cast<char>('a' + i)), 45500 + (i % 2));
    WriteBytes(Path("f.dat"), bytes);
    ASSERT_TRUE(LoadEvents(List, Path("missing.dat")));
    ASSERT_TRUE(LoadEvents(List, Path("f.dat")));
    ASSERT_TRUE(LoadEvents(List, Path("f.dat")));
    std::string order;
    for (const TTickwellItem* e : List.All())
        order += e->Description;
    // Among equal keys the last added comes first.
    EXPECT_EQ(order, "ecaecadbdb");
}

// A record that is no event, or a file that ends part way through one, is
// damage: the load says so and keeps the whole events before it, so that no
// caller mistakes the rest for deleted.
TEST_F(DataFileTest, DamageIsAReadErrorThatKeepsTheWholeEventsBefore) {
    std::string large;
    for (int i = 0; i < 20000; ++i)
        large += Plain(std::to_string(i), 45000 + i % 700);
    std::string largeBroken = large;
    const double nan = std::nan("");
    std::memcpy(&largeBroken[10000 * kRecordSize + 263], &nan, sizeof nan);
    const struct {
        std::string Bytes;
        int Kept;
        bool TakenWhenCutAccepted;
    } cases[] = {
        {Plain("good") + Plain("bad", std::nan("")) + Plain("good"), 1, false},
        {Plain("good") + Plain("bad", -700000.0) + Plain("good"), 1, false},
        {Plain("a") + Plain("b") + Plain("c").substr(0, 124), 2, true},
        {Plain("a") + std::string(64, '\0'), 1, true},
        {std::string(10, 'x'), 0, true},
        // Read in stretches by several threads, then the cut end.
        {large + "tail", 20000, true},
        {largeBroken, 10000, false},
    };
    for (const auto& c : cases) {
        WriteBytes(Path("f.dat"), c.Bytes);
        TMyList list;
        EXPECT_FALSE(LoadEvents(list, Path("f.dat"))) << c.Bytes.size();
        EXPECT_EQ(list.Count(), c.Kept) << c.Bytes.size();
        std::vector<TTickwellItem*> read;
        EXPECT_FALSE(ReadEventsFile(Path("f.dat"), read));
        EXPECT_EQ(ReadEventsFile(Path("f.dat"), read, true), c.TakenWhenCutAccepted);
        EXPECT_EQ(read.size(), c.TakenWhenCutAccepted ? size_t(c.Kept) : 0u);
        for (TTickwellItem* e : read)
            delete e;
    }
}

TEST_F(DataFileTest, CsvExtensionInAnyCaseWritesCsv) {
    List.AddSorted(CurrentEvent("Walk"));
    std::filesystem::create_directory(Path("dir.csv"));
    const std::pair<const char*, bool> cases[] = {
        {"b.CsV", true}, {"e.csvx", false}, {"dir.csv/x", false}};
    for (const auto& [name, csv] : cases) {
        SaveEvents(List, Path(name));
        EXPECT_EQ(ReadBytes(Path(name)).rfind("\"EVENT DESCRIPTION\",", 0) == 0, csv) << name;
    }
}

// ---- Crash safety

class SaveFailureTest : public DataFileTest {
protected:
    void SetUp() override {
        DataFileTest::SetUp();
        for (const char* d : {"one", "two", "three"})
            List.AddSorted(CurrentEvent(d));
        WriteBytes(Path("tickwell.dat"), "old contents");
    }
    // The first line says what failed; the second why, and where.
    void ExpectSaveError(const std::string& path, int error,
                         const std::string& what = "Error Saving Events List\n") {
        try {
            SaveEvents(List, path);
            ADD_FAILURE() << "no error for " << path;
        } catch (const TTickwellError& e) {
            EXPECT_EQ(e.what(), what + std::strerror(error) + ": " + path);
        }
    }
};

TEST_F(SaveFailureTest, FullDiskKeepsTheOldFile) {
    WithFileSizeLimit(400, [&] { ExpectSaveError(Path("tickwell.dat"), EFBIG); });
    EXPECT_EQ(ReadBytes(Path("tickwell.dat")), "old contents");
    EXPECT_EQ(FilesIn(Dir), std::vector<std::string>{"tickwell.dat"});
}

TEST_F(SaveFailureTest, MissingFolderOrFolderInTheWay) {
    ExpectSaveError(Path("no/such/out.csv"), ENOENT, "");
    std::filesystem::create_directories(Path("busy/inside"));
    ExpectSaveError(Path("busy"), EISDIR);
    EXPECT_EQ(FilesIn(Dir), (std::vector<std::string>{"busy", "tickwell.dat"}));
}

TEST_F(SaveFailureTest, SaveReplacesAndKeepsPermissions) {
    std::filesystem::permissions(Path("tickwell.dat"), std::filesystem::perms(0640));
    ASSERT_TRUE(SaveEvents(List, Path("tickwell.dat")));
    EXPECT_EQ(ReadBytes(Path("tickwell.dat")).size(), 3 * 292u);
    EXPECT_EQ(std::filesystem::status(Path("tickwell.dat")).permissions(),
              std::filesystem::perms(0640));
    EXPECT_EQ(FilesIn(Dir), (std::vector<std::string>{"tickwell.dat", "tickwell.dat.ext"}));
}

} // namespace
