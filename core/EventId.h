#pragma once
// A stable name for an event: positions change whenever events with equal
// keys are saved and loaded again, so commands that name an event by what
// the user saw a moment ago use this instead.
#include "core/EventRecord.h"
#include <cstdint>
#include <string>

class TTickwellItem;

inline constexpr size_t kEventIdLength = 12;

// Twelve lowercase hexadecimal digits digested from the stored record with
// its acknowledgement date left out, so acknowledging keeps the id. Equal
// stored fields give equal ids; the rule never changes between versions.
std::string EventId(const EventRecord& rec);
std::string EventId(const TTickwellItem& e);

// True when the text has the form of an id (kEventIdLength hex digits).
bool LooksLikeEventId(const std::string& text);

// The same identity as a 64-bit key for matching events within one process
// (equal stored fields but AckDate give equal keys), cheaper to compute than
// the id and not meant to be shown or stored. `packed` is a record as
// PackRecord lays it out.
std::uint64_t EventKey(const unsigned char* packed);
std::uint64_t EventKey(const TTickwellItem& e);
