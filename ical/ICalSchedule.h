#pragma once
// An event's days as other calendars are told them: the first day, a repeat
// rule in RFC 5545 form, and the days that rule alone would get wrong.
#include "core/TickwellItem.h"
#include <string>
#include <vector>

struct TICalSchedule {
    TDateTime First = 0;
    // Without UNTIL; empty when the event stands for First alone.
    std::string Rule;
    // The end date, when the rule has one.
    bool HasUntil = false;
    TDateTime Until = 0;
    // Days the rule misses and days it adds, up to the end date and at most
    // 100 years on.
    std::vector<TDateTime> RDates;
    std::vector<TDateTime> ExDates;
};

// libical writes no date after this year, so later days cannot be exchanged.
inline constexpr int kLastICalYear = 3000;

// True when every day the schedule names can be written to a file.
bool WritableSchedule(const TICalSchedule& s);

// An event with "No End Point": the end stored for it, 100 years on, is no
// date the user chose, so other calendars are given no end for it.
bool IsOpenEnded(const TTickwellItem& e);

// Nothing for an event without a valid start date: it is on no day.
bool ScheduleOf(const TTickwellItem& e, TICalSchedule& out);
