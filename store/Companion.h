#pragma once
// The companion file beside a data file ("<data file>.ext"): for each record,
// in the records' order, the event's lasting id, its text where the record's
// Windows-1252 bytes cannot hold it, and the attributes the record has no
// room for. The records stay exactly as other programs read them; the
// companion only adds.
//
// One line per event, tab-separated after a first line naming the format:
//   <id> <whole> <rule> <description> <text> [key=value ...]
// where whole, rule and description are digests of the record the line was
// written with (all of it but the acknowledgement; its repeat rule and
// dates; its description bytes) and text is empty when the record holds the
// text exactly, so that a record another program changed is still
// known as the same event. Written after the records, under the same lock,
// both crash-safe: a kill in between leaves records the companion does not
// describe, which the digests then link as far as they can. A plain text
// file rather than a database: two files cannot be replaced at once by any
// tool, so the linking rules are needed either way, and text is what a user
// can read and mend.
#include "core/TickwellItem.h"
#include <cstdint>
#include <string>
#include <vector>

// Digests of one packed record, stable across builds and machines.
struct TRecordCheck {
    std::uint64_t Whole = 0;
    std::uint64_t Rule = 0;
    std::uint64_t Text = 0;
    bool operator==(const TRecordCheck&) const = default;
};
TRecordCheck CheckRecord(const unsigned char* packed);

std::string CompanionPath(const std::string& recordsPath);

// How linking went.
struct TLinkReport {
    int Exact = 0;   // records the companion described as they are
    int Kept = 0;    // changed elsewhere, known by their digests: id kept
    int Given = 0;   // records the companion did not know, or ids it repeated: id given
    int Dropped = 0; // companion lines whose record is gone
    bool InStep() const { return Kept + Given + Dropped == 0; }
};

// Gives each event (in file order, checks[i] its record's digests) its id,
// full text and other attributes from the companion beside the file:
// - a record the companion describes as it is takes that line's id and text;
// - a record changed by a program that did not know the companion keeps the
//   id of the line it still matches: the same description (then the full
//   text stays too) or else the same rule and dates (then the record's text
//   wins);
// - any other record gets the id derived from its fields (DerivedId, made
//   unique), so that every reader of the file gives it the same id until
//   the companion is next written, and its text from the record.
// A missing or unreadable companion links every record the last way; a line
// that cannot be read is passed over.
TLinkReport LinkCompanion(const std::string& recordsPath, const std::vector<TTickwellItem*>& events,
                          const std::vector<TRecordCheck>& checks);

// Builds the companion's text for the events in file order, as their
// records are packed; first gives them unique ids (GiveUniqueIds).
class TCompanionWriter {
public:
    explicit TCompanionWriter(const std::vector<TTickwellItem*>& order);
    // rec is the event's record as ToRecord gave it, packed its bytes.
    void Add(const TTickwellItem& e, const EventRecord& rec, const unsigned char* packed);
    const std::string& Text();

private:
    std::string Out;
    std::uint64_t IdSum = 0;
};

// Gives every event without an id a new one, and a new one to each event
// but the first (in the given order) that holds an id another already has.
void GiveUniqueIds(const std::vector<TTickwellItem*>& events);
