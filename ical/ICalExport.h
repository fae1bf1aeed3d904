#pragma once
// Export of the whole list as an iCalendar file (RFC 5545) that other
// calendars show on the same days, with the notice period as a reminder.
#include "store/DataCommands.h"
#include <libical/ical.h>
#include <string>
#include <vector>

// The event's VEVENT with the given UID, and the linked VEVENTs that hold
// the days one rule cannot (the caller frees them); none for an event
// without a valid start date. Throws TTickwellError for days after the last
// year a file can hold.
std::vector<icalcomponent*> EventComponents(const TTickwellItem& e, const std::string& uid,
                                            const icaltimetype& stamp);

// Each of those VEVENTs as a calendar of its own, as a calendar folder keeps
// them.
struct TICalItem {
    std::string Uid;
    std::string Text;
};
std::vector<TICalItem> ICalItems(const TTickwellItem& e, const std::string& uid);

// One all-day VEVENT per event, in list order.
std::string ICalendarText(const TMyList& list);
// Replaces the file crash-safe; false when it cannot be written.
bool WriteICalendarFile(const TMyList& list, const std::string& path);
// The export command's questions and notices with the file written as above.
TDataResult ExportICalendarCommand(const TMyList& list, const std::string& path);
