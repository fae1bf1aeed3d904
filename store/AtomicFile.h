#pragma once
// Replacing a file so that a crash, a full disk or a missing folder never
// leaves it half-written: the bytes go to a temporary file in the same folder,
// are synced, and the temporary is renamed over the target.
#include <memory>
#include <string>
#include <string_view>

// Modes for WriteFileAtomic: the replaced file's own (a new one's from the
// umask), or readable and writable by the owner alone.
inline constexpr int kKeepFileMode = -1;
inline constexpr int kPrivateFileMode = 0600;

// True when the file now holds exactly `bytes`. On failure the old file (if
// any) is untouched, no temporary is left behind, and errorText holds the
// system's description of what went wrong. The temporary has the final mode
// from the start.
bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string& errorText,
                     int mode = kKeepFileMode);

// A file's bytes, read in one go into memory that is not zero-filled first.
struct TFileBytes {
    std::unique_ptr<char[]> Data;
    size_t Size = 0;
    std::string_view View() const { return {Data.get(), Size}; }
};

// The whole file; false with the system's error text otherwise. A missing
// file fails with missing set, so callers can tell it apart.
bool ReadWholeFile(const std::string& path, TFileBytes& bytes, std::string& errorText,
                   bool* missing = nullptr);

bool FileExists(const std::string& path);
