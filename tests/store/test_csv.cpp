#include "StoreTestSupport.h"
#include "store/Csv.h"

namespace {

using namespace storetest;

using Values = std::vector<std::string>;

// Values end at commas and blanks outside quotes; records end at any line
// end outside quotes, and a quoted value keeps the line ends it runs over
// (the error texts check the line numbers).
TEST(SplitCsvRecords, ReadingRules) {
    using Records = std::vector<Values>;
    const std::pair<std::string, Records> cases[] = {
        {"  \t a , b", {{"a", "b"}}},
        {"a,,b", {{"a", "", "b"}}},
        {"\"x, y\",z", {{"x, y", "z"}}},
        {"\"say \"\"hi\"\"\",1", {{"say \"hi\"", "1"}}},
        {"one two,3", {{"one", "two", "3"}}},
        {"\"abc\"def,x", {{"abc", "def", "x"}}},
        {"a\1b\37c", {{"a", "b", "c"}}},
        {",", {{""}}},
        {std::string("a\0b,c", 5), {{"a"}}},
        {"a\r\nb\nc\rd", {{"a"}, {"b"}, {"c"}, {"d"}}},
        {"a\r\n\r\nb\r\n", {{"a"}, {}, {"b"}}},
        {"\"two\r\nlines\",1\r\nx,2", {{"two\r\nlines", "1"}, {"x", "2"}}},
        {"\"lone\rcr\",1\nx,2", {{"lone\rcr", "1"}, {"x", "2"}}},
        {"\"never closed,1\r\nx,2", {{"never closed,1"}, {"x", "2"}}},
        {"a,\r\n,b", {{"a"}, {"", "b"}}},
        {"", {}},
    };
    for (const auto& [text, expected] : cases) {
        Records values;
        for (const TCsvRecord& r : SplitCsvRecords(text))
            values.push_back(r.Values);
        EXPECT_EQ(values, expected) << text;
    }
}

class ImportLineTest : public StoreTest {};

// Text of code points below U+0100 as UTF-16 after a byte-order mark.
std::string Utf16(const std::string& bom, bool bigEndian, const std::u16string& text) {
    std::string out = bom;
    for (char16_t c : text) {
        const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    }
    return out;
}

// Missing and empty values take their defaults; numbers keep their low bits.
TEST_F(ImportLineTest, ValuesAndTheirDefaults) {
    const std::pair<std::string, std::string> cases[] = {
        {"Dentist,20/06/2024", "Dentist,20/06/2024,0,T,1,30/12/1899,7,F,0,0 no end"},
        {"Dentist,20/06/2024,,,,,,,,,", "Dentist,20/06/2024,0,T,1,30/12/1899,7,T,0,5 no end"},
        {"\"Board, monthly\",01/02/2024,258,f,3,31/12/2030,70000,t,-1,6,extra",
         "\"Board, monthly\",01/02/2024,2,F,3,31/12/2030,4464,T,-1,6"},
        {"x,01/02/2024,0,true,1,30/12/1899,7,yes", "x,01/02/2024,0,T,1,30/12/1899,7,F,0,0 no end"},
        {"x,01/02/2024,0,False,1,01/03/2024,7,Tomorrow", "x,01/02/2024,0,F,1,01/03/2024,7,T,0,0"},
    };
    for (const auto& [line, expected] : cases) {
        EventRecord r;
        ASSERT_EQ(ParseImportLine(line, r), TImportLine::Event) << line;
        EXPECT_EQ(TTickwellItem(r).ToCsvLine() + (r.NoEndPoint ? " no end" : ""), expected);
    }
}

// A line of words, and a notice that cannot be read, are the failed
// import's test.
TEST_F(ImportLineTest, SkippedAndFailingLines) {
    struct {
        const char* Line;
        TImportLine Expected;
    } cases[] = {
        {"\"EVENT DESCRIPTION\",\"START DATE\",\"TYPE\",\"SIMPLE\"", TImportLine::Skipped},
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
        {Utf16("\xfe\xff", true, u"\"Caf\u00e9\",20/06/2024\r\nB,21/06/2024\r\nC,22/06/2024"),
         "Caf\xc3\xa9"},
        {Utf16("\xff\xfe", false, u"\"Caf\u00e9\",20/06/2024\nB,21/06/2024\nC,22/06/2024"),
         "Caf\xc3\xa9"},
    };
    for (const auto& c : cases) {
        WriteBytes(Path("in.csv"), c.Bytes);
        std::vector<EventRecord> recs;
        ASSERT_TRUE(ParseImportFile(Path("in.csv"), recs)) << c.Bytes;
        ASSERT_EQ(recs.size(), 3u) << c.Bytes;
        EXPECT_EQ(recs[0].Description(), c.First);
        EXPECT_EQ(recs[2].StartDate, D(2024, 6, 22));
    }
}

// Any script is kept as written, cut after 255 characters however many
// bytes each takes.
TEST_F(ImportLineTest, AnyScriptIsKeptAndCutAt255Characters) {
    const auto times = [](const std::string& c, int n) {
        std::string out;
        for (int i = 0; i < n; ++i)
            out += c;
        return out;
    };
    const std::pair<std::string, std::string> cases[] = {
        {"Γενέθλια 生日 🎂", "Γενέθλια 生日 🎂"},
        {times("Ж", 300), times("Ж", 255)},
        {times("生", 254) + "🎂🎂", times("生", 254) + "🎂"},
        {times("e", 254) + "\xc3\xa9\xc3\xa9", times("e", 254) + "\xc3\xa9"},
    };
    for (const auto& [text, kept] : cases) {
        EventRecord r;
        ASSERT_EQ(ParseImportLine("\"" + text + "\",20/06/2024", r), TImportLine::Event) << text;
        EXPECT_EQ(r.Description(), kept);
    }
}

// All or nothing, and the user is told which line and why.
TEST_F(ImportLineTest, UnreadableFilesNameTheLine) {
    struct {
        std::string Bytes;
        std::string Why;
    } cases[] = {
        {"a,20/06/2024\r\nb,20/06/2024,x\r\n", "Line 2: the type \"x\" cannot be read"},
        {"\"a\r\nb\",20/06/2024\r\nc,20/06/2024,0,T,1,soon",
         "Line 3: the end date \"soon\" cannot be read"},
        {"x,20/06/2024\r\n\"oops,20/06/2024\r\ny,\"21/06/2024\"\r\n",
         "Line 2: the quoted text starting here runs to line 3 and leaves no event"},
        {"\"a\x07\",20/06/2024\r\n",
         "Line 1: holds the control character U+0007, which a description cannot hold"},
    };
    for (const auto& c : cases) {
        WriteBytes(Path("bad.csv"), c.Bytes);
        std::vector<EventRecord> recs;
        std::string error;
        EXPECT_FALSE(ParseImportFile(Path("bad.csv"), recs, &error)) << c.Bytes;
        EXPECT_EQ(error, "Import Error\n" + c.Why + ": " + Path("bad.csv"));
        EXPECT_TRUE(recs.empty());
    }
}

} // namespace
