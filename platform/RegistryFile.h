#pragma once
// The settings registry kept in one text file in the format of registry
// export files, version 4 ("REGEDIT4"), so it can be read and edited by hand.
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\software\VELTRA\Tickwell\Options]
//   "MainWindow"=dword:00000001
//   "WavFile"="/home/ann/chime.wav"
//
// Every Load reads the file anew. Every Update takes an exclusive lock on
// "<file>.lock", re-reads the file, applies the change and replaces the file
// through a synced temporary file and a rename, so processes writing at once
// lose nothing and a crash leaves either the old or the new file.
#include "store/Registry.h"
#include <functional>
#include <string>
#include <string_view>

inline constexpr const char* kRegFileHeader = "REGEDIT4";
inline constexpr const char* kRegFileHive = "HKEY_CURRENT_USER";

// False (with a reason naming the line) when the text is not such a file.
bool ParseRegFile(std::string_view text, TRegData& out, std::string& error);
std::string FormatRegFile(const TRegData& data);

class TRegistryFile : public TRegistryBackend {
public:
    // Told once, by the process that found it, that a file could not be
    // parsed and where it was kept.
    using TDamageNotice = std::function<void(const std::string& text)>;

    // The default notice is a warning through ShowMsg.
    explicit TRegistryFile(std::string path, TDamageNotice notice = {});

    TRegData Load() override;
    void Update(const std::function<void(TRegData&)>& change) override;
    const std::string& Path() const { return FilePath; }

private:
    // Reads and parses the file; a file that does not parse is moved aside
    // (under the lock) and an empty registry is returned.
    TRegData ReadLocked();
    bool TryRead(TRegData& out, std::string& error) const;
    void KeepDamaged(const std::string& error);
    void WriteLocked(const TRegData& data);
    void TellDamage();

    std::string FilePath;
    TDamageNotice Notice;
    std::string PendingNotice;
};

// Installs the settings file of ConfigFolder() as the process-wide registry.
void InstallRegistryFile(TRegistryFile::TDamageNotice notice = {});
