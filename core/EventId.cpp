#include "core/EventId.h"
#include "core/TickwellItem.h"
#include <cctype>
#include <cstdint>
#include <functional>
#include <random>
#include <string_view>

namespace {

// FNV-1a over the packed bytes, then a full-avalanche finaliser so that the
// digits shown (the top 48 bits) depend on every byte. Hand-written because
// the id must stay the same across builds and library versions, which
// std::hash does not promise.
std::uint64_t Digest(const unsigned char* bytes, size_t size) {
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (size_t i = 0; i < size; ++i) {
        h ^= bytes[i];
        h *= 0x100000001b3ull;
    }
    h ^= h >> 30;
    h *= 0xbf58476d1ce4e5b9ull;
    h ^= h >> 27;
    h *= 0x94d049bb133111ebull;
    h ^= h >> 31;
    return h;
}

} // namespace

std::uint64_t DerivedId(const EventRecord& rec) {
    EventRecord unacknowledged = rec;
    unacknowledged.AckDate = 0;
    unsigned char packed[kRecordSize];
    PackRecord(unacknowledged, packed);
    return Digest(packed, kRecordSize) >> 16;
}

std::string FormatEventId(std::uint64_t id) {
    static const char kHex[] = "0123456789abcdef";
    std::string text(kEventIdLength, '0');
    for (size_t i = 0; i < kEventIdLength; ++i)
        text[i] = kHex[(id >> (44 - 4 * i)) & 0xF];
    return text;
}

std::string EventId(const EventRecord& rec) {
    return FormatEventId(DerivedId(rec));
}

std::string EventId(const TTickwellItem& e) {
    if (e.Id != 0)
        return FormatEventId(e.Id);
    EventRecord rec;
    e.ToRecord(rec);
    return EventId(rec);
}

std::uint64_t NewEventId() {
    static thread_local std::mt19937_64 draw{std::random_device{}() ^
                                             (std::uint64_t(std::random_device{}()) << 32)};
    std::uint64_t id = 0;
    while (id == 0)
        id = draw() >> 16;
    return id;
}

bool LooksLikeEventId(const std::string& text) {
    if (text.size() != kEventIdLength)
        return false;
    for (unsigned char c : text)
        if (!std::isxdigit(c))
            return false;
    return true;
}

std::uint64_t ParseEventId(const std::string& text) {
    return std::stoull(text, nullptr, 16);
}

std::uint64_t EventKey(const TTickwellItem& e) {
    EventRecord rec;
    e.ToRecord(rec);
    unsigned char packed[kRecordSize];
    PackRecord(rec, packed);
    return EventKey(e.Id, rec, packed);
}

std::uint64_t EventKey(std::uint64_t id, const EventRecord& rec, const unsigned char* packed) {
    // Every stored byte before the acknowledgement date, which comes last.
    static_assert(kRecordSize == 292);
    std::uint64_t key = std::hash<std::string_view>{}(std::string_view(
                            reinterpret_cast<const char*>(packed), kRecordSize - 8)) ^
                        (id * 0x9e3779b97f4a7c15ull);
    if (!rec.Text.empty())
        key ^= std::hash<std::string>{}(rec.Text) * 0xbf58476d1ce4e5b9ull;
    return key;
}
