#pragma once
// How long a reminder is put off, and the moment it ends written as the
// command line and the calendar folder take it.
#include "core/DateTime.h"
#include <string>

// A snooze period of this many minutes means "until the next day begins".
inline constexpr int kSnoozeUntilTomorrow = 0;

// The end of a snooze of `minutes` started at now, to the whole minute
// (a snooze of 0 minutes lasts until midnight).
TDateTime SnoozeEndFrom(TDateTime now, int minutes);

// YYYY-MM-DDTHH:MM, local time.
std::string SnoozeEndText(TDateTime moment);
// Reads that form; false (out unchanged) for anything else.
bool TryParseSnoozeEnd(const std::string& text, TDateTime& out);
// YYYYMMDDTHHMMSS, as an iCalendar local time, and back.
std::string BasicDateTime(TDateTime moment);
bool TryParseBasicDateTime(const std::string& text, TDateTime& out);
