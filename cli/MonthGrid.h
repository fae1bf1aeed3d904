#pragma once
// A month as a calendar on the terminal, as `cal` and Remind's -c draw it:
// a week to a row of boxes, weeks beginning on the locale's first day, each
// day with its events' first lines in list order, today marked.
#include "cli/TerminalText.h"

// A day shows so many lines of events at most; the last of them then says
// how many more there are.
inline constexpr size_t kMonthGridLines = 4;

void WriteMonthGrid(std::ostream& out, const TMyList& list, int year, int month,
                    const TTerminalStyle& style);
