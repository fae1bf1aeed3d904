#pragma once
// The master list (owns its events, ordered by next occurrence at insertion)
// and the due list (refers to master-list events, ordered by scan date).
#include "core/TickwellItem.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>

// What a list last read from or wrote to its file; kept by the data file
// code, which alone knows what is in it.
struct TFileSyncState;

// Anything that keeps pointers to events outside the two lists (a window's
// rows, an open editor) watches for events being freed and lets go of them
// first, so no view is ever left holding a freed event.
class TEventWatcher {
public:
    TEventWatcher();
    virtual ~TEventWatcher();
    TEventWatcher(const TEventWatcher&) = delete;
    TEventWatcher& operator=(const TEventWatcher&) = delete;
    // The events are out of every list and about to be freed.
    virtual void EventsFreeing(const std::vector<TTickwellItem*>& events) = 0;
};

class TScanList;
// Takes the events out of the due list, tells every watcher, then frees them.
// The one way events are freed once they have been in a list.
void FreeEvents(std::vector<TTickwellItem*>& events, TScanList* due = nullptr);

class TListSorted {
public:
    virtual ~TListSorted() = default;
    // -1, 0 or 1 as a's key is smaller than, equal to or larger than b's.
    virtual int Compare(const TTickwellItem& a, const TTickwellItem& b) const = 0;

    // Before the first entry whose key is equal or later: among equal keys the
    // last added comes first. Returns the index.
    int AddSorted(TTickwellItem* e);
    // Exactly the order that AddSorted of each item in turn would give, in
    // O((N + M) log) rather than O(N * M).
    void AddSortedAll(const std::vector<TTickwellItem*>& items);

    // The entries as a data file holds them: the list's order, each run of
    // equal keys from the first added on. Loading puts the later of equal
    // keys first, so the file gives this list back in the same order, and
    // its positions number the events in the order they were added.
    std::vector<TTickwellItem*> InFileOrder() const;

    int Count() const { return static_cast<int>(Items.size()); }
    TTickwellItem* operator[](int i) const { return Items[static_cast<size_t>(i)]; }
    TTickwellItem* At(int i) const { return Items.at(static_cast<size_t>(i)); }
    int IndexOf(const TTickwellItem* e) const;
    // The index of each event (-1 for one not in the list), in one walk over
    // the list rather than a search per event.
    std::vector<int> IndexesOf(const std::vector<TTickwellItem*>& events) const;
    // Takes the entry out without freeing the event.
    void Remove(const TTickwellItem* e);
    void RemoveAt(int i);
    // Takes every entry referring to one of the events out, without freeing.
    void RemoveEvents(const std::vector<TTickwellItem*>& events);
    // Empties the list without freeing any event.
    void Clear() { Items.clear(); }
    bool Empty() const { return Items.empty(); }
    const std::vector<TTickwellItem*>& All() const { return Items; }

protected:
    virtual double Key(const TTickwellItem& e) const = 0;
    // Each event as it is put into the list, before it is placed.
    virtual void Taking(TTickwellItem&) {}
    std::vector<TTickwellItem*> Items;
};

class TScanList : public TListSorted {
public:
    // The pattern in which the due-events window shows each scan date.
    std::string DateFormat;
    int Compare(const TTickwellItem& a, const TTickwellItem& b) const override;

protected:
    double Key(const TTickwellItem& e) const override { return e.ScanDate; }
};

class TMyList : public TScanList {
public:
    bool FilterPast = false;
    // Full path of the data file this list is loaded from and saved to.
    std::string FileName;
    // Set by a load or save of FileName (store/DataFileSync.h).
    std::shared_ptr<TFileSyncState> Synced;
    // The due list that refers to this list's events, if any: freeing an
    // event takes it out there first.
    TScanList* Due = nullptr;

    TMyList() = default;
    ~TMyList() override;
    TMyList(const TMyList&) = delete;
    TMyList& operator=(const TMyList&) = delete;

    int Compare(const TTickwellItem& a, const TTickwellItem& b) const override;
    // Frees the event at index and removes it, also from the due list.
    void DeleteAt(int index);
    // Frees every event and empties the list (and the due list).
    void FreeAll();
    // Recomputes every event for a new day; acknowledgements are kept.
    void ResetAll();
    // The due scan into Due; true when any is due.
    bool Scan();
    // Same, into a given list. An event snoozed now stays out of it until
    // its snooze ends, and then comes back as it would have been.
    bool ScanInto(TScanList& due);
    // The events the scan leaves out for a snooze that has not ended, each
    // with ScanDate and DueKind set as the scan would have, in list order.
    std::vector<TTickwellItem*> SnoozedDue() const;
    // The earliest snooze end after now; 0 when nothing is snoozed.
    TDateTime NextSnoozeEnd() const;

protected:
    double Key(const TTickwellItem& e) const override { return e.NextDate; }
    // Numbers an event the first time it is listed; one taken out and put
    // back keeps its number.
    void Taking(TTickwellItem& e) override;

private:
    uint64_t LastAdded = 0;
};

// The order in which windows show events of one date: the one the master
// list took first comes first.
inline bool AddedEarlier(const TTickwellItem* a, const TTickwellItem* b) {
    return a->AddedOrder < b->AddedOrder;
}

// Takes the events out of the list and out of the due list, without freeing
// them: the caller puts them back, changed, or frees them.
void TakeOut(TMyList& list, const std::vector<TTickwellItem*>& events);
