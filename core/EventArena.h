#pragma once
// Events made many at a time (a load) share one block of memory: one
// allocation instead of one per event, and the events lie side by side in the
// order they were made, the order the walks over a freshly loaded list follow.
// Each event stays an ordinary owned event: `delete` ends it, and the block
// goes when its maker and the last of its events are gone. Events of one block
// are freed on one thread at a time.
#include "core/TickwellItem.h"
#include <cstddef>

class TEventBlock;

class TEventArena {
public:
    // Room for `capacity` events.
    explicit TEventArena(size_t capacity);
    ~TEventArena();
    TEventArena(const TEventArena&) = delete;
    TEventArena& operator=(const TEventArena&) = delete;

    // The next event, built from the record with its occurrences for `today`;
    // null once the arena is full.
    TTickwellItem* Make(const EventRecord& rec, TDateTime today);

private:
    TEventBlock* Block;
};
