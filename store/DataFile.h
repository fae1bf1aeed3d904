#pragma once
// The event data file: 292-byte records, no header, and its companion
// (store/Companion.h), read and written with it. Also the one shared
// delete of an event with the user's confirmation.
#include "core/EventLists.h"
#include "store/Companion.h"
#include <cstdint>
#include <string>
#include <vector>

// Adds the events of the file to the list, each at its sorted place (the list
// is not emptied first). True when the file was read to its end or does not
// exist; false when opening or reading failed. With oldFormat the three
// dates are converted from the pre-4.0 format. link tells how the companion
// matched.
bool LoadEvents(TListSorted& list, const std::string& path, bool oldFormat = false,
                TLinkReport* link = nullptr);
// Reads the whole file into new events without touching any list; false (and
// nothing allocated) on a read error or a file that ends part way through an
// event, unless `acceptCutEnd` takes such a file's whole events (the user
// has agreed to lose the rest). A missing file gives an empty vector. With
// oldFormat the three dates are converted from the pre-4.0 format.
bool ReadEventsFile(const std::string& path, std::vector<TTickwellItem*>& out,
                    bool acceptCutEnd = false, bool oldFormat = false);
// Writes every event of the list, replacing the file crash-safe; a path whose
// upper-cased extension is ".CSV" gets the CSV form instead. On failure the
// old file is intact and TTickwellError says why: "Error Saving Events List"
// with the reason and path on a second line for records, the reason and path
// for CSV.
bool SaveEvents(const TListSorted& list, const std::string& path);
// The same, for a copy of the events in a file of its own (export, backup).
bool WriteEventsCopy(const TListSorted& list, const std::string& path);
// The same; a master list saved to its own file takes the data file's lock
// and first takes in what other programs changed there (SaveSynced in
// store/DataFileSync.h).
bool SaveEvents(TMyList& list, const std::string& path);
// The records of the list, written crash-safe, then their companion; each record's identity
// (EventKey) in list order when keys is given. Throws as SaveEvents.
void WriteEventsFile(const TListSorted& list, const std::string& path,
                     std::vector<std::uint64_t>* keys);
// The companion alone, for records the file already holds as the list does
// (after linking gave ids that must now last). Throws as SaveEvents.
void WriteCompanion(const TListSorted& list, const std::string& path);
// Whether the event may be deleted: after asking, as the options say. A name
// given follows the question, so that the user sees which event goes.
bool ConfirmDelete(const TMyList& list, TTickwellItem* event, bool warnRepeating,
                   const std::string& name = {});
