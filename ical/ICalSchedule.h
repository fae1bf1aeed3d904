#pragma once
// An event's days as other calendars are told them: the first day, repeat
// rules in the RFC 5545 forms their readers honour, and the days those rules
// alone would get wrong.
#include "core/TickwellItem.h"
#include <string>
#include <vector>

// A part of the event's days that other calendars are given as an event of
// its own, linked to the first: no single rule they all follow holds them.
struct TICalLinked {
    std::string Name; // put in front of the first event's UID
    TDateTime First = 0;
    std::string Rule;
};

struct TICalSchedule {
    TDateTime First = 0;
    // The RRULE value with its UNTIL; empty when the event stands for First
    // alone.
    std::string Rule;
    // The last day a rule names; 0 when it has no end.
    TDateTime Until = 0;
    // Days the rule misses, up to the end date and at most 100 years on.
    // The forms are chosen so that a rule never adds a day (an EXDATE for a
    // day a reader never produced makes some warn).
    std::vector<TDateTime> RDates;
    std::vector<TICalLinked> Linked;
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
