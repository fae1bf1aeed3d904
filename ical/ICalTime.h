#pragma once
// Between the program's day counts and libical's times.
#include "core/DateTime.h"
#include <libical/ical.h>
#include <optional>

// The day as an iCalendar date (VALUE=DATE).
icaltimetype ToICalDate(TDateTime day);
// The day an instance falls on for the user: a date or a floating time on
// its own day, a time in UTC or in a time zone on the local day it falls on.
// Nothing when that day lies outside the years 1..9999.
std::optional<TDateTime> LocalDay(const icaltimetype& t);
