#pragma once
// The one owner of the events: the master list, the due list that refers to
// it, and their data file. Every change of events goes through the book,
// which makes it once, saves it under the writers' lock, builds the due list
// anew and then tells its readers what changed. The windows, the tray and
// tickwell-cli each read the same book; none saves or refreshes another.
#include "core/EventLists.h"
#include "core/EventRecord.h"
#include "store/DataFileSync.h"
#include <functional>
#include <string>
#include <vector>

// Told after a change was saved (or its save failed) and the due list was
// made anew. An event named in a notice is still in the lists, but for
// EventsRemoved: those are out of both and freed once every reader was told.
class TEventBookReader {
public:
    virtual ~TEventBookReader();
    virtual void EventsAdded(const std::vector<TTickwellItem*>& events);
    virtual void EventsChanged(const std::vector<TTickwellItem*>& events);
    virtual void EventsRemoved(const std::vector<TTickwellItem*>& events);
    // Too much changed to tell event by event (a restore, an import, another
    // program's changes, a new day): every reader builds its view again.
    virtual void EventsReset();
    // The due list was made anew with no event changed (a scan asked for).
    virtual void DueListRebuilt();
};

class TEventBook {
public:
    TEventBook();
    ~TEventBook();
    TEventBook(const TEventBook&) = delete;
    TEventBook& operator=(const TEventBook&) = delete;

    // Declared first so that it outlives the master list's events.
    TScanList DueList;
    TMyList MasterList;

    const std::string& FileName() const { return MasterList.FileName; }

    // Loads the file into the (empty) book, remembering what it read so that
    // later saves take in other programs' changes; as LoadSynced.
    bool Load(const std::string& path);

    void AddReader(TEventBookReader* reader);
    void RemoveReader(TEventBookReader* reader);

    // Run before every scan: the program checks there for a change of day,
    // so that no due list is built from a day already past.
    void SetBeforeScan(std::function<void()> check) { BeforeScan = std::move(check); }
    // Run after every save that worked, before the readers are told: the
    // sync folder is written there.
    void SetAfterSave(std::function<void()> step) { AfterSave = std::move(step); }
    const std::function<void()>& AfterSaveStep() const { return AfterSave; }

    // The changes. Each is made, saved and announced; a failed save throws
    // TTickwellError ("Error Saving Events List") after the announcement,
    // the change kept in memory for a later save.
    // Takes the new event over and gives its index in the master list.
    int Add(TTickwellItem* event);
    // New stored fields for an event of the book, its derived dates made
    // anew and its acknowledgement cleared.
    void Edit(TTickwellItem* event, const EventRecord& record);
    // The event's occurrence in the due list seen: false when it is not due.
    bool Acknowledge(TTickwellItem* event);
    // Each of the events due now, or due but for a snooze, acknowledged at
    // once (the others are passed over), with one save; how many were.
    int AcknowledgeAll(const std::vector<TTickwellItem*>& events);
    // The events put off until the moment: out of the due list until then,
    // their acknowledgement as it was. An acknowledgement ends the snooze.
    void Snooze(const std::vector<TTickwellItem*>& events, TDateTime until);
    // The same for the options' snooze period from now.
    void SnoozeForPeriod(const std::vector<TTickwellItem*>& events);
    // False (and nothing saved) when it was not acknowledged.
    bool ClearAcknowledgement(TTickwellItem* event);
    // After the user's confirmation as the options say (DeleteEvent); false
    // when nothing was deleted.
    bool Delete(TTickwellItem* event, bool warnRepeating, const std::string& name = {});

    // For the data commands (store/DataCommands.h), which change many events
    // at once: the save, throwing as the changes do, and then every reader
    // told to start again.
    void SaveChanges();
    void AnnounceReset();

    // The due list made anew, readers told; true when anything is due.
    bool Scan();
    // A new day: every event's dates worked out anew for today
    // (acknowledgements kept) and the due list made anew; readers told.
    void NewDay();
    // The day the events' dates were last worked out for. Every scan first
    // works them out anew when that is no longer today, so that no due
    // list is built from a day already past.
    TDateTime ComputedFor() const { return DayComputed; }
    void SetComputedFor(TDateTime day) { DayComputed = day; }
    // Takes in what other programs changed in the file; readers told when
    // anything changed.
    TSyncReport Sync();
    // Saves what a failed save left in memory; throws as the changes do.
    void SaveAgain();

private:
    void Save(std::string& error);
    // True when the day had changed, and so every event.
    bool Rescan();
    using TNotice = void (TEventBookReader::*)(const std::vector<TTickwellItem*>&);
    void Tell(TNotice notice, const std::vector<TTickwellItem*>& events);
    void Tell(void (TEventBookReader::*notice)());
    void TellEach(const std::function<void(TEventBookReader&)>& tell);
    void SaveAndTell(TNotice notice, const std::vector<TTickwellItem*>& events);

    std::vector<TEventBookReader*> Readers;
    std::function<void()> BeforeScan;
    std::function<void()> AfterSave;
    TDateTime DayComputed = 0;
};
