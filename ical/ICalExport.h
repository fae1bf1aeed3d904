#pragma once
// Export of the whole list as an iCalendar file (RFC 5545) that other
// calendars show on the same days, with the notice period as a reminder.
#include "store/DataCommands.h"
#include <string>

// One all-day VEVENT per event, in list order.
std::string ICalendarText(const TMyList& list);
// Replaces the file crash-safe; false when it cannot be written.
bool WriteICalendarFile(const TMyList& list, const std::string& path);
// The export command's questions and notices with the file written as above.
TDataResult ExportICalendarCommand(const TMyList& list, const std::string& path);
