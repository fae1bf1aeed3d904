#pragma once
// An event's days as other calendars are told them: the first day, repeat
// rules in the RFC 5545 forms their readers honour, and the days those rules
// alone would get wrong.
#include "core/TickwellItem.h"
#include <string>
#include <vector>

struct TICalSchedule {
    TDateTime First = 0;
    // RRULE values, each with its UNTIL; none when the event stands for
    // First alone.
    std::vector<std::string> Rules;
    // The last day any rule names; 0 when a rule has no end.
    TDateTime Until = 0;
    // Days the rules miss and days they add, up to the end date and at most
    // 100 years on.
    std::vector<TDateTime> RDates;
    std::vector<TDateTime> ExDates;
};

// libical writes no date after this year, so later days cannot be exchanged.
inline constexpr int kLastICalYear = 3000;

// True when every day the schedule names can be written to a file.
bool WritableSchedule(const TICalSchedule& s);

// An event with "No End Point": the end stored for it, 100 years on, is no
// date the user chose.
bool IsOpenEnded(const TTickwellItem& e);

// Nothing for an event without a valid start date: it is on no day.
bool ScheduleOf(const TTickwellItem& e, TICalSchedule& out);
