#include "core/Cp1252.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

// Code points of the bytes 0x80..0x9F; the rest of the code page equals
// Latin-1. The five bytes the code page leaves undefined keep their own
// number as a C1 control, so every byte survives a round trip.
constexpr std::array<char16_t, 32> kHighBytes{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

struct TUtf8Bytes {
    std::array<char, 3> Bytes;
    std::uint8_t Length;
};

constexpr std::array<TUtf8Bytes, 256> MakeToUtf8() {
    std::array<TUtf8Bytes, 256> table{};
    for (unsigned b = 0; b < 256; ++b) {
        const unsigned cp = (b >= 0x80 && b < 0xA0) ? kHighBytes[b - 0x80] : b;
        TUtf8Bytes& e = table[b];
        if (cp < 0x80) {
            e.Bytes = {static_cast<char>(cp), 0, 0};
            e.Length = 1;
        } else if (cp < 0x800) {
            e.Bytes = {static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F)),
                       0};
            e.Length = 2;
        } else {
            e.Bytes = {static_cast<char>(0xE0 | (cp >> 12)),
                       static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
                       static_cast<char>(0x80 | (cp & 0x3F))};
            e.Length = 3;
        }
    }
    return table;
}

constexpr std::array<TUtf8Bytes, 256> kToUtf8 = MakeToUtf8();

constexpr int kNotRepresentable = -1;
constexpr char32_t kInvalid = 0xFFFFFFFF;

// Bytes for the code points U+0100..U+21FF that the high bytes use; 0 where
// the code page has none. The largest of them is U+2122.
constexpr char32_t kWideBase = 0x100;
constexpr char32_t kWideEnd = 0x2200;

constexpr std::array<unsigned char, kWideEnd - kWideBase> MakeFromWide() {
    std::array<unsigned char, kWideEnd - kWideBase> table{};
    for (unsigned i = 0; i < kHighBytes.size(); ++i) {
        if (kHighBytes[i] >= kWideBase) {
            table[kHighBytes[i] - kWideBase] = static_cast<unsigned char>(0x80 + i);
        }
    }
    return table;
}

constexpr std::array<unsigned char, kWideEnd - kWideBase> kFromWide = MakeFromWide();

// The byte for a code point, or kNotRepresentable.
int ByteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp < kWideBase)) {
        return static_cast<int>(cp);
    }
    if (cp < 0xA0) {
        // Only the five undefined bytes stand for themselves among the C1 codes.
        return kHighBytes[cp - 0x80] == cp ? static_cast<int>(cp) : kNotRepresentable;
    }
    if (cp < kWideEnd && kFromWide[cp - kWideBase] != 0) {
        return kFromWide[cp - kWideBase];
    }
    return kNotRepresentable;
}

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Decodes one character at pos and moves past it. A byte that does not start
// a well-formed sequence (overlong forms and surrogates included) is one
// character of its own and gives kInvalid.
char32_t Decode(std::string_view s, size_t& pos) {
    const auto at = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = at(pos);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    size_t len = 0;
    unsigned char lo = 0x80;
    unsigned char hi = 0xBF;
    char32_t cp = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        cp = b0 & 0x0F;
        lo = b0 == 0xE0 ? 0xA0 : 0x80;
        hi = b0 == 0xED ? 0x9F : 0xBF;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        cp = b0 & 0x07;
        lo = b0 == 0xF0 ? 0x90 : 0x80;
        hi = b0 == 0xF4 ? 0x8F : 0xBF;
    } else {
        ++pos;
        return kInvalid;
    }
    if (pos + len > s.size() || at(pos + 1) < lo || at(pos + 1) > hi) {
        ++pos;
        return kInvalid;
    }
    for (size_t k = 1; k < len; ++k) {
        if (!IsContinuation(at(pos + k))) {
            ++pos;
            return kInvalid;
        }
        cp = (cp << 6) | (at(pos + k) & 0x3F);
    }
    pos += len;
    return cp;
}

} // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
    // Plain ASCII, the usual description, is copied as it is, eight bytes
    // tested at a time.
    size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        if (word & 0x8080808080808080ULL)
            break;
    }
    while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80)
        ++i;
    if (i == bytes.size())
        return std::string(bytes);
    // Sized exactly, so a loaded description holds no spare capacity.
    size_t size = i;
    for (size_t j = i; j < bytes.size(); ++j)
        size += kToUtf8[static_cast<unsigned char>(bytes[j])].Length;
    std::string out(size, '\0');
    char* p = out.data();
    for (const char c : bytes) {
        const TUtf8Bytes& e = kToUtf8[static_cast<unsigned char>(c)];
        for (int i = 0; i < e.Length; ++i)
            p[i] = e.Bytes[i];
        p += e.Length;
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8, size_t maxChars) {
    std::string out;
    out.reserve(utf8.size() < maxChars ? utf8.size() : maxChars);
    size_t pos = 0;
    while (pos < utf8.size() && out.size() < maxChars) {
        if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
            out += utf8[pos++];
            continue;
        }
        const char32_t cp = Decode(utf8, pos);
        const int b = cp == kInvalid ? kNotRepresentable : ByteOf(cp);
        out += b == kNotRepresentable ? '?' : static_cast<char>(b);
    }
    return out;
}

bool IsUtf8(std::string_view bytes) {
    size_t pos = 0;
    while (pos < bytes.size())
        if (static_cast<unsigned char>(bytes[pos]) < 0x80)
            ++pos;
        else if (Decode(bytes, pos) == kInvalid)
            return false;
    return true;
}

std::string FirstUnstorable(std::string_view utf8) {
    size_t pos = 0;
    while (pos < utf8.size()) {
        const size_t start = pos;
        const char32_t cp = Decode(utf8, pos);
        if (cp == kInvalid) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(utf8[start]));
            return std::string("the byte 0x") + hex + ", which is not UTF-8";
        }
        const bool control = (cp < 0x20 && cp != '\r' && cp != '\n') || (cp >= 0x7F && cp < 0xA0);
        if (control) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
            return std::string("the control character ") + code;
        }
    }
    return {};
}

size_t Utf8Length(std::string_view utf8) {
    size_t count = 0;
    size_t pos = 0;
    while (pos < utf8.size()) {
        Decode(utf8, pos);
        ++count;
    }
    return count;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}
