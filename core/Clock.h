#pragma once
// The one replaceable clock: everything that asks for "today" or "now" asks
// here, so tests can fix the day and the program follows the system clock
// (which faketime can move).
#include "core/DateTime.h"
#include <functional>

// Local date and time now.
TDateTime Now();
// Now() without its time of day.
TDateTime Today();

using TClockSource = std::function<TDateTime()>;
// Replaces the clock; an empty function restores the system clock.
void SetClockSource(TClockSource source);
// Convenience for tests and --date: a clock that always answers this moment.
void FixToday(TDateTime day);
