#pragma once
// The days of an iCalendar recurrence set, expanded by libical's own
// iterator, and the days a Tickwell event stands for, so the two can be
// compared day by day.
#include "core/TickwellItem.h"
#include <cstdint>
#include <libical/ical.h>
#include <optional>
#include <vector>

// What a VEVENT says about its days.
struct TRecurrence {
    icaltimetype Start = icaltime_null_time();
    std::vector<icalrecurrencetype> Rules;
    std::vector<icaltimetype> RDates;
    std::vector<icaltimetype> ExDates;
};

struct TRecurrenceDays {
    // Sorted local days, none after Until.
    std::vector<TDateTime> Days;
    // The last day looked at: the horizon asked for, or earlier when the
    // instance limit was reached first.
    TDateTime Until = 0;
    // Every rule ran out before Until: Days is the whole set.
    bool Ended = true;
};

// DTSTART, the rules' instances and the RDATEs, less the EXDATEs, as local
// days up to the horizon. Once `limit` instances have been taken from the
// rules, the days after `atLeastUntil` are left unknown (and all later ones
// after a few thousand instances).
TRecurrenceDays ExpandRecurrence(const TRecurrence& r, TDateTime horizon, size_t limit = SIZE_MAX,
                                 TDateTime atLeastUntil = 0);

// The first day on which the event occurs, searched up to its end date and
// at most 100 years on; nothing when there is none.
std::optional<TDateTime> FirstOccurrence(const TTickwellItem& e);

// The days from `from` to `to` on which the event occurs (OccursOn). An
// event that never occurs stands for its start date, the day its list row
// shows.
std::vector<TDateTime> EventDays(const TTickwellItem& e, TDateTime from, TDateTime to);
