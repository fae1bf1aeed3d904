#pragma once
// What a calendar folder held when the program last wrote to it or read
// from it, item by item, so that each step in or out touches only what
// changed since: the item's file as vdirsyncer tells changes (inode and
// modification time), and the event as it was then.
#include <cstdint>
#include <map>
#include <optional>
#include <string>

// An item's file, by the etag vdirsyncer's own filesystem storage uses.
struct TItemTag {
    std::uint64_t Inode = 0;
    std::int64_t ModifiedNs = 0;
    bool operator==(const TItemTag&) const = default;
};

enum class TItemKind : char {
    Event = 'E',   // an event of the list
    Part = 'P',    // days of an event that one rule cannot hold
    NotShown = 'X' // an item the program cannot show; left as it is
};

struct TItemState {
    TItemTag Tag;
    TItemKind Kind = TItemKind::Event;
    std::string Uid;
    // The event's fingerprint when the item was written or read.
    std::uint64_t Print = 0;
    // Why an item is not shown; for a part, its event's UID.
    std::string Note;
    bool operator==(const TItemState&) const = default;
};

struct TVdirState {
    std::string Folder;
    // The folder itself as a step began: vdir writers add, replace and
    // remove items by renaming and unlinking, which change it.
    TItemTag FolderTag;
    std::map<std::string, TItemState> Items; // by file name
    // The last steps, for `tickwell-cli vdir`.
    std::string LastIn;
    std::string LastOut;
};

// The state kept beside the data file; empty when there is none, when it
// cannot be read, or when it is of another folder (every item is then met
// anew, which loses nothing: an item that matches its event changes
// nothing).
TVdirState ReadVdirState(const std::string& path, const std::string& folder);
// Crash-safe; false with the reason when it cannot be written.
bool WriteVdirState(const std::string& path, const TVdirState& state, std::string& error);

// One number for a folder's items, whatever their order: equal for two
// listings of the same names and tags. The state keeps it for what it holds,
// so that a step in finds an unchanged folder without reading the state.
std::uint64_t ItemPrint(const char* name, const TItemTag& tag);
std::uint64_t ListingPrint(const TVdirState& state);
// What the state file holds of the folder as a whole; nothing when it
// holds no state of that folder.
struct TFolderNote {
    std::uint64_t Listing = 0;
    TItemTag Tag;
};
std::optional<TFolderNote> ReadFolderNote(const std::string& path, const std::string& folder);

// "<data file>.vdir"
std::string VdirStatePath(const std::string& dataFile);
