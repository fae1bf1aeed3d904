#pragma once
// One data file, several writers: the windows, tickwell-cli, a sync tool, a
// restore by hand. A list remembers what it last read from or wrote to its
// file: the file's stamp, and each event's identity (its stored fields but
// AckDate) with its acknowledgement. A save of the list to its own file runs
// under the data file's lock; when the file changed since, the list first
// takes in the other programs' changes, matched by identity and never by
// position, with its own changes winning where both touched one event. So no
// save overwrites a change it has not seen. The same merge brings another
// program's changes into a running program.
#include "core/EventLists.h"
#include "store/AtomicFile.h"
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One event as a file held it: its identity and its acknowledgement date's
// bits (compared as bits, so that any value read from a file sorts).
struct TKeyedAck {
    std::uint64_t Key = 0;
    std::uint64_t Ack = 0;
    auto operator<=>(const TKeyedAck&) const = default;
};

struct TFileSyncState {
    TFileStamp Stamp;            // the file as the list last read or wrote it
    std::vector<TKeyedAck> Base; // its events, sorted
    // A later file that could not be read, already reported.
    TFileStamp UnreadableStamp;
    // A later file that ends part way through an event, seen once: a
    // program that writes in place may be half way through it.
    TFileStamp PartialStamp;
    // Set when a save took in other programs' changes; the caller clears it
    // once its windows show the whole list again.
    bool MergedOutside = false;
    // Events a save took out because another program had deleted them:
    // out of every list but not yet freed, so the command that saved may
    // still look at the event it changed. FreeRetired frees them.
    std::vector<TTickwellItem*> Retired;
    // The last save failed: the list holds changes the file does not.
    bool Unsaved = false;
    // How many commands' changes wait since the last save that worked, and
    // what the list held at the last failed save, so that a save tried
    // again without a new change does not count twice.
    int UnsavedChanges = 0;
    std::uint64_t UnsavedPrint = 0;
    ~TFileSyncState();
};

// Loads list.FileName into the (empty) list under the lock and remembers
// what it read. Same result as LoadEvents.
bool LoadSynced(TMyList& list);
// Takes the list's events as what its file now holds (after the events of a
// damaged file were dropped, say), keeping the file's stamp.
void RememberSynced(TMyList& list);

// Writes the list to list.FileName under the lock, first taking in what
// other programs changed there since. Throws TTickwellError "Error Saving
// Events List" with the reason and path on a second line, the old file
// intact; the list then keeps its changes (and any taken in), so a later
// save still writes them.
void SaveSynced(TMyList& list);

enum class TSyncResult {
    Unchanged,  // the file is as the list last saw it
    Merged,     // other programs' changes are in the list
    Unreadable, // the file changed but cannot be read; the list is as it was
    Missing,    // the file is gone; the list is as it was
};
struct TSyncReport {
    TSyncResult Result = TSyncResult::Unchanged;
    // Unreadable: first time this version of the file was met.
    bool NewlyUnreadable = false;
    int Added = 0;
    int Removed = 0;
    int Changed = 0; // acknowledgement or snooze changed
    bool Any() const { return Added + Removed + Changed > 0; }
};
// Takes in what other programs changed in the file since the list last read
// or wrote it; changes the list holds and has not saved stay on top. Events
// deleted elsewhere are freed at once (every window lets go of them).
TSyncReport SyncFromDisk(TMyList& list);

// Whether an event with the identity `key` (EventKey) that the file held
// when the list last read or wrote it is gone from the file as it stands:
// another program deleted or edited it. False when that cannot be told (a
// file that cannot be read, or is gone as a whole).
bool DeletedElsewhere(const TMyList& list, std::uint64_t key);

// Frees the events a save retired (see TFileSyncState::Retired).
void FreeRetired(TMyList& list);

// Whether the last save of the list to its file failed.
bool HasUnsavedChanges(const TMyList& list);
// The changes (commands that saved, or tried to) the file lacks since the
// last save that worked.
int UnsavedChangeCount(const TMyList& list);
// Told of every failed save of a list to its own file, with the error text;
// returns the previous hook.
using TSaveFailureHook = std::function<void(const std::string& error)>;
TSaveFailureHook SetSaveFailureHook(TSaveFailureHook hook);

// The reason for "Error Saving Events List", as its second line.
std::string SaveErrorText(const std::string& reason, const std::string& path);
