#pragma once
// Replacing a file so that a crash, a full disk or a missing folder never
// leaves it half-written: the bytes go to a temporary file in the same folder,
// are synced, and the temporary is renamed over the target.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// Modes for WriteFileAtomic: the replaced file's own (a new file is the
// owner's alone), or readable and writable by the owner alone.
inline constexpr int kKeepFileMode = -1;
inline constexpr int kPrivateFileMode = 0600;

// True when the file now holds exactly `bytes`. On failure the old file (if
// any) is untouched, no temporary is left behind, and errorText holds the
// system's description of what went wrong. The temporary, "<file>.tmp-" and
// six letters, is made private and never through a link; it gets the final
// mode before the rename.
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
// prefix + "YYYYMMDD-HHMMSS" (local time now) + suffix, with "-1", "-2"...
// after the stamp when that name is taken: a name for a kept copy.
std::string UnusedStampedPath(const std::string& prefix, const std::string& suffix);
// Both files read whole and hold the same bytes.
bool SameFileBytes(const std::string& a, const std::string& b);

// The file a write to path replaces: a symbolic link's target, else path.
std::string ReplacedPath(const std::string& path);
// Removes the temporaries of writes to path that never finished (their
// writer was killed). Only safe while no other write to path can be under
// way; returns how many went.
int RemoveTemporaries(const std::string& path);

// Which file is at a path and how it last changed, to tell whether another
// program replaced or rewrote it: a replacement gets a new inode, a rewrite
// a new time or size.
struct TFileStamp {
    bool Exists = false;
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
    std::int64_t Size = 0;
    std::int64_t ModifiedNs = 0;
    std::int64_t ChangedNs = 0;
    bool operator==(const TFileStamp&) const = default;
};
TFileStamp StampOf(const std::string& path);

// A file about to be replaced, kept until the replacement is known to stand:
// under a second name beside it (a hard link, which needs no space on a full
// disk), or as bytes in memory where the file system has no links. Dropped
// when this goes out of scope.
class TPreviousFile {
public:
    explicit TPreviousFile(const std::string& path);
    ~TPreviousFile();
    TPreviousFile(const TPreviousFile&) = delete;
    TPreviousFile& operator=(const TPreviousFile&) = delete;
    // Puts the old file back, or removes the new one when there was none;
    // false when that failed.
    bool PutBack();
    void Drop();

private:
    std::string Path;
    std::string Aside;
    bool Active = true;
    bool Existed = false;
    bool HasBytes = false;
    TFileBytes Bytes;
};

// Whether a write beside the file would work now: a private temporary of a
// few kilobytes is written and removed. False with the reason and
// the folder otherwise (a full disk, a read-only file system).
bool CanWriteBeside(const std::string& path, std::string& why);
