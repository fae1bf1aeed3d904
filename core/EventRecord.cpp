#include "core/EventRecord.h"
#include "core/Clock.h"
#include "core/Cp1252.h"
#include <algorithm>
#include <bit>
#include <cstring>

std::string EventRecord::Description() const {
    if (!Text.empty())
        return Text;
    return Cp1252ToUtf8(std::string_view(DescriptionBytes, DescriptionLength));
}

void EventRecord::SetDescription(std::string_view utf8) {
    const std::string bytes = Utf8ToCp1252(utf8, kMaxDescription);
    DescriptionLength = static_cast<uint8_t>(bytes.size());
    std::memset(DescriptionBytes, 0, sizeof DescriptionBytes);
    std::memcpy(DescriptionBytes, bytes.data(), bytes.size());
    Text.clear();
    std::string held = Cp1252ToUtf8(bytes);
    if (held.size() == utf8.size() && held == utf8)
        return;
    // Cut to the same 255 characters as the bytes.
    size_t end = 0;
    for (size_t chars = 0; end < utf8.size() && chars < kMaxDescription; ++chars) {
        ++end;
        while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
            ++end;
    }
    if (held != utf8.substr(0, end))
        Text.assign(utf8.substr(0, end));
}

void DefaultRecord(EventRecord& rec) {
    rec = EventRecord{};
    rec.EventType = 0;
    rec.Rank = 0;
    rec.Weekday = 0;
    rec.Interval = 1;
    rec.StartDate = Today();
    rec.EndDate = 0;
    rec.NoticePeriod = 7;
    rec.Simple = 1;
    rec.KeepFlag = 0;
    rec.NoEndPoint = 1;
    rec.AckDate = 0;
}

namespace {

template <typename T> void Put(unsigned char* out, size_t offset, T value) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    if constexpr (std::endian::native == std::endian::big)
        std::reverse(bytes, bytes + sizeof(T));
    std::memcpy(out + offset, bytes, sizeof(T));
}

template <typename T> T Get(const unsigned char* in, size_t offset) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, in + offset, sizeof(T));
    if constexpr (std::endian::native == std::endian::big)
        std::reverse(bytes, bytes + sizeof(T));
    T value;
    std::memcpy(&value, bytes, sizeof(T));
    return value;
}

uint8_t Flag(uint8_t b) {
    return b != 0 ? 1 : 0;
}

} // namespace

void PackRecord(const EventRecord& rec, unsigned char out[kRecordSize]) {
    std::memset(out, 0, kRecordSize);
    const uint8_t len = std::min<uint8_t>(rec.DescriptionLength, kMaxDescription);
    out[0] = len;
    std::memcpy(out + 1, rec.DescriptionBytes, len);
    out[256] = rec.EventType;
    Put<int16_t>(out, 257, rec.Rank);
    Put<int16_t>(out, 259, rec.Weekday);
    Put<int16_t>(out, 261, rec.Interval);
    Put<double>(out, 263, rec.StartDate);
    Put<double>(out, 271, rec.EndDate);
    Put<int16_t>(out, 279, rec.NoticePeriod);
    out[281] = Flag(rec.Simple);
    out[282] = Flag(rec.KeepFlag);
    out[283] = Flag(rec.NoEndPoint);
    Put<double>(out, 284, rec.AckDate);
}

std::string PackedRecord(const EventRecord& rec) {
    unsigned char packed[kRecordSize];
    PackRecord(rec, packed);
    return std::string(reinterpret_cast<const char*>(packed), sizeof packed);
}

void UnpackRecord(const unsigned char in[kRecordSize], EventRecord& rec) {
    // Only the first length bytes of the text count; the rest is not read.
    rec.DescriptionLength = in[0];
    std::memcpy(rec.DescriptionBytes, in + 1, rec.DescriptionLength);
    rec.EventType = in[256];
    rec.Rank = Get<int16_t>(in, 257);
    rec.Weekday = Get<int16_t>(in, 259);
    rec.Interval = Get<int16_t>(in, 261);
    rec.StartDate = Get<double>(in, 263);
    rec.EndDate = Get<double>(in, 271);
    rec.NoticePeriod = Get<int16_t>(in, 279);
    rec.Simple = in[281];
    rec.KeepFlag = in[282];
    rec.NoEndPoint = in[283];
    rec.AckDate = Get<double>(in, 284);
}

bool SameStoredFields(const EventRecord& a, const EventRecord& b) {
    unsigned char pa[kRecordSize], pb[kRecordSize];
    PackRecord(a, pa);
    PackRecord(b, pb);
    return std::memcmp(pa, pb, kRecordSize) == 0 && a.Text == b.Text;
}
