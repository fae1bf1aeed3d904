#pragma once
// The settings registry kept in one text file in the format of registry
// export files (store/RegFileFormat.h), readable by its owner only.
//
// The file is read once and again only when it changed on disk (another
// identity, size or time), so opening the settings for every window costs a
// stat. Every Update takes an exclusive lock on "<file>.lock", re-reads the
// file if it changed, applies the change and replaces the file through a
// synced temporary file and a rename, so processes writing at once lose
// nothing and a crash leaves either the old or the new file.
//
// A line that cannot be read costs only its own value: the rest is used, the
// user is told, and before the file is next written without that line a copy
// of it is kept beside it, as for a file that cannot be read at all.
#include "store/RegFileFormat.h"
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <sys/stat.h>

class TRegistryFile : public TRegistryBackend {
public:
    // A larger file is taken for damaged: this program's own settings take a
    // few kilobytes, and reading one of hundreds of megabytes would stall
    // every window that opens.
    static constexpr size_t kMaxFileSize = size_t{4} << 20;

    // Told once, by the process that found it, that a file could not be
    // parsed and where it was kept, or which of its lines and values cannot
    // be used.
    using TDamageNotice = std::function<void(const std::string& text)>;

    // The default notice is a warning through ShowMsg.
    explicit TRegistryFile(std::string path, TDamageNotice notice = {});

    TRegData Load() override;
    void Update(const std::function<void(TRegData&)>& change) override;
    std::string Where() const override { return FilePath; }
    const std::string& Path() const { return FilePath; }

private:
    // What tells one state of the file from another without reading it.
    struct TIdentity {
        bool Exists = false;
        dev_t Device = 0;
        ino_t Inode = 0;
        off_t Size = 0;
        timespec Modified{};
        timespec Changed{};
        bool operator==(const TIdentity& o) const;
    };
    static TIdentity IdentityOf(const struct stat& st);

    // Reads and parses the file; a file that does not parse is moved aside
    // (under the lock) and an empty registry is returned. partlyRead tells
    // that lines of the file could not be read and were left out.
    TRegData ReadLocked(bool& partlyRead);
    bool TryRead(TRegData& out, bool& partlyRead, std::string& error);
    // Lines that could not be read and values the program cannot use, told
    // by the next TellDamage.
    void NoteUnusable(const std::vector<TRegFileSkip>& skipped,
                      const std::vector<std::string>& outOfRange);
    // The file's text and identity (none when missing), steady when the file
    // did not change while it was read; false with error set when it is no
    // settings file this program would write (too large, not a regular file).
    bool ReadText(std::string& text, TIdentity& id, bool& steady, std::string& error) const;
    void KeepDamaged(const std::string& error);
    // A copy of a partly read file, before it is written without the lines
    // that could not be read.
    void KeepPartlyRead();
    void WriteLocked(const TRegData& data);
    void TellDamage();
    void Remember(const TIdentity& id, const TRegData& data, bool partlyRead);

    std::string FilePath;
    TDamageNotice Notice;
    std::string PendingNotice;
    std::mutex CacheLock;
    bool Cached = false;
    TIdentity CachedIdentity;
    TRegData CachedData;
    bool CachedPartlyRead = false;
    std::set<std::string> Told;
};

// Installs the settings file of ConfigFolder() as the process-wide registry.
void InstallRegistryFile(TRegistryFile::TDamageNotice notice = {});
