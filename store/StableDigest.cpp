#include "store/StableDigest.h"
#include <bit>
#include <cstring>

// Eight bytes at a time with a full mix at the end; written out because the
// digests are stored and must not change with the compiler or library.
std::uint64_t StableDigest(const unsigned char* bytes, size_t size) {
    std::uint64_t h = 0x9e3779b97f4a7c15ull ^ size;
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, bytes + i, 8);
        if constexpr (std::endian::native == std::endian::big)
            w = __builtin_bswap64(w);
        h = (h ^ w) * 0xff51afd7ed558ccdull;
        h ^= h >> 32;
    }
    for (; i < size; ++i)
        h = (h ^ bytes[i]) * 0x100000001b3ull;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ull;
    h ^= h >> 33;
    return h;
}

std::uint64_t StableDigest(std::string_view bytes) {
    return StableDigest(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}
