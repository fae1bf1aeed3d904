#include "core/Clock.h"
#include "core/DateFormat.h"
#include "core/HalvaneDates.h"
#include "core/Messages.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <ctime>
#include <limits>
#include <vector>

using namespace std::chrono;

namespace {

TDateTime D(int y, int m, int d) {
    return EncodeDate(y, m, d);
}

// Independent reference: chrono's own month arithmetic, the day clamped to
// the month's end.
TDateTime RefAddMonths(int n, TDateTime d) {
    const year_month_day ymd{ToSysDays(d)};
    const year_month ym = year_month{ymd.year(), ymd.month()} + months{n};
    const day last = year_month_day_last{ym.year(), month_day_last{ym.month()}}.day();
    return FromSysDays(sys_days{ym / std::min(ymd.day(), last)});
}

TDateTime RefAddYears(int n, TDateTime d) {
    return RefAddMonths(12 * n, d);
}

// Week number as "the week holding the fourth day after the week's start
// belongs to that day's year": a definition independent of the offset table.
int RefWeek(int firstDay, TDateTime d) {
    const sys_days sd = ToSysDays(d);
    const int dow0 = static_cast<int>(weekday{sd}.c_encoding());
    const sys_days mid = sd - days{(dow0 - firstDay + 7) % 7} + days{3};
    const year_month_day ymd{mid};
    const sys_days jan1{ymd.year() / January / 1};
    return static_cast<int>((mid - jan1).count() / 7 + 1);
}

std::vector<TDateTime> WeekdaysOfMonth(int y, int m, int dow) {
    std::vector<TDateTime> out;
    for (int d = 1; d <= DaysInMonth(m, y); ++d) {
        if (dow == 0 ? IsWeekDay(D(y, m, d)) : DayOfWeek(D(y, m, d)) == dow) {
            out.push_back(D(y, m, d));
        }
    }
    return out;
}

class DatesTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = FormatSettings();
        FixToday(D(2025, 6, 15) + 0.5);
    }
    void TearDown() override {
        SetFormatSettings(saved_);
        SetClockSource({});
    }
    TFormatSettings saved_;
};

} // namespace

TEST(DateTime, DayNumberTruncatesTowardZeroAndSaturates) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(DayNumber(2.9), 2);
    EXPECT_EQ(DayNumber(-1.5), -1);
    EXPECT_EQ(DayNumber(-0.5), 0);
    EXPECT_EQ(DayNumber(nan), 0);
    EXPECT_GT(DayNumber(inf), 1'000'000'000'000LL);
    EXPECT_LT(DayNumber(-inf), -1'000'000'000'000LL);
    EXPECT_GT(DayNumber(1e300), 0);
    EXPECT_EQ(DateOf(45000.75), 45000.0);
}

TEST(DateTime, EncodeDecodeRoundTripOverTheWholeRange) {
    EXPECT_EQ(D(1899, 12, 30), 0.0);
    EXPECT_EQ(D(1970, 1, 1), kUnixEpochDay);
    EXPECT_EQ(D(1, 1, 1), -693593.0);
    EXPECT_EQ(D(9999, 12, 31), 2958465.0);
    for (long long n = -693593; n <= 2958465; n += 997) {
        const TYmd ymd = DecodeDate(static_cast<TDateTime>(n));
        EXPECT_EQ(D(ymd.Year, ymd.Month, ymd.Day), static_cast<TDateTime>(n));
    }
    const TYmd withTime = DecodeDate(-1.25); // 29 December 1899, 6:00
    EXPECT_EQ(withTime.Day, 29);
}

TEST(DateTime, InvalidDatesAreRefused) {
    struct Case {
        int y, m, d;
    };
    for (const Case c :
         {Case{2025, 2, 29}, Case{0, 1, 1}, Case{10000, 1, 1}, Case{2025, 13, 1}, Case{2025, 0, 1},
          Case{2025, 4, 31}, Case{2025, 1, 0}, Case{2025, 1, -5}, Case{INT_MIN, 1, 1}}) {
        TDateTime out = 123;
        EXPECT_FALSE(TryEncodeDate(c.y, c.m, c.d, out)) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(out, 123);
    }
    try {
        EncodeDate(2025, 2, 29);
        FAIL() << "no error";
    } catch (const TTickwellError& e) {
        EXPECT_STREQ(e.what(), "Invalid date");
    }
}

TEST(DateTime, OutOfRangeValuesDecodeClampedAndAreInvalid) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        TDateTime d;
        int y, m, day;
        bool valid;
    };
    for (const Case c : {Case{inf, 9999, 12, 31, false}, Case{-inf, 1, 1, 1, false},
                         Case{nan, 1899, 12, 30, false}, Case{1e300, 9999, 12, 31, false},
                         Case{2958466.0, 9999, 12, 31, false}, Case{2958465.9, 9999, 12, 31, true},
                         Case{-693593.5, 1, 1, 1, true}, Case{-693594.0, 1, 1, 1, false}}) {
        const TYmd ymd = DecodeDate(c.d);
        EXPECT_EQ(ymd.Year, c.y) << c.d;
        EXPECT_EQ(ymd.Month, c.m) << c.d;
        EXPECT_EQ(ymd.Day, c.day) << c.d;
        EXPECT_EQ(IsValidDateValue(c.d), c.valid) << c.d;
        DayOfWeek(c.d); // must not trap
    }
}

TEST(Clock, FixedAndSystemClock) {
    FixToday(D(2025, 3, 7) + 0.75);
    EXPECT_EQ(Today(), D(2025, 3, 7));
    EXPECT_DOUBLE_EQ(Now(), D(2025, 3, 7) + 0.75);
    SetClockSource({});
    // The system clock answers the local date of time(): the same day, barring
    // a midnight between the two readings.
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    const TDateTime expected = D(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
                               (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) / 86400.0;
    EXPECT_NEAR(Now(), expected, 5.0 / 86400);
    EXPECT_EQ(Today(), std::trunc(Now()));
}

TEST(HalvaneDates, AddMonthsEdgeCases) {
    struct Case {
        int n;
        TDateTime from, to;
    };
    for (const Case c :
         {Case{1, D(2025, 1, 31), D(2025, 2, 28)}, Case{1, D(2024, 1, 31), D(2024, 2, 29)},
          Case{-1, D(2025, 3, 31), D(2025, 2, 28)}, Case{13, D(2025, 12, 15), D(2027, 1, 15)},
          Case{-13, D(2027, 1, 15), D(2025, 12, 15)}, Case{-12, D(2025, 1, 15), D(2024, 1, 15)},
          Case{11, D(2025, 2, 1), D(2026, 1, 1)}, Case{-1, D(1, 2, 1), D(1, 1, 1)}}) {
        EXPECT_EQ(AddMonths(c.n, c.from), c.to) << c.n << " " << IsoDate(c.from);
    }
    const TDateTime withTime = D(2025, 5, 10) + 0.25;
    EXPECT_EQ(AddMonths(0, withTime), withTime);
    EXPECT_EQ(AddMonths(1, withTime), D(2025, 6, 10));
    EXPECT_THROW(AddMonths(1, D(9999, 12, 1)), TTickwellError);
    EXPECT_THROW(AddMonths(INT_MIN, D(2025, 1, 1)), TTickwellError);
}

TEST(HalvaneDates, AddYearsEdgeCases) {
    EXPECT_EQ(AddYears(1, D(2024, 2, 29)), D(2025, 2, 28));
    EXPECT_EQ(AddYears(4, D(2024, 2, 29)), D(2028, 2, 29));
    EXPECT_EQ(AddYears(-100, D(2000, 2, 29)), D(1900, 2, 28));
    EXPECT_EQ(AddYears(0, D(2025, 5, 10) + 0.25), D(2025, 5, 10));
    EXPECT_THROW(AddYears(INT_MAX, D(2025, 1, 1)), TTickwellError);
    EXPECT_THROW(AddYears(1, D(9999, 1, 1)), TTickwellError);
}

TEST(HalvaneDates, MonthAndYearArithmeticMatchesChrono) {
    for (TDateTime d = D(1999, 11, 1); d <= D(2001, 3, 31); d += 1) {
        for (int n = -30; n <= 30; ++n) {
            ASSERT_EQ(AddMonths(n, d), RefAddMonths(n, d)) << n << " " << IsoDate(d);
        }
        for (int n = -5; n <= 5; ++n) {
            ASSERT_EQ(AddYears(n, d + 0.5), RefAddYears(n, d)) << n << " " << IsoDate(d);
        }
        const year_month_day ymd{ToSysDays(d)};
        const year_month_day_last last{ymd.year(), month_day_last{ymd.month()}};
        EXPECT_EQ(FirstDayOfMonth(d + 0.5), FromSysDays(sys_days{ymd.year() / ymd.month() / 1}));
        EXPECT_EQ(LastDayOfMonth(d + 0.5), FromSysDays(sys_days{last}));
        EXPECT_EQ(DaysInMonthOf(d), static_cast<int>(static_cast<unsigned>(last.day())));
        EXPECT_EQ(AddDays(3, d + 0.5), d + 3.5);
        EXPECT_EQ(AddWeeks(-2, d + 0.5), d - 13.5);
    }
}

TEST(HalvaneDates, CalendarFacts) {
    struct Leap {
        int year;
        bool leap;
    };
    for (const Leap c :
         {Leap{1900, false}, Leap{2000, true}, Leap{2024, true}, Leap{2100, false},
          Leap{2025, false}, Leap{1600, true}, Leap{-4, true}, Leap{INT_MAX, false}}) {
        EXPECT_EQ(IsLeapYear(c.year), c.leap) << c.year;
    }
    EXPECT_EQ(DaysInMonth(2, 2024), 29);
    EXPECT_EQ(DaysInMonth(2, 1900), 28);
    EXPECT_EQ(DaysInMonth(12, 2025), 31);
    EXPECT_EQ(DaysInMonth(13, 2025), 0);
    EXPECT_EQ(QuarterOf(D(2025, 3, 31)), 1);
    EXPECT_EQ(QuarterOf(D(2025, 4, 1)), 2);
    EXPECT_EQ(QuarterOf(D(2025, 12, 31)), 4);
    EXPECT_TRUE(SameMonth(D(2025, 3, 5), D(2026, 3, 9)));
    EXPECT_FALSE(SameMonth(D(2025, 3, 5), D(2025, 4, 5)));
    EXPECT_TRUE(SameYear(D(2025, 1, 1), D(2025, 12, 31)));
    EXPECT_FALSE(SameMonthAndYear(D(2025, 3, 5), D(2026, 3, 9)));
    EXPECT_TRUE(SameMonthAndYear(D(2025, 3, 5), D(2025, 3, 31) + 0.99));
    EXPECT_EQ(DayOf(D(2025, 3, 5) + 0.5), 5);
    EXPECT_EQ(MonthOf(D(2025, 3, 5)), 3);
    EXPECT_EQ(YearOf(D(2025, 3, 5)), 2025);
}

TEST(HalvaneDates, WorkingDays) {
    const TDateTime fri = D(2025, 1, 31);
    const TDateTime sat = D(2025, 2, 1);
    const TDateTime sun = D(2025, 2, 2);
    const TDateTime mon = D(2025, 2, 3);
    EXPECT_EQ(NextWorkingDay(fri + 0.5), mon);
    EXPECT_EQ(NextWorkingDay(sat), mon);
    EXPECT_EQ(NextWorkingDay(mon), mon + 1);
    EXPECT_EQ(PrevWorkingDay(mon), fri);
    EXPECT_EQ(PrevWorkingDay(sun + 0.5), fri);
    EXPECT_EQ(AddWorkingDays(1, sat), mon);
    EXPECT_EQ(AddWorkingDays(-1, sun), fri);
    EXPECT_EQ(AddWorkingDays(0, sun + 0.5), sun);
    EXPECT_EQ(AddWorkingDays(5, fri), D(2025, 2, 7));
    EXPECT_EQ(AddWorkingDays(-6, mon), D(2025, 1, 24));
    EXPECT_TRUE(IsWeekDay(fri));
    EXPECT_FALSE(IsWeekDay(sat));
    EXPECT_FALSE(IsWeekDay(sun));
    EXPECT_TRUE(IsNonWorkingDay(sat + 0.5));
    EXPECT_FALSE(IsNonWorkingDay(mon));
    EXPECT_FALSE(IsHoliday(mon));
}

TEST_F(DatesTest, HolidayListIsReadInTheShortDateFormat) {
    const std::vector<std::string> holidays{"not a date", "03/02/2025"};
    THalvaneDates helpers;
    EXPECT_FALSE(helpers.IsHoliday(D(2025, 2, 3)));
    helpers.HolidayStringList = &holidays;
    EXPECT_TRUE(helpers.IsHoliday(D(2025, 2, 3) + 0.5));
    EXPECT_FALSE(helpers.IsHoliday(D(2025, 2, 4)));
}

TEST(HalvaneDates, WeekOfYear) {
    EXPECT_EQ(WeekOfYear(1, D(2021, 1, 1)), 53);
    EXPECT_EQ(WeekOfYear(1, D(2024, 12, 31)), 1);
    EXPECT_EQ(WeekOfYear(1, D(2026, 1, 4)), 1);
    EXPECT_EQ(WeekOfYear(1, D(2020, 12, 31)), 53);
    EXPECT_EQ(WeekOfYear(0, D(2025, 1, 1)), 1);
    for (int firstDay = 0; firstDay < 7; ++firstDay) {
        for (TDateTime d = D(1995, 12, 1); d <= D(2030, 1, 31); d += 1) {
            ASSERT_EQ(WeekOfYear(firstDay, d + 0.5), RefWeek(firstDay, d))
                << firstDay << " " << IsoDate(d);
        }
    }
    // The neighbouring years of the range's ends are looked at, not refused.
    EXPECT_EQ(WeekOfYear(1, D(1, 1, 1)), 1);
    EXPECT_EQ(WeekOfYear(1, D(9999, 12, 31)), 52);
}

TEST(HalvaneDates, NthWorkingDayMatchesTheMonthsWorkingDays) {
    const TDateTime midMonth = D(2025, 5, 14) + 0.5;
    EXPECT_EQ(NthWorkingDay(0, midMonth), midMonth);
    for (int y = 2024; y <= 2026; ++y) {
        for (int m = 1; m <= 12; ++m) {
            const std::vector<TDateTime> work = WeekdaysOfMonth(y, m, 0);
            EXPECT_EQ(LastWorkingDay(D(y, m, 1)), work.back());
            for (int n = 1; n <= 30; ++n) {
                const TDateTime expected =
                    n <= static_cast<int>(work.size()) ? work[n - 1] : work.back();
                EXPECT_EQ(NthWorkingDay(n, D(y, m, 17)), expected) << y << "-" << m << " " << n;
            }
            EXPECT_EQ(NthWorkingDay(INT_MAX, D(y, m, 1)), work.back());
            EXPECT_EQ(NthWorkingDay(-3, D(y, m, 1)), work.front());
        }
    }
    EXPECT_EQ(LastWorkingDay(D(9999, 12, 1)), D(9999, 12, 31));
}

TEST(HalvaneDates, NthWeekdayOfMonthMatchesTheMonthsDays) {
    EXPECT_EQ(NthWeekdayOfMonth(4, 6, D(2025, 1, 1)), D(2025, 1, 31));
    EXPECT_EQ(NthWeekdayOfMonth(0, 2, D(2025, 1, 20)), D(2025, 1, 6));
    for (int m = 1; m <= 12; ++m) {
        for (int dow = 1; dow <= 7; ++dow) {
            const std::vector<TDateTime> days = WeekdaysOfMonth(2025, m, dow);
            for (int rank = -1; rank <= 6; ++rank) {
                TDateTime expected = days.front();
                if (rank >= 0 && rank <= 3) {
                    expected = days[rank];
                } else if (rank == 4) {
                    expected = days.back();
                }
                EXPECT_EQ(NthWeekdayOfMonth(rank, dow, D(2025, m, 9) + 0.5), expected)
                    << m << " " << dow << " " << rank;
            }
        }
    }
    for (const int bad : {0, 8, -1, INT_MAX}) {
        EXPECT_EQ(NthWeekdayOfMonth(4, bad, D(2025, 3, 9)), D(2025, 3, 1));
    }
}

TEST_F(DatesTest, IsValidDateStringDayMonthYear) {
    FormatSettings().ShortDateFormat = "dd/mm/yyyy";
    FormatSettings().DateSeparator = '/';
    struct Case {
        const char* text;
        TDateTime expected; // 0: not valid
    };
    for (const Case c : {Case{"31/12/99", D(1999, 12, 31)},
                         Case{"31/02/2025", 0},
                         Case{"25/12", D(2025, 12, 25)},
                         Case{"12/25", 0},
                         Case{"25/12/2025x", 0},
                         Case{"  25/12/2025  ", D(2025, 12, 25)},
                         Case{"25/12/20255", 0},
                         Case{"25 / 12 /2025", D(2025, 12, 25)},
                         Case{"29/02/2024", D(2024, 2, 29)},
                         Case{"29/02/2023", 0},
                         Case{"1/1/1", D(1901, 1, 1)},
                         Case{"1/1/100", D(100, 1, 1)},
                         Case{"01/01/10000", 0},
                         Case{"0/12/2025", 0},
                         Case{"", 0},
                         Case{"25", 0},
                         Case{"25/", 0},
                         Case{"25/12/", 0},
                         Case{"25-12-2025", 0},
                         Case{"/12/2025", 0},
                         Case{"25/12/2025/1", 0}}) {
        TDateTime out = 0;
        EXPECT_EQ(IsValidDateString(c.text), c.expected != 0) << '"' << c.text << '"';
        EXPECT_EQ(TryStrToDate(c.text, out), c.expected != 0) << '"' << c.text << '"';
        if (c.expected != 0) {
            EXPECT_EQ(out, c.expected) << '"' << c.text << '"';
        }
    }
}

TEST_F(DatesTest, IsValidDateStringFollowsOrderAndSeparator) {
    struct Case {
        const char* format;
        char sep;
        const char* text;
        TDateTime expected;
    };
    for (const Case c :
         {Case{"mm/dd/yyyy", '/', "12/25/2025", D(2025, 12, 25)},
          Case{"M/d/yy", '/', "12/25", D(2025, 12, 25)}, Case{"MM/dd", '/', "25/12", 0},
          Case{"yyyy-mm-dd", '-', "2025-12-25", D(2025, 12, 25)},
          Case{"yyyy-mm-dd", '-', "12-25", D(2025, 12, 25)},
          Case{"YYYY-MM-DD", '-', "99-1-2", D(1999, 1, 2)},
          Case{"dd.mm.yyyy", '.', "25.12.2025", D(2025, 12, 25)},
          Case{"dd.mm.yyyy", '.', "25/12/2025", 0},
          Case{"x", '/', "12/25/2025", D(2025, 12, 25)}}) {
        FormatSettings().ShortDateFormat = c.format;
        FormatSettings().DateSeparator = c.sep;
        TDateTime out = 0;
        EXPECT_EQ(IsValidDateString(c.text), c.expected != 0) << c.format << " " << c.text;
        if (c.expected != 0) {
            EXPECT_TRUE(TryStrToDate(c.text, out));
            EXPECT_EQ(out, c.expected) << c.format << " " << c.text;
        }
    }
}
