#pragma once
// A calendar folder kept in step with the events, both ways: a "vdir" as
// vdirsyncer defines it (one .ics file for each event, a VCALENDAR with its
// VEVENT), which vdirsyncer carries to any CalDAV server and khal shows.
// The program only reads and writes the folder; vdirsyncer does the rest.
#include "store/EventBook.h"
#include <functional>
#include <string>
#include <vector>

struct TVdirStep {
    int Written = 0;
    int Removed = 0;
    int Added = 0;
    int Updated = 0;
    int Deleted = 0;
    // What the user must know, in words: conflicts, items not shown, items
    // that could not be written.
    std::vector<std::string> Notes;
    // The folder cannot be read: nothing else was done.
    std::string Fault;
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

// A book linked to its folder while this lives: every save that works
// writes the folder, and StepIn takes in what changed there. What must be
// told is shown as a warning; that the folder cannot be read, once until
// it can again.
class TVdirLink {
public:
    // `tell` replaces the warning (tickwell-cli writes to its error stream,
    // so that a listing stays as scripts read it).
    TVdirLink(TEventBook& book, std::string folder,
              std::function<void(const std::string&)> tell = {});
    ~TVdirLink();
    TVdirLink(const TVdirLink&) = delete;
    TVdirLink& operator=(const TVdirLink&) = delete;
    const std::string& Folder() const { return Path; }
    // False when the folder's changes could not be saved (shown too).
    bool StepIn();
    // For a folder just chosen: what it holds taken in, then every event
    // written there.
    TVdirStep Fill();

private:
    void Tell(const TVdirStep& step);
    TEventBook& Book;
    std::string Path;
    std::function<void(const std::string&)> Teller;
    std::string LastFault;
};

// One line for `tickwell-cli vdir` and the notices: what a step did.
std::string StepText(const TVdirStep& step, bool in);
