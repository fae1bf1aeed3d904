#pragma once
// The start-up routine: the shared state every window uses (the event lists,
// the option flags, the backup folder) and the start mode from the options
// and the first command-line argument.
#include "core/TrNoop.h"
#include <cstdint>
#include <functional>
#include <string>

class TEventBook;
class TWinRegistry;

struct TStartupHooks {
    // Start-up's own notices ("There are No Events Due"): an information box
    // brought to the front, outside the message routines (no beep).
    std::function<void(const std::string& text)> SystemMessage;
    // A registry error met while reading the options: shown, and start-up
    // goes on with what it has settled so far.
    std::function<void(const std::string& text)> ErrorBox;
};

// The warning for a data file that cannot be read, as the user sees it first.
inline constexpr const char* kCorruptDataText =
    TW_TRANSLATE_NOOP("Messages", "Your Events Data File: TICKWELL.TKW is Corrupt. Restore your "
                                  "data from a backup= or create a new Events List");
inline constexpr const char* kNoEventsDueText =
    TW_TRANSLATE_NOOP("Messages", "There are No Events Due");

// Whether the quick check has already run today: Options/OnceDaily on and
// QuickMode/LastRun exactly today's date.
bool QuickCheckRanToday(const TWinRegistry& reg);

// Creates MasterList and DueList, both empty (freeing earlier ones).
void CreateEventLists();
void FreeEventLists();

// Sets MasterList's FileName and loads it. A file that cannot be read whole
// is first copied aside, then the warning is shown (ShowMsg) with the copy's
// path on a line of its own; the list keeps the events read whole, and the
// user is asked whether a save may write them over the file. Until then the
// program is read-only (TReadOnlyCause::Damaged). True when the file loaded.
bool LoadMasterList(TEventBook& book, const std::string& dataFile);

// From the options and the first argument: the start mode. Runs the due
// scan when the mode needs it. Does not set StartMode.
std::uint8_t SettleStartMode(TEventBook& book, const std::string& firstArgument,
                             const TStartupHooks& hooks);

// The whole routine: the short date format from the system, the
// data file of dataFolder, then SettleStartMode. Sets StartMode and
// FirstArgument and returns the mode.
std::uint8_t RunStartupRoutine(TEventBook& book, const std::string& firstArgument,
                               const std::string& dataFolder, const TStartupHooks& hooks);
