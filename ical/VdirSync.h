#pragma once
// A calendar folder kept in step with the events, both ways: a "vdir" as
// vdirsyncer defines it (one .ics file for each event, a VCALENDAR with its
// VEVENT), which vdirsyncer carries to any CalDAV server and khal shows.
// The program only reads and writes the folder; vdirsyncer does the rest.
#include "store/EventBook.h"
#include <string>
#include <vector>

struct TVdirStep {
    int Written = 0;
    int Removed = 0;
    int Added = 0;
    int Updated = 0;
    int Deleted = 0;
    // What the user must know, in words: conflicts, items not shown, faults.
    std::vector<std::string> Notes;
    bool Any() const { return Written + Removed + Added + Updated + Deleted > 0; }
};

// The event's UID in the folder: the one another calendar gave it, else
// "<id>@tickwell".
std::string VdirUid(const TTickwellItem& e);

// After a save: every event added or changed since the last step is written
// as an item, crash-safe, and the items of deleted events removed. An item
// changed in the folder since the last step is left for the step in, and no
// file the program did not write is ever replaced.
TVdirStep VdirOut(const TMyList& list, const std::string& folder, const std::string& statePath);

// Before the events are read: the items that appeared, changed or went
// since the last step are applied to the book and saved. An item the
// program cannot show as one event is left as it is and listed. An event
// changed here while its item changed there is kept twice: the folder's as
// the event, this one as a copy; an event changed here whose item was
// deleted there is kept. Throws as the book's save does, the folder's
// changes then met again at the next step.
TVdirStep VdirIn(TEventBook& book, const std::string& folder, const std::string& statePath);

// Every save that works writes the folder; what must be told is shown as
// a warning.
void LinkVdir(TEventBook& book, const std::string& folder);
// The step in for a linked book, its notes shown as a warning; false when
// that failed (shown too).
bool StepInVdir(TEventBook& book, const std::string& folder);

// One line for `tickwell-cli vdir` and the notices: what a step did.
std::string StepText(const TVdirStep& step, bool in);
