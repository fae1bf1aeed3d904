#pragma once
// The program's own properties in an iCalendar file: what a round trip
// through another calendar needs beyond the standard ones.
#include "core/EventRecord.h"
#include <optional>
#include <string>
#include <string_view>

inline constexpr const char* kProdId = "-//Tickwell//Tickwell 4.0//EN";
inline constexpr const char* kXEvent = "X-TICKWELL-EVENT";
inline constexpr const char* kXKeep = "X-TICKWELL-KEEP";
inline constexpr const char* kXAck = "X-TICKWELL-ACK";
// Until when the reminder is put off, as a local YYYYMMDDTHHMMSS.
inline constexpr const char* kXSnooze = "X-TICKWELL-SNOOZE";
// On an event that holds some of another's days: the other's UID.
inline constexpr const char* kXPartOf = "X-TICKWELL-PART-OF";
// On an item both machines changed: the version that is not the item's,
// kept by every machine that takes the item in as a copy of the event.
inline constexpr const char* kXOther = "X-TICKWELL-OTHER";
inline constexpr const char* kNeverAcknowledged = "NONE";
inline constexpr const char* kUidDomain = "@tickwell";
// RFC 5545's weekday names, 1 Sunday .. 7 Saturday as the program counts.
inline constexpr const char* kICalWeekdays[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

// The stored repeat fields (type, once-only flag, rank, interval, weekday,
// start, end and no-end-point flag) as "key=value" words; empty when a date
// is not a valid day.
std::string RuleFieldsText(const EventRecord& rec);
// Reads them back into rec; false (rec unchanged) unless every field is there
// and readable.
bool ReadRuleFields(const std::string& text, EventRecord& rec);

// The text as iCalendar text can hold it: line breaks (CR LF, or LF as other
// calendars write them) as a line feed alone, tabs kept, every other control
// character left out, no blanks at its start and end or at the end of its
// first line. Reading and writing both go through it, so what is read writes
// back unchanged.
std::string ICalText(std::string_view text);

// The second line of the error for an event with days after the last year
// an iCalendar file can be given here.
std::string DaysBeyondText(const std::string& summary);
// The same as the reason an import leaves such an event out.
std::string DaysBeyondReason();

// YYYYMMDD, and back.
std::string BasicDate(TDateTime day);
std::optional<TDateTime> ReadBasicDate(const std::string& text);

// "<id>@tickwell", or "<id>-<n>@tickwell" for the n-th event with the same
// stored fields; and the id of such a UID, or nothing for another one.
std::string EventUid(const std::string& id, int seen);
std::optional<std::string> IdOfUid(const std::string& uid);
