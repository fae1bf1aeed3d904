#pragma once
// The fixed transfer form of an event's stored fields: the same values, widths
// and order as one 292-byte record of the data file. The description is held
// as the file holds it: a length byte and up to 255 Windows-1252 bytes.
#include "core/DateTime.h"
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr size_t kRecordSize = 292;
inline constexpr size_t kMaxDescription = 255;

struct EventRecord {
    uint8_t DescriptionLength = 0;
    char DescriptionBytes[kMaxDescription] = {};
    uint8_t EventType = 0;
    int16_t Rank = 0;
    int16_t Weekday = 0;
    int16_t Interval = 0;
    TDateTime StartDate = 0;
    TDateTime EndDate = 0;
    int16_t NoticePeriod = 0;
    uint8_t Simple = 0;
    uint8_t KeepFlag = 0;
    uint8_t NoEndPoint = 0;
    TDateTime AckDate = 0;
    // The description as the user wrote it, when the bytes above cannot hold
    // it exactly (a character outside Windows-1252); empty otherwise. It is
    // not part of the 292 bytes: the companion file beside the records keeps
    // it.
    std::string Text;

    // The description as UTF-8 text.
    std::string Description() const;
    // Keeps the first 255 characters of the UTF-8 text; in the bytes a
    // character that Windows-1252 cannot hold becomes '?'.
    void SetDescription(std::string_view utf8);
};

// Fills the record with the import's defaults (start date today).
void DefaultRecord(EventRecord& rec);

// The byte layout of the data file: little-endian, packed.
void PackRecord(const EventRecord& rec, unsigned char out[kRecordSize]);
// The same as bytes, for comparing and digesting.
std::string PackedRecord(const EventRecord& rec);
// The same bytes on disk and the same text.
bool SameStoredFields(const EventRecord& a, const EventRecord& b);
void UnpackRecord(const unsigned char in[kRecordSize], EventRecord& rec);
