#include "store/SettingsSchema.h"

#include "core/Clock.h"
#include "core/DateFormat.h"

bool ReadSetting(const TWinRegistry& reg, const TBoolSetting& s) {
    return reg.ReadBool(s.Section, s.Name, s.Default);
}

namespace {

bool InRange(const TIntSetting& s, std::int32_t v) {
    return v >= s.Min && v <= s.Max;
}

bool Usable(const TStringSetting& s, const std::string& text) {
    return !s.Usable || s.Usable(text);
}

// The settings with a range or a form, for the look over a whole store.
constexpr const TIntSetting* kRangedSettings[] = {&kDfltNotice, &kDfltInterval, &kSnoozeMinutes};
constexpr const TStringSetting* kFormedSettings[] = {&kAlarm0, &kAlarm1, &kAlarm2};

} // namespace

bool IsScheduleTime(const std::string& text) {
    TDateTime unused;
    return text.empty() || TryReadTimeOfDay(text, unused);
}

std::int32_t ReadSetting(const TWinRegistry& reg, const TIntSetting& s) {
    const std::int32_t v = reg.ReadInteger(s.Section, s.Name, s.Default);
    return InRange(s, v) ? v : s.Default;
}

std::uint32_t ReadSetting(const TWinRegistry& reg, const TColorSetting& s) {
    return static_cast<std::uint32_t>(
        reg.ReadInteger(s.Section, s.Name, static_cast<std::int32_t>(s.Default)));
}

std::string ReadSetting(const TWinRegistry& reg, const TStringSetting& s) {
    std::string text = reg.ReadString(s.Section, s.Name, s.Default);
    return Usable(s, text) ? text : s.Default;
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

std::vector<std::string> SettingsOutOfRange(const TRegData& data) {
    std::vector<std::string> out;
    const auto find = [&](const char* section, const char* name) {
        return data.Find(std::string(kRegistryRoot) + "\\" + section, name);
    };
    const auto named = [](const char* section, const char* name) {
        return std::string(section) + " \"" + name + "\" is ";
    };
    for (const TIntSetting* s : kRangedSettings) {
        std::uint32_t number;
        const TRegValue* v = find(s->Section, s->Name);
        if (v && RegNumber(*v, number) && !InRange(*s, static_cast<std::int32_t>(number)))
            out.push_back(named(s->Section, s->Name) +
                          std::to_string(static_cast<std::int32_t>(number)) + ", not from " +
                          std::to_string(s->Min) + " to " + std::to_string(s->Max));
    }
    for (const TStringSetting* s : kFormedSettings) {
        std::string text;
        const TRegValue* v = find(s->Section, s->Name);
        if (v && RegText(*v, text) && !Usable(*s, text))
            out.push_back(named(s->Section, s->Name) + "\"" + text + "\", not " + s->Form);
    }
    return out;
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
