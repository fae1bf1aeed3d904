#pragma once
// The list and the due list in words, for a person at a terminal: dates
// with their day names, "today", "in 2 days", "3 days overdue", columns
// lined up under a heading, overdue events and today in colour, snoozed ones
// dim.
#include "core/EventLists.h"
#include "platform/CalendarNames.h"
#include <ostream>
#include <string>

struct TTerminalStyle {
    TCalendarNames Names;
    bool Colour = false;
    // The width a calendar fills.
    int Columns = 80;
};

// Terminal colours (SGR), or nothing without colour.
inline constexpr const char* kBold = "\x1b[1m";
inline constexpr const char* kRed = "\x1b[31m";
inline constexpr const char* kDim = "\x1b[2m";
inline constexpr const char* kReverse = "\x1b[7m";
inline constexpr const char* kPlain = "\x1b[0m";

// The characters the text takes on a terminal: code points, so a letter
// written in several bytes takes one column.
size_t TextWidth(const std::string& utf8);
// The text cut to at most that width, never inside a character.
std::string CutToWidth(const std::string& utf8, size_t width);

// "Wed 9 Dec", with the year after it when it is not this year's (or always).
std::string DayWords(TDateTime d, const TCalendarNames& names, bool withYear = false);
// "today", "tomorrow", "in 2 days", "1 day overdue", "3 days overdue".
std::string WhenWords(long long daysFromToday);

// Then the events a snooze leaves out of the due list, with its end.
void WriteDueWords(std::ostream& out, const TScanList& due,
                   const std::vector<TTickwellItem*>& snoozed, const TTerminalStyle& style);
void WriteListWords(std::ostream& out, const TMyList& list, const TTerminalStyle& style);
