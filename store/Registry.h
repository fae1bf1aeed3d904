#pragma once
// The settings store: a registry of keys and typed values under the current
// user, reached through a replaceable backend (a file on this platform, memory
// in tests), and the two access styles the windows use on it.
#include "core/DateTime.h"
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Registry value types, numbered as the system registry numbers them.
enum TRegType : std::uint32_t {
    rtString = 1,
    rtBinary = 3,
    rtDword = 4,
};

struct TRegValue {
    // One of TRegType, or another registry type kept as raw bytes.
    std::uint32_t Type = rtString;
    std::string Text;                // rtString
    std::uint32_t Dword = 0;         // rtDword
    std::vector<std::uint8_t> Bytes; // rtBinary and any other type

    static TRegValue String(std::string text);
    static TRegValue Number(std::uint32_t value);
    static TRegValue Binary(std::vector<std::uint8_t> bytes);
    friend bool operator==(const TRegValue&, const TRegValue&) = default;
};

// Key and value names compare without regard to (ASCII) case.
bool SameRegName(std::string_view a, std::string_view b);

// The whole registry of the current user: keys by full path below the hive
// (e.g. "software\VELTRA\Tickwell\Options"), each with its values in the
// order they were first written. Names keep the spelling first used.
class TRegData {
public:
    struct TKey {
        std::string Path;
        std::vector<std::pair<std::string, TRegValue>> Values;
        friend bool operator==(const TKey&, const TKey&) = default;
    };

    const TKey* FindKey(std::string_view path) const;
    const TRegValue* Find(std::string_view path, std::string_view name) const;
    // Creates the key when missing; a new key takes the spelling of the
    // longest existing key its path begins with.
    TKey& CreateKey(std::string_view path);
    void Set(std::string_view path, std::string_view name, TRegValue value);
    // Removes one value; true when it was there.
    bool Remove(std::string_view path, std::string_view name);
    // Removes a key and every key below it.
    void RemoveKey(std::string_view path);
    const std::vector<TKey>& Keys() const { return KeyList; }
    bool Empty() const { return KeyList.empty(); }
    friend bool operator==(const TRegData&, const TRegData&) = default;

private:
    TKey* FindKeyMutable(std::string_view path);
    std::vector<TKey> KeyList;
};

// Where the registry lives. Load gives a snapshot; Update applies a change
// atomically against the current contents (re-read first), so that several
// processes writing at once lose nothing.
class TRegistryBackend {
public:
    virtual ~TRegistryBackend() = default;
    virtual TRegData Load() = 0;
    virtual void Update(const std::function<void(TRegData&)>& change) = 0;
};

// A registry held in memory: the default until a program installs its own,
// and the one tests use.
class TMemoryRegistry : public TRegistryBackend {
public:
    TMemoryRegistry() = default;
    explicit TMemoryRegistry(TRegData data) : Data(std::move(data)) {}
    TRegData Load() override;
    void Update(const std::function<void(TRegData&)>& change) override;

private:
    std::mutex Lock;
    TRegData Data;
};

// The process-wide backend every TWinRegistry and TRegIniFile uses. Returns
// the previous one. Passing nullptr installs a fresh memory registry.
std::shared_ptr<TRegistryBackend> SetRegistryBackend(std::shared_ptr<TRegistryBackend> backend);
std::shared_ptr<TRegistryBackend> RegistryBackend();

// The root key of the program's settings.
inline constexpr const char* kRegistryRoot = "software\\VELTRA\\Tickwell";

// Common ground of the two access styles: a key opened for one window
// operation. Opening reads the registry once; each write goes straight to the
// backend (and into the snapshot, so later reads see it).
class TRegistryKey {
public:
    explicit TRegistryKey(std::string rootPath);
    const std::string& RootPath() const { return Root; }
    // True when the section key (a sub-key of the root) exists.
    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& name) const;
    void DeleteValue(const std::string& section, const std::string& name);
    // Text is a string value in both styles.
    std::string ReadString(const std::string& section, const std::string& name,
                           const std::string& def) const;
    void WriteString(const std::string& section, const std::string& name, const std::string& text);

protected:
    const TRegValue* Find(const std::string& section, const std::string& name) const;
    void Put(const std::string& section, const std::string& name, TRegValue value);
    std::string SectionPath(const std::string& section) const;
    // The registry layer's error for a value of an unexpected type.
    [[noreturn]] static void WrongType(const std::string& name);

private:
    std::string Root;
    std::shared_ptr<TRegistryBackend> Backend;
    TRegData Snapshot;
};

// Typed style: text as string values, integers and booleans as 32-bit
// numbers, dates as 8-byte doubles.
class TWinRegistry : public TRegistryKey {
public:
    explicit TWinRegistry(std::string rootPath = kRegistryRoot)
        : TRegistryKey(std::move(rootPath)) {}

    std::int32_t ReadInteger(const std::string& section, const std::string& name,
                             std::int32_t def) const;
    void WriteInteger(const std::string& section, const std::string& name, std::int32_t value);
    bool ReadBool(const std::string& section, const std::string& name, bool def) const;
    void WriteBool(const std::string& section, const std::string& name, bool value);
    double ReadFloat(const std::string& section, const std::string& name, double def) const;
    void WriteFloat(const std::string& section, const std::string& name, double value);
};

// All-text style (the list views' keys): everything is a string value;
// integers in decimal ("0x" prefix read as hexadecimal), booleans "0"/"1".
class TRegIniFile : public TRegistryKey {
public:
    explicit TRegIniFile(std::string keyPath) : TRegistryKey(std::move(keyPath)) {}

    // Text that is not a number gives the default.
    std::int32_t ReadInteger(const std::string& section, const std::string& name,
                             std::int32_t def) const;
    void WriteInteger(const std::string& section, const std::string& name, std::int32_t value);
    bool ReadBool(const std::string& section, const std::string& name, bool def) const;
    void WriteBool(const std::string& section, const std::string& name, bool value);
};

// Decimal or "0x" hexadecimal text to a 32-bit integer (hex may use all 32
// bits); false when the text is not such a number.
bool ParseRegInteger(std::string_view text, std::int32_t& out);
