#pragma once
// The shared date type: days since 30 December 1899, the fraction being the
// time of day. Calendar conversions go through std::chrono.
#include <chrono>

using TDateTime = double;

// Day count of 1 January 1970 in TDateTime.
inline constexpr int kUnixEpochDay = 25569;
inline constexpr int kMinYear = 1;
inline constexpr int kMaxYear = 9999;

struct TYmd {
    int Year;
    int Month;
    int Day;
};

// Whole day count (time dropped toward zero, as the date type does). NaN
// counts as day 0 and values beyond +-2^53 saturate there, so no input is
// undefined.
long long DayNumber(TDateTime d);
// The whole day of d as a date (the time of day dropped toward zero).
TDateTime DateOf(TDateTime d);
// Days outside the years 1..9999 convert, but year_month_day of them is
// unspecified: use DecodeDate, which clamps.
std::chrono::sys_days ToSysDays(TDateTime d);
TDateTime FromSysDays(std::chrono::sys_days d);

// Year, month and day of d. A value outside the years 1..9999 decodes as the
// nearest end of that range; NaN as 30 December 1899 (day 0).
TYmd DecodeDate(TDateTime d);
// False when the year, month or day is out of range (years 1..9999).
bool TryEncodeDate(int year, int month, int day, TDateTime& out);
// As TryEncodeDate; throws TTickwellError on a date that does not exist.
TDateTime EncodeDate(int year, int month, int day);
// True when d is a finite day count within the years 1..9999.
bool IsValidDateValue(TDateTime d);
// 1 Sunday, 2 Monday .. 7 Saturday.
int DayOfWeek(TDateTime d);
