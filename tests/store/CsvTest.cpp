#include "store/Csv.h"
#include "StoreTestSupport.h"
#include "core/HalvaneDates.h"

namespace {

using namespace storetest;

using Values = std::vector<std::string>;

TEST(SplitCsvLine, ReadingRules) {
    struct {
        std::string Line;
        Values Expected;
    } cases[] = {
        {"a,b,c", {"a", "b", "c"}},
        {"  \t a , b", {"a", "b"}},
        {"a,,b", {"a", "", "b"}},
        {"a,b,", {"a", "b"}},
        {"\"x, y\",z", {"x, y", "z"}},
        {"\"say \"\"hi\"\"\",1", {"say \"hi\"", "1"}},
        {"\"\"", {""}},
        {"\"unterminated, rest", {"unterminated, rest"}},
        {"one two,3", {"one", "two", "3"}},
        {"\"abc\"def,x", {"abc", "def", "x"}},
        {"a\x01"
         "b\x1f"
         "c",
         {"a", "b", "c"}},
        {"\"tab\tinside\"", {"tab\tinside"}},
        {"caf\xc3\xa9,\xe2\x82\xac", {"caf\xc3\xa9", "\xe2\x82\xac"}},
        {"", {}},
        {",", {""}},
        {std::string("a\0b,c", 5), {"a"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitCsvLine(c.Line), c.Expected) << c.Line;
}

TEST(SplitLines, AllLineEnds) {
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitLines(""), Lines{});
}

class ImportLineTest : public StoreTest {};

TEST_F(ImportLineTest, MissingAndEmptyPositions) {
    EventRecord r;
    ASSERT_EQ(ParseImportLine("Dentist,20/06/2024", r), TImportLine::Event);
    EXPECT_EQ(r.Description(), "Dentist");
    EXPECT_EQ(r.StartDate, D(2024, 6, 20));
    EXPECT_EQ(r.EventType, 0);
    EXPECT_EQ(r.Simple, 1);
    EXPECT_EQ(r.Interval, 1);
    EXPECT_EQ(r.EndDate, 0);
    EXPECT_EQ(r.NoticePeriod, 7);
    EXPECT_EQ(r.KeepFlag, 0);
    EXPECT_EQ(r.Rank, 0);
    EXPECT_EQ(r.Weekday, 0);
    EXPECT_EQ(r.NoEndPoint, 1);
    EXPECT_EQ(r.AckDate, 0);

    // Ten values, eight of them empty.
    ASSERT_EQ(ParseImportLine("Dentist,20/06/2024,,,,,,,,,", r), TImportLine::Event);
    EXPECT_EQ(r.Simple, 1);
    EXPECT_EQ(r.Interval, 1);
    EXPECT_EQ(r.NoticePeriod, 7);
    EXPECT_EQ(r.KeepFlag, 1);
    EXPECT_EQ(r.Weekday, DayOfWeek(D(2024, 6, 20)));
    EXPECT_EQ(r.Weekday, 5); // a Thursday

    ASSERT_EQ(ParseImportLine("\"" + std::string(300, 'q') + "\",20/06/2024", r),
              TImportLine::Event);
    EXPECT_EQ(r.Description(), std::string(255, 'q'));
}

TEST_F(ImportLineTest, EveryValueGiven) {
    EventRecord r;
    ASSERT_EQ(
        ParseImportLine("\"Board, monthly\",01/02/2024,258,f,3,31/12/2030,70000,t,-1,6,extra", r),
        TImportLine::Event);
    EXPECT_EQ(r.Description(), "Board, monthly");
    EXPECT_EQ(r.EventType, 2); // low 8 bits of 258
    EXPECT_EQ(r.Simple, 0);
    EXPECT_EQ(r.Interval, 3);
    EXPECT_EQ(r.EndDate, D(2030, 12, 31));
    EXPECT_EQ(r.NoEndPoint, 0);
    EXPECT_EQ(r.NoticePeriod, 4464); // low 16 bits of 70000
    EXPECT_EQ(r.KeepFlag, 1);
    EXPECT_EQ(r.Rank, -1);
    EXPECT_EQ(r.Weekday, 6);
}

TEST_F(ImportLineTest, FlagsAndEndDates) {
    struct {
        const char* Line;
        uint8_t Simple, Keep, NoEnd;
    } cases[] = {
        {"x,01/02/2024,0,T,1,,7,F", 1, 0, 1},
        {"x,01/02/2024,0,true,1,30/12/1899,7,yes", 1, 0, 1},
        {"x,01/02/2024,0,False,1,01/03/2024,7,Tomorrow", 0, 1, 0},
    };
    for (const auto& c : cases) {
        EventRecord r;
        ASSERT_EQ(ParseImportLine(c.Line, r), TImportLine::Event) << c.Line;
        EXPECT_EQ(r.Simple, c.Simple) << c.Line;
        EXPECT_EQ(r.KeepFlag, c.Keep) << c.Line;
        EXPECT_EQ(r.NoEndPoint, c.NoEnd) << c.Line;
    }
}

TEST_F(ImportLineTest, SkippedAndFailingLines) {
    struct {
        const char* Line;
        TImportLine Expected;
    } cases[] = {
        {"\"EVENT DESCRIPTION\",\"START DATE\",\"TYPE\",\"SIMPLE\"", TImportLine::Skipped},
        {"two words,20/06/2024", TImportLine::Skipped},
        {"only one value", TImportLine::Skipped},
        {"", TImportLine::Skipped},
        {"x,31/02/2024", TImportLine::Skipped},
        {"x,20/06/2024,0,T,1,,seven", TImportLine::Error},
        {"x,20/06/2024,0,T,1,soon", TImportLine::Error},
        {"x,20/06/2024,daily", TImportLine::Error},
        {"x,20/06/2024,0,T,99999999999", TImportLine::Error},
        {"x,20/06/2024,0,T,1,,7,T,1.5", TImportLine::Error},
        {"x,20/06/2024,0,T,1,,7,T,0,-", TImportLine::Error},
        {"x,20/06/2024,+4", TImportLine::Event},
    };
    for (const auto& c : cases) {
        EventRecord r;
        EXPECT_EQ(ParseImportLine(c.Line, r), c.Expected) << c.Line;
    }
}

// UTF-8 with or without a byte-order mark, or the original program's
// Windows-1252, with any line ends.
TEST_F(ImportLineTest, FileEncodings) {
    struct {
        std::string Bytes;
        std::string First;
    } cases[] = {
        {"\"Caf\xc3\xa9 \xe2\x82\xac\x35\",20/06/2024\r\n\r\nB,21/06/2024\nC,22/06/2024",
         "Caf\xc3\xa9 \xe2\x82\xac\x35"},
        {"\xef\xbb\xbf\"Caf\xc3\xa9\",20/06/2024\rB,21/06/2024\r\nC,22/06/2024\r\n", "Caf\xc3\xa9"},
        {"\"Caf\xe9 \x80\x35\",20/06/2024\r\nB,21/06/2024\r\nC,22/06/2024\r\n",
         "Caf\xc3\xa9 \xe2\x82\xac\x35"},
    };
    for (const auto& c : cases) {
        WriteBytes(Path("in.csv"), c.Bytes);
        std::vector<EventRecord> recs;
        ASSERT_TRUE(ParseImportFile(Path("in.csv"), recs)) << c.Bytes;
        ASSERT_EQ(recs.size(), 3u) << c.Bytes;
        EXPECT_EQ(recs[0].Description(), c.First);
        EXPECT_EQ(recs[2].StartDate, D(2024, 6, 22));
    }
    std::vector<EventRecord> recs;
    EXPECT_FALSE(ParseImportFile(Path("missing.csv"), recs));
    WriteBytes(Path("bad.csv"), "a,20/06/2024\r\nb,20/06/2024,x\r\n");
    EXPECT_FALSE(ParseImportFile(Path("bad.csv"), recs));
    EXPECT_TRUE(recs.empty());
}

TEST_F(ImportLineTest, WrittenFilesAreUtf8WithCrLf) {
    std::string error;
    ASSERT_TRUE(WriteCsvFile(Path("o.csv"), {"caf\xc3\xa9,\xe2\x82\xac", "b"}, true, error));
    EXPECT_EQ(ReadBytes(Path("o.csv")),
              "\"EVENT DESCRIPTION\",\"START DATE\",\"TYPE\",\"SIMPLE\","
              "\"INTERVAL\",\"END DATE\",\"NOTICE PERIOD\",\"KEEP FLAG\","
              "\"RANK\",\"WEEKDAY\"\r\ncaf\xc3\xa9,\xe2\x82\xac\r\nb\r\n");
    ASSERT_TRUE(WriteCsvFile(Path("o.csv"), {"x"}, false, error));
    EXPECT_EQ(ReadBytes(Path("o.csv")), "x\r\n");
    EXPECT_FALSE(WriteCsvFile(Path("none/o.csv"), {"x"}, false, error));
    EXPECT_EQ(error, std::strerror(ENOENT));
}

} // namespace
