#pragma once
// The settings store: a registry of keys and typed values under the current
// user, reached through a replaceable backend (a file on this platform, memory
// in tests), and the two access styles the windows use on it.
#include "core/DateTime.h"
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// Registry value types, numbered as the system registry numbers them.
enum TRegType : std::uint32_t {
    rtString = 1,
    rtExpandString = 2,
    rtBinary = 3,
    rtDword = 4,
    rtDwordBigEndian = 5,
};

struct TRegValue {
    // How the value is written in the settings file: a quoted text, a
    // dword: number, or a list of bytes of any type (hex: or hex(n):).
    enum TForm : std::uint8_t { fText, fNumber, fBytes };

    // One of TRegType, or another registry type kept as raw bytes.
    std::uint32_t Type = rtString;
    TForm Form = fText;
    std::string Text;                // fText
    std::uint32_t Dword = 0;         // fNumber
    std::vector<std::uint8_t> Bytes; // fBytes

    static TRegValue String(std::string text);
    static TRegValue Number(std::uint32_t value);
    static TRegValue Binary(std::vector<std::uint8_t> bytes);
    static TRegValue Raw(std::uint32_t type, std::vector<std::uint8_t> bytes);
    friend bool operator==(const TRegValue&, const TRegValue&) = default;
};

// The value as a 32-bit number (dword:, or hex(4)/hex(5) bytes), as text (a
// quoted text, or hex(1)/hex(2) bytes: UTF-16LE when they end in a two-byte
// terminator, else 8-bit text up to the first NUL, UTF-8 when it is valid and
// Windows-1252 otherwise), or as a date (8 bytes of hex:, a little-endian
// double). False when it is stored in another form.
bool RegNumber(const TRegValue& v, std::uint32_t& out);
bool RegText(const TRegValue& v, std::string& out);
bool RegDate(const TRegValue& v, double& out);

// Key and value names compare without regard to (ASCII) case.
bool SameRegName(std::string_view a, std::string_view b);

// The whole registry of the current user: keys by full path below the hive
// (e.g. "software\VELTRA\Tickwell\Options"), each with its values in the
// order they were first written. Names keep the spelling first used. Keys and
// values are found through indexes, so a large file reads in linear time.
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
    friend bool operator==(const TRegData& a, const TRegData& b) { return a.KeyList == b.KeyList; }

private:
    using TIndex = std::unordered_map<std::string, size_t>;
    size_t KeyPosition(std::string_view path) const;
    void IndexValues(size_t key);
    void IndexKeys();

    std::vector<TKey> KeyList;
    // Lower-cased key path to its place in KeyList; per key, lower-cased
    // value name to its place in Values.
    TIndex KeyIndex;
    std::vector<TIndex> ValueIndex;
};

// Where the registry lives. Load gives a snapshot; Update applies a change
// atomically against the current contents (re-read first), so that several
// processes writing at once lose nothing. Either throws when the store cannot
// be read or written.
//
// A backend also remembers what the user was told about it: each stored
// value that cannot be read once, and a failure to read or to save once
// until reading or saving works again, so a full disk at exit, where every
// window saves, gives one notice and not one per value.
class TRegistryBackend {
public:
    virtual ~TRegistryBackend() = default;
    virtual TRegData Load() = 0;
    virtual void Update(const std::function<void(TRegData&)>& change) = 0;
    // Where the values are kept, for notices; empty when nowhere a user can look.
    virtual std::string Where() const { return {}; }

    enum TFailure { fkRead, fkWrite };
    // Warns through ShowMsg unless told already.
    void TellUnreadable(const std::string& key, const std::string& name, const char* expected);
    void TellFailure(TFailure kind, const std::string& text);
    void FailureOver(TFailure kind);

    // Who hears of a setting that a write through TSettings changed
    // (store/Settings.h). Kept with the values they are about, so a store put
    // in place of this one starts with nobody listening.
    using TChangeListener = std::function<void(const std::string& key)>;
    int Listen(TChangeListener listener);
    void StopListening(int id);
    void TellChanged(const std::string& key);

private:
    std::mutex ListenLock;
    std::map<int, TChangeListener> Listeners;
    int LastListener = 0;
    std::mutex ToldLock;
    std::set<std::string> ToldValues;
    bool FailureTold[2] = {false, false};
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
//
// Nothing here throws on a damaged or unwritable store: a value stored in a
// form that cannot be read as asked gives the caller's default, a store that
// cannot be read gives every default, and a write that fails leaves the
// stored settings as they were; each is told to the user once (see
// TRegistryBackend).
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
    // False when the store could not be read at all (every read gave its
    // default).
    bool StoreRead() const { return StoreReadFlag; }
    // The names of the values read through this key that were stored in a
    // form that could not be read, in the order met.
    const std::vector<std::string>& UnreadableValues() const { return UnreadableNames; }

protected:
    const TRegValue* Find(const std::string& section, const std::string& name) const;
    void Put(const std::string& section, const std::string& name, TRegValue value);
    std::string SectionPath(const std::string& section) const;
    // The default, after telling that the value is not of the kind expected
    // ("a number", "a text", "a date").
    template <class T>
    T Unreadable(const std::string& section, const std::string& name, const char* expected,
                 T def) const {
        Backend->TellUnreadable(SectionPath(section), name, expected);
        UnreadableNames.push_back(name);
        return def;
    }

private:
    void Change(const std::function<void(TRegData&)>& change);

    std::string Root;
    std::shared_ptr<TRegistryBackend> Backend;
    TRegData Snapshot;
    bool StoreReadFlag = true;
    mutable std::vector<std::string> UnreadableNames;
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
