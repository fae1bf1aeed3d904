#include "core/Clock.h"
#include "core/DateFormat.h"
#include "core/HalvaneDates.h"
#include "core/Messages.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <ctime>
#include <limits>

using namespace std::chrono;

namespace {

constexpr auto D = &EncodeDate;

// Independent reference: chrono's own month arithmetic, the day clamped to
// the month's end.
TDateTime RefAddMonths(int n, TDateTime d) {
    const year_month_day ymd{ToSysDays(d)};
    const year_month ym = year_month{ymd.year(), ymd.month()} + months{n};
    const day last = year_month_day_last{ym.year(), month_day_last{ym.month()}}.day();
    return FromSysDays(sys_days{ym / std::min(ymd.day(), last)});
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
    EXPECT_EQ(DayNumber(-1.5), -1);
    EXPECT_EQ(DayNumber(nan), 0);
    EXPECT_GT(DayNumber(inf), 1'000'000'000'000LL);
    EXPECT_LT(DayNumber(-inf), -1'000'000'000'000LL);
}

TEST(DateTime, EncodeDecodeRoundTripOverTheWholeRange) {
    EXPECT_EQ(D(1899, 12, 30), 0.0);
    EXPECT_EQ(D(1, 1, 1), -693593.0);
    EXPECT_EQ(D(9999, 12, 31), 2958465.0);
    for (long long n = -693593; n <= 2958465; n += 997) {
        const TYmd ymd = DecodeDate(static_cast<TDateTime>(n));
        EXPECT_EQ(D(ymd.Year, ymd.Month, ymd.Day), static_cast<TDateTime>(n));
    }
    EXPECT_EQ(DecodeDate(-1.25).Day, 29); // 29 December 1899, 6:00
}

TEST(Clock, SystemClockIsLocalTime) {
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

// The range ends and the time of day, which the comparison with chrono below
// does not reach.
TEST(HalvaneDates, MonthAndYearArithmeticAtTheEdges) {
    const TDateTime withTime = D(2025, 5, 10) + 0.25;
    EXPECT_EQ(AddMonths(0, withTime), withTime);
    EXPECT_EQ(AddMonths(1, withTime), D(2025, 6, 10));
    EXPECT_EQ(AddMonths(-1, D(1, 2, 1)), D(1, 1, 1));
    EXPECT_EQ(AddYears(-100, D(2000, 2, 29)), D(1900, 2, 28));
    EXPECT_THROW(AddMonths(1, D(9999, 12, 1)), TTickwellError);
    EXPECT_THROW(AddMonths(INT_MIN, D(2025, 1, 1)), TTickwellError);
    EXPECT_THROW(AddYears(INT_MAX, D(2025, 1, 1)), TTickwellError);
    EXPECT_THROW(AddYears(1, D(9999, 1, 1)), TTickwellError);
}

TEST(HalvaneDates, MonthAndYearArithmeticMatchesChrono) {
    for (TDateTime d = D(1999, 11, 1); d <= D(2001, 3, 31); d += 1) {
        for (int n = -30; n <= 30; ++n)
            ASSERT_EQ(AddMonths(n, d), RefAddMonths(n, d)) << n << " " << IsoDate(d);
        for (int n = -5; n <= 5; ++n)
            ASSERT_EQ(AddYears(n, d + 0.5), RefAddMonths(12 * n, d)) << n << " " << IsoDate(d);
        const year_month_day ymd{ToSysDays(d)};
        const year_month_day_last last{ymd.year(), month_day_last{ymd.month()}};
        EXPECT_EQ(FirstDayOfMonth(d + 0.5), FromSysDays(sys_days{ymd.year() / ymd.month() / 1}));
        EXPECT_EQ(LastDayOfMonth(d + 0.5), FromSysDays(sys_days{last}));
        EXPECT_EQ(DaysInMonthOf(d), static_cast<int>(static_cast<unsigned>(last.day())));
    }
}

TEST(HalvaneDates, CalendarFacts) {
    EXPECT_FALSE(IsLeapYear(1900)); // 2000 is the comparison with chrono's
    EXPECT_EQ(DaysInMonth(13, 2025), 0);
    EXPECT_THROW(EncodeDate(2025, 2, 29), TTickwellError);
    EXPECT_FALSE(SameMonthAndYear(D(2025, 3, 5), D(2026, 3, 9)));
    EXPECT_TRUE(SameMonthAndYear(D(2025, 3, 5), D(2025, 3, 31) + 0.99));
}

// Stepping forwards over working days is the comparison with stepping's
// (the n-th working day); these are the steps it never takes.
TEST(HalvaneDates, WorkingDays) {
    const TDateTime fri = D(2025, 1, 31);
    EXPECT_EQ(PrevWorkingDay(fri + 2.5), fri);
    EXPECT_EQ(AddWorkingDays(0, fri + 2.5), fri + 2);
    EXPECT_EQ(AddWorkingDays(-6, fri + 3), D(2025, 1, 24));
    EXPECT_TRUE(IsNonWorkingDay(fri + 2.5));
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
    for (int firstDay = 0; firstDay < 7; ++firstDay)
        for (TDateTime d = D(1995, 12, 1); d <= D(2030, 1, 31); d += 1)
            ASSERT_EQ(WeekOfYear(firstDay, d + 0.5), RefWeek(firstDay, d))
                << firstDay << " " << IsoDate(d);
    // The neighbouring years of the range's ends are looked at, not refused.
    EXPECT_EQ(WeekOfYear(1, D(1, 1, 1)), 1);
    EXPECT_EQ(WeekOfYear(1, D(9999, 12, 31)), 52);
}

// The ranks and weekdays the random events of the comparison with stepping
// use are checked there; these are the ones they never have.
TEST(HalvaneDates, NthDayOfMonthOutsideTheUsualRanks) {
    const TDateTime midMonth = D(2025, 5, 14) + 0.5;
    EXPECT_EQ(NthWorkingDay(0, midMonth), midMonth);
    EXPECT_EQ(NthWorkingDay(INT_MAX, D(2025, 5, 1)), D(2025, 5, 30));
    EXPECT_EQ(LastWorkingDay(D(9999, 12, 1)), D(9999, 12, 31));
    for (const int bad : {0, 8})
        EXPECT_EQ(NthWeekdayOfMonth(4, bad, D(2025, 3, 9)), D(2025, 3, 1));
}

TEST_F(DatesTest, DateStringsFollowTheFormatsOrderAndSeparator) {
    struct Case {
        const char* format;
        char sep;
        const char* text;
        TDateTime expected;
    };
    const Case valid[] = {{"dd/mm/yyyy", '/', "31/12/99", D(1999, 12, 31)},
                          {"dd/mm/yyyy", '/', "25/12", D(2025, 12, 25)},
                          {"dd/mm/yyyy", '/', " 25 / 12 /2025 ", D(2025, 12, 25)},
                          {"dd/mm/yyyy", '/', "1/1/100", D(100, 1, 1)},
                          {"M/d/yy", '/', "12/25", D(2025, 12, 25)},
                          {"yyyy-mm-dd", '-', "12-25", D(2025, 12, 25)},
                          {"x", '/', "12/25/2025", D(2025, 12, 25)}};
    for (const Case& c : valid) {
        FormatSettings().ShortDateFormat = c.format;
        FormatSettings().DateSeparator = c.sep;
        TDateTime out = 0;
        EXPECT_TRUE(TryStrToDate(c.text, out)) << c.format << " " << c.text;
        EXPECT_EQ(out, c.expected) << c.format << " " << c.text;
    }
    FormatSettings().ShortDateFormat = "dd/mm/yyyy";
    FormatSettings().DateSeparator = '/';
    for (const char* bad : {"31/02/2025", "12/25", "25/12/2025x", "01/01/10000", "0/12/2025", "",
                            "25", "25/12/", "25-12-2025", "/12/2025", "25/12/2025/1"}) {
        TDateTime out = 0;
        EXPECT_FALSE(TryStrToDate(bad, out)) << bad;
    }
}
