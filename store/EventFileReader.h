#pragma once
// Reading the data file's records into new events, fast enough for a million:
// pieces small enough to stay in the processor's cache, the stretches of a
// large file shared by the cores, one block of memory per stretch for the
// events.
#include "core/TickwellItem.h"
#include "store/Companion.h"
#include <string>
#include <vector>

// The events of the file in file order, up to the first record that cannot be
// read. False when the file could not be read, a record was unreadable or the
// file ends part way through a record (out then holds the whole events before
// the damage); true for a missing file, with out empty.
// Dates are converted from the pre-4.0 format when `oldFormat` is set. If
// anything throws, nothing is left allocated. checks gets each event's
// record digests, for linking the companion.
bool ReadEventRecords(const std::string& path, bool oldFormat, std::vector<TTickwellItem*>& out,
                      std::vector<TRecordCheck>& checks);
