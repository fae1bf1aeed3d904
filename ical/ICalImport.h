#pragma once
// Import of the events of an iCalendar file (RFC 5545) written by any
// calendar program, or by the export.
#include "store/DataCommands.h"
#include <string>
#include <string_view>
#include <vector>

// What an event of another program gets when its file does not say.
struct TICalDefaults {
    int Notice = 7;
    bool Keep = true;
    // The text is an event this program wrote, kept without the items of its
    // linked parts (another machine's version of it): its own fields are
    // taken as they are.
    bool WithoutParts = false;
};

struct TICalEvent {
    // For the reports.
    std::string Summary;
    std::string Uid;
    int Sequence = 0;
    // The stored fields; AckDate as the file gives it, else 0.
    EventRecord Record;
    bool HasAck = false;
    // Until when the program that wrote it had put the reminder off; 0 for
    // none.
    TDateTime SnoozeUntil = 0;
    // False when no rule of the program gives exactly the file's days:
    // Record then holds the first of them alone, and Rule says what the file
    // asks for.
    bool Exact = true;
    std::string Rule;
    // What of the event could not be read and was left out (a property, an
    // alarm), in words for the user.
    std::vector<std::string> Dropped;
    // How the event differs from the file's, where the program cannot hold
    // it as it is, in words for the user.
    std::vector<std::string> Changes;
    // At a time of day, which the program does not keep: on its day in the
    // local time zone.
    bool Timed = false;
};

// An event of the file that cannot come in, and why.
struct TICalLeftOut {
    std::string Summary;
    std::string Why;
};

struct TICalContents {
    std::vector<TICalEvent> Events;
    int ToDos = 0;
    // Single occurrences of a repeating event that another program moved or
    // changed (RECURRENCE-ID): the program has no place for them.
    int ChangedOccurrences = 0;
    std::vector<TICalLeftOut> LeftOut;
    // Lines between the events that are not iCalendar.
    int LinesPassedOver = 0;
    // The text was not UTF-8, as RFC 5545 asks, and was read as Windows-1252.
    bool ReadAsWindows1252 = false;
};

// Reads every VEVENT of the text, each on its own: a part of an event that
// cannot be read is left out of it, an event whose days cannot be known is
// left out whole, and both are listed. Throws TTickwellError with the text
// to show only when the text is not a complete iCalendar file.
TICalContents ReadICalendar(std::string_view text, const TICalDefaults& defaults);

// The file is read and every event mapped before the list changes; the
// summary names each event left out and what was left out of the others,
// as a warning. Events whose days the program cannot repeat exactly are listed in
// one question (Yes: each as its first occurrence only; No: left out;
// Cancel: nothing imported). An event already in the list (the same event id
// in a UID the export wrote, the UID another calendar gave it, or the same
// text and days) is updated instead of added again. A new event keeps the id
// its export UID carries while no other event holds it; one from another
// calendar keeps that calendar's UID and SEQUENCE, and a lower SEQUENCE later
// leaves it as it is. The rest goes through the import's add-save-report
// step.
TDataResult ImportICalendarCommand(TEventBook& book, const std::string& path);

// True for a file name ending in .ics, in any case.
bool IsICalendarPath(const std::string& path);
