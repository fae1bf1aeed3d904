#include "store/Registry.h"

#include "core/Messages.h"
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

std::mutex BackendLock;
std::shared_ptr<TRegistryBackend>& BackendSlot() {
    static std::shared_ptr<TRegistryBackend> backend = std::make_shared<TMemoryRegistry>();
    return backend;
}

} // namespace

TRegValue TRegValue::String(std::string text) {
    TRegValue v;
    v.Type = rtString;
    v.Text = std::move(text);
    return v;
}

TRegValue TRegValue::Number(std::uint32_t value) {
    TRegValue v;
    v.Type = rtDword;
    v.Dword = value;
    return v;
}

TRegValue TRegValue::Binary(std::vector<std::uint8_t> bytes) {
    TRegValue v;
    v.Type = rtBinary;
    v.Bytes = std::move(bytes);
    return v;
}

bool SameRegName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

// ---- TRegData ----

const TRegData::TKey* TRegData::FindKey(std::string_view path) const {
    for (const TKey& k : KeyList)
        if (SameRegName(k.Path, path))
            return &k;
    return nullptr;
}

TRegData::TKey* TRegData::FindKeyMutable(std::string_view path) {
    return const_cast<TKey*>(std::as_const(*this).FindKey(path));
}

const TRegValue* TRegData::Find(std::string_view path, std::string_view name) const {
    const TKey* key = FindKey(path);
    if (!key)
        return nullptr;
    for (const auto& [n, v] : key->Values)
        if (SameRegName(n, name))
            return &v;
    return nullptr;
}

TRegData::TKey& TRegData::CreateKey(std::string_view path) {
    if (TKey* existing = FindKeyMutable(path))
        return *existing;
    // Keep the spelling of the longest key already there that this one lies
    // below, as the system registry keeps each key's own spelling.
    std::string spelled(path);
    size_t best = 0;
    for (const TKey& k : KeyList)
        if (k.Path.size() > best && StartsWithKey(path, k.Path)) {
            best = k.Path.size();
            spelled = k.Path + std::string(path.substr(best));
        }
    KeyList.push_back(TKey{spelled, {}});
    return KeyList.back();
}

void TRegData::Set(std::string_view path, std::string_view name, TRegValue value) {
    TKey& key = CreateKey(path);
    for (auto& [n, v] : key.Values)
        if (SameRegName(n, name)) {
            v = std::move(value);
            return;
        }
    key.Values.emplace_back(std::string(name), std::move(value));
}

bool TRegData::Remove(std::string_view path, std::string_view name) {
    TKey* key = FindKeyMutable(path);
    if (!key)
        return false;
    auto it = std::find_if(key->Values.begin(), key->Values.end(),
                           [&](const auto& nv) { return SameRegName(nv.first, name); });
    if (it == key->Values.end())
        return false;
    key->Values.erase(it);
    return true;
}

void TRegData::RemoveKey(std::string_view path) {
    std::erase_if(KeyList, [&](const TKey& k) { return StartsWithKey(k.Path, path); });
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
    : Root(std::move(rootPath)), Backend(RegistryBackend()), Snapshot(Backend->Load()) {}

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

void TRegistryKey::Put(const std::string& section, const std::string& name, TRegValue value) {
    const std::string path = SectionPath(section);
    Backend->Update([&](TRegData& data) { data.Set(path, name, value); });
    Snapshot.Set(path, name, std::move(value));
}

void TRegistryKey::DeleteValue(const std::string& section, const std::string& name) {
    const std::string path = SectionPath(section);
    Backend->Update([&](TRegData& data) { data.Remove(path, name); });
    Snapshot.Remove(path, name);
}

void TRegistryKey::WrongType(const std::string& name) {
    throw TTickwellError("Invalid data type for '" + name + "'");
}

std::string TRegistryKey::ReadString(const std::string& section, const std::string& name,
                                     const std::string& def) const {
    const TRegValue* v = Find(section, name);
    if (!v)
        return def;
    if (v->Type != rtString)
        WrongType(name);
    return v->Text;
}

void TRegistryKey::WriteString(const std::string& section, const std::string& name,
                               const std::string& text) {
    Put(section, name, TRegValue::String(text));
}

// ---- TWinRegistry ----

std::int32_t TWinRegistry::ReadInteger(const std::string& section, const std::string& name,
                                       std::int32_t def) const {
    const TRegValue* v = Find(section, name);
    if (!v)
        return def;
    if (v->Type != rtDword)
        WrongType(name);
    return static_cast<std::int32_t>(v->Dword);
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
    if (!v)
        return def;
    if (v->Type != rtBinary || v->Bytes.size() != sizeof(double))
        WrongType(name);
    // Stored little-endian, as on the machines the format comes from.
    std::uint64_t bits = 0;
    for (size_t i = 0; i < sizeof bits; ++i)
        bits |= static_cast<std::uint64_t>(v->Bytes[i]) << (8 * i);
    double out;
    std::memcpy(&out, &bits, sizeof out);
    return out;
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
    if (v->Type == rtDword)
        return static_cast<std::int32_t>(v->Dword);
    if (v->Type != rtString)
        WrongType(name);
    std::int32_t out;
    return ParseRegInteger(v->Text, out) ? out : def;
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
