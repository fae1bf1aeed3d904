#include "core/HalvaneDates.h"
#include "core/Clock.h"
#include "core/DateFormat.h"
#include "core/Messages.h"

#include "core/TrNoop.h"
#include <algorithm>

namespace {

// A month has at most 23 working days, so any higher rank lands on the last.
constexpr int kMaxWorkingDayRank = 23;

// Guards the stepping loops against a holiday list that leaves no working day.
constexpr int kMaxWorkingDaySteps = 3660;

TDateTime EncodeChecked(long long year, int month, int day) {
    if (year < kMinYear || year > kMaxYear) {
        throw TTickwellError(TW_TRANSLATE_NOOP("Messages", "Invalid date"));
    }
    const int len = DaysInMonth(month, static_cast<int>(year));
    return EncodeDate(static_cast<int>(year), month, std::min(day, len));
}

// 1 January of any year as a day count, without the 1..9999 limit, so the
// week number can look one year past either end of the range.
long long JanFirst(int y) {
    using namespace std::chrono;
    const sys_days d{year{y} / January / 1};
    return d.time_since_epoch().count() + kUnixEpochDay;
}

int WeekDay0(long long dayNumber) {
    return DayOfWeek(static_cast<TDateTime>(dayNumber)) - 1;
}

// Steps 1..3 of the week number, without the corrections at the year's ends.
int RawWeek(int firstDay, int y, long long dayNumber) {
    const long long j = JanFirst(y);
    const int k = ((WeekDay0(j) - firstDay) % 7 + 7) % 7;
    const int offset = k <= 3 ? 7 + k : k;
    return static_cast<int>((dayNumber - j + offset) / 7);
}

} // namespace

bool THalvaneDates::IsHoliday(TDateTime d) const {
    if (HolidayStringList == nullptr) {
        return false;
    }
    const TDateTime day = DateOf(d);
    for (const std::string& text : *HolidayStringList) {
        TDateTime h = 0;
        if (TryStrToDate(text, h) && h == day) {
            return true;
        }
    }
    return false;
}

THalvaneDates& DateHelpers() {
    static THalvaneDates instance;
    return instance;
}

TDateTime AddDays(int n, TDateTime d) {
    return d + n;
}

TDateTime AddWeeks(int n, TDateTime d) {
    return d + 7.0 * n;
}

TDateTime AddMonths(int n, TDateTime d) {
    if (n == 0) {
        return d;
    }
    const TYmd ymd = DecodeDate(d);
    long long year = ymd.Year + n / 12;
    int month = ymd.Month + n % 12;
    if (n > 0 && month > 12) {
        ++year;
        month -= 12;
    } else if (n < 0 && month < 1) {
        --year;
        month += 12;
    }
    return EncodeChecked(year, month, ymd.Day);
}

TDateTime AddYears(int n, TDateTime d) {
    const TYmd ymd = DecodeDate(d);
    return EncodeChecked(static_cast<long long>(ymd.Year) + n, ymd.Month, ymd.Day);
}

TDateTime FirstDayOfMonth(TDateTime d) {
    const TYmd ymd = DecodeDate(d);
    return EncodeDate(ymd.Year, ymd.Month, 1);
}

TDateTime LastDayOfMonth(TDateTime d) {
    const TYmd ymd = DecodeDate(d);
    return EncodeDate(ymd.Year, ymd.Month, DaysInMonth(ymd.Month, ymd.Year));
}

int DaysInMonth(int month, int year) {
    namespace ch = std::chrono;
    if (month < 1 || month > 12) {
        return 0;
    }
    // Any int year is fine here: only its leap-ness matters.
    const ch::year_month_day_last last{ch::year{IsLeapYear(year) ? 2000 : 2001},
                                       ch::month_day_last{ch::month{static_cast<unsigned>(month)}}};
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

int DaysInMonthOf(TDateTime d) {
    const TYmd ymd = DecodeDate(d);
    return DaysInMonth(ymd.Month, ymd.Year);
}

bool IsLeapYear(int year) {
    // chrono::year holds -32767..32767; the rule repeats every 400 years.
    return std::chrono::year{year % 400}.is_leap();
}

int DayOf(TDateTime d) {
    return DecodeDate(d).Day;
}

int MonthOf(TDateTime d) {
    return DecodeDate(d).Month;
}

int YearOf(TDateTime d) {
    return DecodeDate(d).Year;
}

int QuarterOf(TDateTime d) {
    return (MonthOf(d) + 2) / 3;
}

bool SameMonth(TDateTime a, TDateTime b) {
    return MonthOf(a) == MonthOf(b);
}

bool SameYear(TDateTime a, TDateTime b) {
    return YearOf(a) == YearOf(b);
}

bool SameMonthAndYear(TDateTime a, TDateTime b) {
    const TDateTime x = DateOf(a);
    const TDateTime y = DateOf(b);
    return SameMonth(x, y) && SameYear(x, y);
}

bool IsWeekDay(TDateTime d) {
    const int dow = DayOfWeek(d);
    return dow != 1 && dow != 7;
}

bool IsHoliday(TDateTime d) {
    return DateHelpers().IsHoliday(d);
}

bool IsNonWorkingDay(TDateTime d) {
    const TDateTime day = DateOf(d);
    return IsHoliday(day) || !IsWeekDay(day);
}

TDateTime NextWorkingDay(TDateTime d) {
    TDateTime x = DateOf(d) + 1;
    for (int i = 0; i < kMaxWorkingDaySteps && IsNonWorkingDay(x); ++i) {
        x += 1;
    }
    return x;
}

TDateTime PrevWorkingDay(TDateTime d) {
    TDateTime x = DateOf(d) - 1;
    for (int i = 0; i < kMaxWorkingDaySteps && IsNonWorkingDay(x); ++i) {
        x -= 1;
    }
    return x;
}

TDateTime AddWorkingDays(int n, TDateTime d) {
    TDateTime x = DateOf(d);
    // Counted in long long: -INT_MIN does not fit an int.
    // Past the years 1..9999 further steps mean nothing, so a huge n stops
    // there instead of stepping for billions of days.
    for (long long i = 0; i < n && IsValidDateValue(x); ++i) {
        x = NextWorkingDay(x);
    }
    for (long long i = 0; i < -static_cast<long long>(n) && IsValidDateValue(x); ++i) {
        x = PrevWorkingDay(x);
    }
    return x;
}

int WeekOfYear(int firstDay, TDateTime d) {
    firstDay = ((firstDay % 7) + 7) % 7;
    const long long day = DayNumber(DateOf(d));
    const int y = YearOf(d);
    int w = RawWeek(firstDay, y, day);
    if (w == 53 && RawWeek(firstDay, y + 1, JanFirst(y + 1)) == 1) {
        w = 1;
    } else if (w == 0) {
        w = RawWeek(firstDay, y - 1, JanFirst(y) - 1);
    }
    return w;
}

bool IsValidDateString(const std::string& text) {
    TDateTime ignored = 0;
    return TryStrToDate(text, ignored, FormatSettings());
}

TDateTime NthWorkingDay(int n, TDateTime d) {
    if (n == 0) {
        return d;
    }
    n = std::min(n, kMaxWorkingDayRank);
    const TDateTime f = FirstDayOfMonth(d);
    TDateTime w = IsWeekDay(f) ? f : NextWorkingDay(f);
    if (n > 1) {
        w = AddWorkingDays(n - 1, w);
    }
    if (!SameMonth(w, f)) {
        w = LastWorkingDay(f);
    }
    return w;
}

TDateTime LastWorkingDay(TDateTime firstOfMonth) {
    // The last day of the month; for the 1st this is the 1st of the next
    // month less a day, but it also holds in December 9999.
    const TDateTime x = LastDayOfMonth(firstOfMonth);
    return IsWeekDay(x) ? x : PrevWorkingDay(x);
}

TDateTime NthWeekdayOfMonth(int rank, int weekday, TDateTime d) {
    TDateTime x = FirstDayOfMonth(d);
    if (weekday < 1 || weekday > 7) {
        return x; // no day of the month matches
    }
    while (DayOfWeek(x) != weekday) {
        x += 1;
    }
    switch (rank) {
    case 1:
    case 2:
    case 3:
        x = AddWeeks(rank, x);
        break;
    case 4:
        x = LastDayOfMonth(d);
        while (DayOfWeek(x) != weekday) {
            x -= 1;
        }
        break;
    default:
        break;
    }
    return x;
}
