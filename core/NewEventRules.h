#pragma once
// What an event entered by hand must be, in the event editor and in the
// command line's add alike: the same input is refused with the same words,
// and an event with no end point gets the same end date.
#include "core/DateTime.h"
#include "core/EventRecord.h"
#include "core/TrNoop.h"
#include <optional>
#include <string>

inline constexpr const char* kNoDescriptionText =
    TW_TRANSLATE_NOOP("Messages", "Please enter a Description");
inline constexpr const char* kInvalidDateText = "Please enter a valid date";
inline constexpr const char* kEndBeforeStartText = "End date earlier than Start";
inline constexpr const char* kSameDatesText = "Dates cannot be the same";

// The ranges the editor's spin boxes offer.
inline constexpr int kMinNotice = 0;
inline constexpr int kMaxNotice = 365;
inline constexpr int kMinInterval = 1;
inline constexpr int kMaxInterval = 300;

// A date typed with an earlier year is refused rather than stored: the short
// date text reads a year below 100 as one of the 1900s, so such a date would
// not come back from the program's own CSV export.
inline constexpr int kFirstEnteredYear = 100;

// Nothing but blanks, tabs and line breaks, or nothing at all.
bool IsBlankText(const std::string& utf8);

// The end stored for a repeating event with "No End Point": 100 years on from
// the start, or from today when the start has passed, so that an event
// entered from long ago (a birthday from the year of birth) still comes up.
TDateTime NoEndPointEnd(TDateTime start);

// Why a "Repeat Until" date cannot go with the start date, or null.
const char* EndDateFault(TDateTime start, TDateTime end);

// What the user gave for a new or edited event, checked by BuildEventRecord.
struct TEventInput {
    std::string Description; // UTF-8, line breaks as typed
    // Nothing for a date that could not be read (or was left empty).
    std::optional<TDateTime> Start;
    bool Once = true;
    int EventType = 0;
    int Interval = 1;
    int Rank = 0;
    int Weekday = 1;
    int Notice = 7;
    bool Keep = false;
    // A repeating event runs to Until, or has no end point.
    bool NoEndPoint = true;
    std::optional<TDateTime> Until;
};

// The input that a refusal is about, so that the editor can put the cursor
// there.
enum class TEventInputField { Description, Start, Until };

struct TEventInputFault {
    TEventInputField Field;
    const char* Text;
};

// The stored record of the input (AckDate 0; derived dates are the event's
// own business), or the first thing wrong with it, in the editor's order and
// with its words.
std::optional<TEventInputFault> BuildEventRecord(const TEventInput& input, EventRecord& record);

// "first" .. "twenty second", for the editor's lists of working days; empty
// outside 1..22.
std::string OrdinalWord(int n);
