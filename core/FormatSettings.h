#pragma once
// How dates and times become text: the platform's locale values, set once at
// start-up (or by a test) and used by every formatter and parser.
#include <array>
#include <string>

struct TFormatSettings {
    std::string ShortDateFormat = "dd/mm/yyyy";
    std::string LongDateFormat = "dddd, d mmmm yyyy";
    char DateSeparator = '/';
    // False where the locale writes no numeric date (the C locale): the
    // short date format is then the program's year-month-day with "-".
    bool ShortDateFromLocale = true;
    char TimeSeparator = ':';
    std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
    std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> LongMonthNames{"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
};

// The process-wide settings.
TFormatSettings& FormatSettings();
void SetFormatSettings(const TFormatSettings& settings);

// The program's short date format from the system's: two-digit day and
// month, four-digit year, in the system's order, with the system's separator.
// systemFormat is in the date type's pattern letters (d, m, y; any case).
std::string FixShortDateFormat(const std::string& systemFormat, char separator);
