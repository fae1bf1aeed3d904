#pragma once
// A stable name for an event: positions change whenever events with equal
// keys are saved and loaded again, so commands that name an event by what
// the user saw a moment ago use this instead.
#include "core/EventRecord.h"
#include <cstdint>
#include <string>

class TTickwellItem;

inline constexpr size_t kEventIdLength = 12;

// The event's id as twelve lowercase hexadecimal digits. An event that has
// not been given one yet shows the id it would be given (DerivedId).
std::string EventId(const TTickwellItem& e);
std::string FormatEventId(std::uint64_t id);
// The id given to a record met without one (a file from before the companion
// or from another program): digested from its stored fields with the
// acknowledgement date left out, so every reader of the same file gives the
// same ids until they are stored. The rule never changes between versions;
// it is the id such an event always showed.
std::uint64_t DerivedId(const EventRecord& rec);
std::string EventId(const EventRecord& rec);
// A fresh id for a new event, drawn at random so that events made on two
// machines do not meet; never 0.
std::uint64_t NewEventId();
// The id held by text of the form LooksLikeEventId.
std::uint64_t ParseEventId(const std::string& text);

// True when the text has the form of an id (kEventIdLength hex digits).
bool LooksLikeEventId(const std::string& text);

// A 64-bit key for matching one version of an event within one process:
// equal for equal id, text and stored fields but AckDate, so that an edit
// anywhere (even one that only the full text shows) gives a new key. Not
// meant to be shown or stored.
std::uint64_t EventKey(const TTickwellItem& e);
// The same from the event's id and its record as ToRecord and PackRecord
// gave them, for a loop that has them already.
std::uint64_t EventKey(std::uint64_t id, const EventRecord& rec, const unsigned char* packed);
