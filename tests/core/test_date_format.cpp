#include "core/DateFormat.h"
#include "core/HalvaneDates.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// Friday 7 March 2025, 15:07:09.
const TDateTime kMoment = EncodeDate(2025, 3, 7) + (15 * 3600 + 7 * 60 + 9) / 86400.0;

TDateTime At(int h, int n, int s) {
    return EncodeDate(2025, 3, 7) + (h * 3600 + n * 60 + s) / 86400.0;
}

} // namespace

TEST(FixShortDateFormat, FollowsTheFirstLetterOfTheSystemFormat) {
    struct Case {
        const char* system;
        char sep;
        const char* expected;
    };
    for (const Case c : {Case{"yyyy-MM-dd", '-', "yyyy-mm-dd"}, Case{"d.M.yyyy", '.', "dd.mm.yyyy"},
                         Case{"m/d/yy", '/', "mm/dd/yyyy"}, Case{"", '/', "dd/mm/yyyy"},
                         Case{"'x' M/d", '/', "dd/mm/yyyy"}})
        EXPECT_EQ(FixShortDateFormat(c.system, c.sep), c.expected) << c.system;
}

TEST(FormatDateTime, Patterns) {
    TFormatSettings fs;
    fs.ShortDateFormat = "dd/mm/yyyy";
    struct Case {
        const char* pattern;
        TDateTime d;
        const char* expected;
    };
    for (const Case c : {
             Case{"ddd ddddd", kMoment, "Fri 07/03/2025"},
             Case{"dddddd", kMoment, "Friday, 7 March 2025"},
             Case{"h:nn:ss ampm", kMoment, "3:07:09 PM"},
             Case{"h:nn ampm", At(0, 5, 0), "12:05 AM"},
             Case{"hh:nn AMPM", At(12, 0, 0), "12:00 PM"},
             Case{"hh:mm", kMoment, "15:07"},
             Case{"d/m/y", kMoment, "7/3/25"},
             Case{"dddd d mmm mmmm", kMoment, "Friday 7 Mar March"},
             Case{"DD-MM-YYYY", kMoment, "07-03-2025"},
             Case{"'dd' \"mm\" x", kMoment, "dd mm x"},
             Case{"'unclosed", kMoment, "unclosed"},
             Case{"yyyy", EncodeDate(5, 1, 1), "0005"},
             Case{"hh:nn:ss", EncodeDate(2025, 3, 7) + 0.9999999999, "23:59:59"},
             Case{"dd/mm/yyyy hh:nn", -1.25, "29/12/1899 06:00"},
         })
        EXPECT_EQ(FormatDateTime(c.pattern, c.d, fs), c.expected) << c.pattern;
}

TEST(FormatDateTime, SelfReferenceAndOddValuesEndSafely) {
    TFormatSettings fs;
    fs.ShortDateFormat = "ddddd";
    fs.LongDateFormat = "dddddd";
    EXPECT_EQ(FormatDateTime("ddddd|dddddd", kMoment, fs), "|");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn ddd", nan), "1899-12-30 00:00 Sat");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn ddd", inf), "9999-12-31 00:00 Fri");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", -inf), "0001-01-01");
}

// The date itself is refused through its readers: a day its month has not,
// year 0, month 13 here; year 10000 and day 0 in the date strings' table.
TEST(DateText, IsoDates) {
    EXPECT_EQ(IsoDate(EncodeDate(1, 1, 1)), "0001-01-01");
    struct Case {
        const char* text;
        TDateTime expected;
    };
    for (const Case c :
         {Case{"2024-02-29", EncodeDate(2024, 2, 29)}, Case{"2025-02-29", 0},
          Case{"9999-12-31", EncodeDate(9999, 12, 31)}, Case{"0000-01-01", 0}, Case{"2025-1-01", 0},
          Case{"2025-13-01", 0}, Case{"2025-01-011", 0}, Case{"20a5-01-01", 0}, Case{"", 0}}) {
        TDateTime out = 123; // kept when refused
        EXPECT_EQ(TryParseIsoDate(c.text, out), c.expected != 0) << c.text;
        EXPECT_EQ(out, c.expected != 0 ? c.expected : 123) << c.text;
    }
}
