#include "store/Registry.h"

#include "core/Cp1252.h"
#include "core/Messages.h"
#include "core/TrNoop.h"
#include "store/RegFileFormat.h"
#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when path is prefix itself or begins with prefix followed by '\'.
bool StartsWithKey(std::string_view path, std::string_view prefix) {
    if (path.size() < prefix.size() || !SameRegName(path.substr(0, prefix.size()), prefix))
        return false;
    return path.size() == prefix.size() || path[prefix.size()] == '\\';
}

std::string LowerName(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        c = LowerAscii(c);
    return out;
}

constexpr size_t kNoKey = static_cast<size_t>(-1);

// Well-formed UTF-8: no stray continuation bytes, overlong forms, surrogates
// or code points past U+10FFFF.
bool IsValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const size_t n = c < 0x80             ? 0
                         : (c & 0xE0) == 0xC0 ? 1
                         : (c & 0xF0) == 0xE0 ? 2
                         : (c & 0xF8) == 0xF0 ? 3
                                              : 4;
        if (n == 4 || i + n >= s.size())
            return false;
        std::uint32_t cp = n == 0 ? c : c & (0x3F >> n);
        for (size_t k = 1; k <= n; ++k) {
            const auto b = static_cast<unsigned char>(s[i + k]);
            if ((b & 0xC0) != 0x80)
                return false;
            cp = cp << 6 | (b & 0x3F);
        }
        static constexpr std::uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kLeast[n] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return false;
        i += n + 1;
    }
    return true;
}

// UTF-16LE up to the first NUL; false on a lone surrogate.
bool Utf16LeText(const std::vector<std::uint8_t>& b, std::string& out) {
    std::string text;
    for (size_t i = 0; i + 1 < b.size(); i += 2) {
        std::uint32_t u = b[i] | static_cast<std::uint32_t>(b[i + 1]) << 8;
        if (u == 0)
            break;
        if (u >= 0xDC00 && u <= 0xDFFF)
            return false;
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 3 >= b.size())
                return false;
            const std::uint32_t low = b[i + 2] | static_cast<std::uint32_t>(b[i + 3]) << 8;
            if (low < 0xDC00 || low > 0xDFFF)
                return false;
            u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        AppendUtf8(text, u);
    }
    out = std::move(text);
    return true;
}

std::mutex BackendLock;
std::shared_ptr<TRegistryBackend>& BackendSlot() {
    static std::shared_ptr<TRegistryBackend> backend = std::make_shared<TMemoryRegistry>();
    return backend;
}

} // namespace

TRegValue TRegValue::String(std::string text) {
    TRegValue v;
    v.Type = rtString;
    v.Form = fText;
    v.Text = std::move(text);
    return v;
}

TRegValue TRegValue::Number(std::uint32_t value) {
    TRegValue v;
    v.Type = rtDword;
    v.Form = fNumber;
    v.Dword = value;
    return v;
}

TRegValue TRegValue::Binary(std::vector<std::uint8_t> bytes) {
    return Raw(rtBinary, std::move(bytes));
}

TRegValue TRegValue::Raw(std::uint32_t type, std::vector<std::uint8_t> bytes) {
    TRegValue v;
    v.Type = type;
    v.Form = fBytes;
    v.Bytes = std::move(bytes);
    return v;
}

bool RegNumber(const TRegValue& v, std::uint32_t& out) {
    if (v.Form == TRegValue::fNumber) {
        out = v.Dword;
        return true;
    }
    if (v.Form != TRegValue::fBytes || v.Bytes.size() != 4 ||
        (v.Type != rtDword && v.Type != rtDwordBigEndian))
        return false;
    out = 0;
    for (size_t i = 0; i < 4; ++i) {
        const size_t at = v.Type == rtDword ? 3 - i : i;
        out = out << 8 | v.Bytes[at];
    }
    return true;
}

bool RegText(const TRegValue& v, std::string& out) {
    if (v.Form == TRegValue::fText) {
        out = v.Text;
        return true;
    }
    if (v.Form != TRegValue::fBytes || (v.Type != rtString && v.Type != rtExpandString))
        return false;
    const std::vector<std::uint8_t>& b = v.Bytes;
    // Export files of later versions hold UTF-16LE with a two-byte NUL;
    // version 4 files hold 8-bit text with a one-byte NUL.
    if (b.size() >= 2 && b.size() % 2 == 0 && b[b.size() - 1] == 0 && b[b.size() - 2] == 0)
        return Utf16LeText(b, out);
    std::string_view bytes(reinterpret_cast<const char*>(b.data()), b.size());
    bytes = bytes.substr(0, bytes.find('\0'));
    out = IsValidUtf8(bytes) ? std::string(bytes) : Cp1252ToUtf8(bytes);
    return true;
}

bool RegDate(const TRegValue& v, double& out) {
    if (v.Form != TRegValue::fBytes || v.Type != rtBinary || v.Bytes.size() != sizeof(double))
        return false;
    // Stored little-endian, as on the machines the format comes from.
    std::uint64_t bits = 0;
    for (size_t i = 0; i < sizeof bits; ++i)
        bits |= static_cast<std::uint64_t>(v.Bytes[i]) << (8 * i);
    std::memcpy(&out, &bits, sizeof out);
    return true;
}

bool SameRegName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

// ---- TRegData ----

size_t TRegData::KeyPosition(std::string_view path) const {
    const auto it = KeyIndex.find(LowerName(path));
    return it == KeyIndex.end() ? kNoKey : it->second;
}

const TRegData::TKey* TRegData::FindKey(std::string_view path) const {
    const size_t at = KeyPosition(path);
    return at == kNoKey ? nullptr : &KeyList[at];
}

const TRegValue* TRegData::Find(std::string_view path, std::string_view name) const {
    const size_t at = KeyPosition(path);
    if (at == kNoKey)
        return nullptr;
    const auto it = ValueIndex[at].find(LowerName(name));
    return it == ValueIndex[at].end() ? nullptr : &KeyList[at].Values[it->second].second;
}

TRegData::TKey& TRegData::CreateKey(std::string_view path) {
    if (const size_t at = KeyPosition(path); at != kNoKey)
        return KeyList[at];
    // Keep the spelling of the longest key already there that this one lies
    // below, as the system registry keeps each key's own spelling.
    std::string spelled(path);
    for (size_t cut = path.rfind('\\'); cut != std::string_view::npos && cut > 0;
         cut = path.rfind('\\', cut - 1)) {
        if (const size_t at = KeyPosition(path.substr(0, cut)); at != kNoKey) {
            spelled = KeyList[at].Path + std::string(path.substr(cut));
            break;
        }
    }
    KeyIndex.emplace(LowerName(path), KeyList.size());
    KeyList.push_back(TKey{spelled, {}});
    ValueIndex.emplace_back();
    return KeyList.back();
}

void TRegData::Set(std::string_view path, std::string_view name, TRegValue value) {
    TKey& key = CreateKey(path);
    TIndex& index = ValueIndex[static_cast<size_t>(&key - KeyList.data())];
    const auto [it, added] = index.emplace(LowerName(name), key.Values.size());
    if (added)
        key.Values.emplace_back(std::string(name), std::move(value));
    else
        key.Values[it->second].second = std::move(value);
}

void TRegData::IndexValues(size_t key) {
    TIndex& index = ValueIndex[key];
    index.clear();
    const auto& values = KeyList[key].Values;
    for (size_t i = 0; i < values.size(); ++i)
        index.emplace(LowerName(values[i].first), i);
}

void TRegData::IndexKeys() {
    KeyIndex.clear();
    ValueIndex.assign(KeyList.size(), {});
    for (size_t i = 0; i < KeyList.size(); ++i) {
        KeyIndex.emplace(LowerName(KeyList[i].Path), i);
        IndexValues(i);
    }
}

bool TRegData::Remove(std::string_view path, std::string_view name) {
    const size_t at = KeyPosition(path);
    if (at == kNoKey)
        return false;
    const auto it = ValueIndex[at].find(LowerName(name));
    if (it == ValueIndex[at].end())
        return false;
    auto& values = KeyList[at].Values;
    values.erase(values.begin() + static_cast<std::ptrdiff_t>(it->second));
    IndexValues(at);
    return true;
}

void TRegData::RemoveKey(std::string_view path) {
    const size_t before = KeyList.size();
    std::erase_if(KeyList, [&](const TKey& k) { return StartsWithKey(k.Path, path); });
    if (KeyList.size() != before)
        IndexKeys();
}

// ---- backends ----

TRegData TMemoryRegistry::Load() {
    std::lock_guard guard(Lock);
    return Data;
}

void TMemoryRegistry::Update(const std::function<void(TRegData&)>& change) {
    std::lock_guard guard(Lock);
    TRegData copy = Data;
    change(copy);
    Data = std::move(copy);
}

void TRegistryBackend::TellUnreadable(const std::string& key, const std::string& name,
                                      const char* expected) {
    {
        std::lock_guard guard(ToldLock);
        if (!ToldValues.insert(LowerName(key) + '\n' + LowerName(name)).second)
            return;
    }
    const std::string where = Where();
    ShowMsg(TW_TRANSLATE_NOOP("Messages", "The setting \"") + name + "\" of [" + kRegFileHive +
                "\\" + key + "]" + (where.empty() ? std::string() : " in " + where) +
                TW_TRANSLATE_NOOP("Messages", " is not ") + expected +
                TW_TRANSLATE_NOOP("Messages", ".") "\n" TW_TRANSLATE_NOOP(
                    "Messages", "Tickwell uses its default instead."),
            mkWarning);
}

void TRegistryBackend::TellFailure(TFailure kind, const std::string& text) {
    {
        std::lock_guard guard(ToldLock);
        if (std::exchange(FailureTold[kind], true))
            return;
    }
    ShowMsg(
        text +
            (kind == fkRead
                 ? "\n" TW_TRANSLATE_NOOP("Messages", "Tickwell goes on with the default settings.")
                 : "\n" TW_TRANSLATE_NOOP("Messages", "The settings file is left as it was.")),
        mkWarning);
}

void TRegistryBackend::FailureOver(TFailure kind) {
    std::lock_guard guard(ToldLock);
    FailureTold[kind] = false;
}

int TRegistryBackend::Listen(TChangeListener listener) {
    std::lock_guard guard(ListenLock);
    Listeners.emplace(++LastListener, std::move(listener));
    return LastListener;
}

void TRegistryBackend::StopListening(int id) {
    std::lock_guard guard(ListenLock);
    Listeners.erase(id);
}

void TRegistryBackend::TellChanged(const std::string& key) {
    std::vector<int> ids;
    {
        std::lock_guard guard(ListenLock);
        for (const auto& entry : Listeners)
            ids.push_back(entry.first);
    }
    // A listener may end its own or another's listening (a window that
    // closes): each is looked up again just before it is told.
    for (const int id : ids) {
        TChangeListener listener;
        {
            std::lock_guard guard(ListenLock);
            const auto found = Listeners.find(id);
            if (found == Listeners.end())
                continue;
            listener = found->second;
        }
        listener(key);
    }
}

std::shared_ptr<TRegistryBackend> SetRegistryBackend(std::shared_ptr<TRegistryBackend> backend) {
    std::lock_guard guard(BackendLock);
    if (!backend)
        backend = std::make_shared<TMemoryRegistry>();
    std::swap(BackendSlot(), backend);
    return backend;
}

std::shared_ptr<TRegistryBackend> RegistryBackend() {
    std::lock_guard guard(BackendLock);
    return BackendSlot();
}

// ---- TRegistryKey ----

TRegistryKey::TRegistryKey(std::string rootPath)
    : Root(std::move(rootPath)), Backend(RegistryBackend()) {
    try {
        Snapshot = Backend->Load();
        Backend->FailureOver(TRegistryBackend::fkRead);
    } catch (const std::exception& e) {
        StoreReadFlag = false;
        Backend->TellFailure(TRegistryBackend::fkRead, e.what());
    }
}

std::string TRegistryKey::SectionPath(const std::string& section) const {
    return section.empty() ? Root : Root + "\\" + section;
}

bool TRegistryKey::SectionExists(const std::string& section) const {
    return Snapshot.FindKey(SectionPath(section)) != nullptr;
}

bool TRegistryKey::ValueExists(const std::string& section, const std::string& name) const {
    return Find(section, name) != nullptr;
}

const TRegValue* TRegistryKey::Find(const std::string& section, const std::string& name) const {
    return Snapshot.Find(SectionPath(section), name);
}

void TRegistryKey::Change(const std::function<void(TRegData&)>& change) {
    // Settings are written when windows close, in destructors too: a store
    // that cannot be written is told about, never thrown out of here.
    try {
        Backend->Update(change);
        Backend->FailureOver(TRegistryBackend::fkWrite);
    } catch (const std::exception& e) {
        Backend->TellFailure(TRegistryBackend::fkWrite, e.what());
    }
    change(Snapshot);
}

void TRegistryKey::Put(const std::string& section, const std::string& name, TRegValue value) {
    const std::string path = SectionPath(section);
    Change([&](TRegData& data) { data.Set(path, name, value); });
}

void TRegistryKey::DeleteValue(const std::string& section, const std::string& name) {
    const std::string path = SectionPath(section);
    Change([&](TRegData& data) { data.Remove(path, name); });
}

std::string TRegistryKey::ReadString(const std::string& section, const std::string& name,
                                     const std::string& def) const {
    const TRegValue* v = Find(section, name);
    std::string text;
    if (!v)
        return def;
    if (!RegText(*v, text))
        return Unreadable(section, name, "a text", def);
    return text;
}

void TRegistryKey::WriteString(const std::string& section, const std::string& name,
                               const std::string& text) {
    Put(section, name, TRegValue::String(text));
}

// ---- TWinRegistry ----

std::int32_t TWinRegistry::ReadInteger(const std::string& section, const std::string& name,
                                       std::int32_t def) const {
    const TRegValue* v = Find(section, name);
    std::uint32_t number;
    if (!v)
        return def;
    if (!RegNumber(*v, number))
        return Unreadable(section, name, "a number", def);
    return static_cast<std::int32_t>(number);
}

void TWinRegistry::WriteInteger(const std::string& section, const std::string& name,
                                std::int32_t value) {
    Put(section, name, TRegValue::Number(static_cast<std::uint32_t>(value)));
}

bool TWinRegistry::ReadBool(const std::string& section, const std::string& name, bool def) const {
    return ReadInteger(section, name, def ? 1 : 0) != 0;
}

void TWinRegistry::WriteBool(const std::string& section, const std::string& name, bool value) {
    WriteInteger(section, name, value ? 1 : 0);
}

double TWinRegistry::ReadFloat(const std::string& section, const std::string& name,
                               double def) const {
    const TRegValue* v = Find(section, name);
    double date;
    if (!v)
        return def;
    if (!RegDate(*v, date))
        return Unreadable(section, name, "a date", def);
    return date;
}

void TWinRegistry::WriteFloat(const std::string& section, const std::string& name, double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    std::vector<std::uint8_t> bytes(sizeof bits);
    for (size_t i = 0; i < sizeof bits; ++i)
        bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    Put(section, name, TRegValue::Binary(std::move(bytes)));
}

// ---- TRegIniFile ----

bool ParseRegInteger(std::string_view text, std::int32_t& out) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        std::uint32_t u = 0;
        auto [p, ec] = std::from_chars(text.data() + 2, text.data() + text.size(), u, 16);
        if (ec != std::errc() || p != text.data() + text.size())
            return false;
        out = static_cast<std::int32_t>(u);
        return true;
    }
    std::int32_t v = 0;
    const char* first = text.data();
    if (!text.empty() && text[0] == '+')
        ++first;
    auto [p, ec] = std::from_chars(first, text.data() + text.size(), v, 10);
    if (text.empty() || ec != std::errc() || p != text.data() + text.size())
        return false;
    out = v;
    return true;
}

std::int32_t TRegIniFile::ReadInteger(const std::string& section, const std::string& name,
                                      std::int32_t def) const {
    const TRegValue* v = Find(section, name);
    if (!v)
        return def;
    // A number value (written by hand or by the typed style) is read as it is.
    if (std::uint32_t number; RegNumber(*v, number))
        return static_cast<std::int32_t>(number);
    std::string text;
    if (!RegText(*v, text))
        return Unreadable(section, name, "a number", def);
    std::int32_t out;
    return ParseRegInteger(text, out) ? out : def;
}

void TRegIniFile::WriteInteger(const std::string& section, const std::string& name,
                               std::int32_t value) {
    Put(section, name, TRegValue::String(std::to_string(value)));
}

bool TRegIniFile::ReadBool(const std::string& section, const std::string& name, bool def) const {
    return ReadInteger(section, name, def ? 1 : 0) != 0;
}

void TRegIniFile::WriteBool(const std::string& section, const std::string& name, bool value) {
    WriteString(section, name, value ? "1" : "0");
}
