#pragma once
// Date arithmetic on TDateTime: the building blocks of every repeat rule, so
// their edge rules (month-end clamping, working days, whether the time of day
// survives) decide the schedule.
#include "core/DateTime.h"
#include <string>
#include <vector>

class THalvaneDates {
public:
    // Dates in the short date format; nothing in the program fills it, so in
    // practice no day is a holiday. Not owned.
    const std::vector<std::string>* HolidayStringList = nullptr;

    virtual ~THalvaneDates() = default;
    bool IsHoliday(TDateTime d) const;
};

// The process-wide instance, made on first use.
THalvaneDates& DateHelpers();

TDateTime AddDays(int n, TDateTime d);
TDateTime AddWeeks(int n, TDateTime d);
TDateTime AddMonths(int n, TDateTime d);
TDateTime AddYears(int n, TDateTime d);
TDateTime FirstDayOfMonth(TDateTime d);
TDateTime LastDayOfMonth(TDateTime d);
int DaysInMonth(int month, int year);
int DaysInMonthOf(TDateTime d);
bool IsLeapYear(int year);
int DayOf(TDateTime d);
int MonthOf(TDateTime d);
int YearOf(TDateTime d);
int QuarterOf(TDateTime d);
bool SameMonth(TDateTime a, TDateTime b);
bool SameYear(TDateTime a, TDateTime b);
bool SameMonthAndYear(TDateTime a, TDateTime b);
bool IsWeekDay(TDateTime d);
bool IsHoliday(TDateTime d);
bool IsNonWorkingDay(TDateTime d);
TDateTime NextWorkingDay(TDateTime d);
TDateTime PrevWorkingDay(TDateTime d);
TDateTime AddWorkingDays(int n, TDateTime d);
// firstDay: 0 Sunday .. 6 Saturday.
int WeekOfYear(int firstDay, TDateTime d);
// Uses the process's format settings (short date order and separator).
bool IsValidDateString(const std::string& text);

// Compositions used by the monthly repeat rules.
TDateTime NthWorkingDay(int n, TDateTime d);
TDateTime LastWorkingDay(TDateTime firstOfMonth);
TDateTime NthWeekdayOfMonth(int rank, int weekday, TDateTime d);
