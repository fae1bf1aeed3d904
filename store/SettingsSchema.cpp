#include "store/SettingsSchema.h"

#include "core/Clock.h"

bool ReadSetting(const TWinRegistry& reg, const TBoolSetting& s) {
    return reg.ReadBool(s.Section, s.Name, s.Default);
}

std::int32_t ReadSetting(const TWinRegistry& reg, const TIntSetting& s) {
    return reg.ReadInteger(s.Section, s.Name, s.Default);
}

std::uint32_t ReadSetting(const TWinRegistry& reg, const TColorSetting& s) {
    return static_cast<std::uint32_t>(
        reg.ReadInteger(s.Section, s.Name, static_cast<std::int32_t>(s.Default)));
}

std::string ReadSetting(const TWinRegistry& reg, const TStringSetting& s) {
    return reg.ReadString(s.Section, s.Name, s.Default);
}

TDateTime ReadSetting(const TWinRegistry& reg, const TDateSetting& s, TDateTime def) {
    return reg.ReadFloat(s.Section, s.Name, def);
}

std::string ReadSetting(const TWinRegistry& reg, const TFolderSetting& s, const std::string& def) {
    return reg.ReadString(s.Section, s.Name, def);
}

void WriteSetting(TWinRegistry& reg, const TBoolSetting& s, bool value) {
    reg.WriteBool(s.Section, s.Name, value);
}

void WriteSetting(TWinRegistry& reg, const TIntSetting& s, std::int32_t value) {
    reg.WriteInteger(s.Section, s.Name, value);
}

void WriteSetting(TWinRegistry& reg, const TColorSetting& s, std::uint32_t value) {
    reg.WriteInteger(s.Section, s.Name, static_cast<std::int32_t>(value));
}

void WriteSetting(TWinRegistry& reg, const TStringSetting& s, const std::string& value) {
    reg.WriteString(s.Section, s.Name, value);
}

void WriteSetting(TWinRegistry& reg, const TDateSetting& s, TDateTime value) {
    reg.WriteFloat(s.Section, s.Name, value);
}

void WriteSetting(TWinRegistry& reg, const TFolderSetting& s, const std::string& value) {
    reg.WriteString(s.Section, s.Name, value);
}

TDateTime ReadLastRun(const TWinRegistry& reg) {
    return ReadSetting(reg, kLastRun, Today() - 1);
}

std::vector<std::int32_t> ParseIntList(const std::string& text) {
    std::vector<std::int32_t> out;
    if (text.empty())
        return out;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        const std::string item =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        std::int32_t v;
        if (!ParseRegInteger(item, v))
            return {};
        out.push_back(v);
        if (comma == std::string::npos)
            return out;
        start = comma + 1;
    }
}

std::string FormatIntList(const std::vector<std::int32_t>& values) {
    std::string out;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i)
            out += ',';
        out += std::to_string(values[i]);
    }
    return out;
}

TListViewSettings ReadListViewSettings(const char* key) {
    const TRegIniFile ini(key);
    TListViewSettings s;
    s.Sizes = ParseIntList(ini.ReadString(kColumnsSection, kSizesValue, ""));
    s.Order = ParseIntList(ini.ReadString(kColumnsSection, kOrderValue, ""));
    s.Ascending = ini.ReadBool(kSortSection, kAscendingValue, kAscendingDefault);
    s.SortCol = ini.ReadInteger(kSortSection, kSortColValue, kSortColDefault);
    return s;
}

void WriteListViewSettings(const char* key, const TListViewSettings& s) {
    TRegIniFile ini(key);
    ini.WriteString(kColumnsSection, kSizesValue, FormatIntList(s.Sizes));
    ini.WriteString(kColumnsSection, kOrderValue, FormatIntList(s.Order));
    ini.WriteBool(kSortSection, kAscendingValue, s.Ascending);
    ini.WriteInteger(kSortSection, kSortColValue, s.SortCol);
}
