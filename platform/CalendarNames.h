#pragma once
// The names a calendar on the terminal shows, from the C library's locale
// (LC_TIME, else LANG), which is what `cal` and `date` show there too. Read
// without Qt, so that a command run every few seconds starts at once.
#include <array>
#include <string>

struct TCalendarNames {
    // Sunday first, as the program numbers days.
    std::array<std::string, 7> ShortDays{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 12> ShortMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> LongMonths{"January",   "February", "March",    "April",
                                           "May",       "June",     "July",     "August",
                                           "September", "October",  "November", "December"};
    // The day weeks begin with: 0 Sunday .. 6 Saturday.
    int FirstWeekday = 0;
};

// The defaults above where the locale is unknown to the system.
TCalendarNames SystemCalendarNames();
