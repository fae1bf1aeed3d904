#pragma once
// What an event holds beyond the data file's record: kept in the companion
// file beside it, so that the records stay readable by anything that reads
// them today.
#include "core/DateTime.h"
#include <cstdint>
#include <string>

struct TEventExtras {
    // Until when a reminder is put off (a date and time); 0 for none.
    TDateTime SnoozeUntil = 0;
    // The UID and SEQUENCE of an event that came from another calendar.
    std::string ICalUid;
    int ICalSequence = 0;
    // When the event was last changed, in seconds since 1970; 0 if unknown.
    std::int64_t Modified = 0;
    // Attributes written by a later version, kept as read ("key=value"
    // fields, tab-separated) so that an older one passes them on.
    std::string Unknown;

    bool Empty() const {
        return SnoozeUntil == 0 && ICalUid.empty() && ICalSequence == 0 && Modified == 0 &&
               Unknown.empty();
    }
    bool operator==(const TEventExtras&) const = default;
};
