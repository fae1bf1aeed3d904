#pragma once
// A digest of bytes that is the same in every process and on every machine
// (std::hash promises neither), for digests that are stored or compared
// across programs: the companion file's, the sync folder's.
#include <cstddef>
#include <cstdint>
#include <string_view>

std::uint64_t StableDigest(const unsigned char* bytes, size_t size);
std::uint64_t StableDigest(std::string_view bytes);
