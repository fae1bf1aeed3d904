#include "ical/ICalFields.h"
#include "core/EventId.h"
#include <cmath>
#include <cstdio>
#include <sstream>

std::string BasicDate(TDateTime day) {
    const TYmd ymd = DecodeDate(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", ymd.Year, ymd.Month, ymd.Day);
    return text;
}

std::optional<TDateTime> ReadBasicDate(const std::string& text) {
    int y = 0, m = 0, d = 0;
    char rest = 0;
    if (text.size() != 8 || std::sscanf(text.c_str(), "%4d%2d%2d%c", &y, &m, &d, &rest) != 3)
        return std::nullopt;
    TDateTime day = 0;
    if (!TryEncodeDate(y, m, d, day))
        return std::nullopt;
    return day;
}

namespace {

bool IsDay(TDateTime d) {
    return IsValidDateValue(d) && d == std::trunc(d);
}

} // namespace

std::string RuleFieldsText(const EventRecord& rec) {
    if (!IsDay(rec.StartDate) || !IsDay(rec.EndDate))
        return {};
    std::ostringstream out;
    out << "type=" << int{rec.EventType} << " once=" << int{rec.Simple != 0} << " rank=" << rec.Rank
        << " interval=" << rec.Interval << " weekday=" << rec.Weekday
        << " start=" << BasicDate(rec.StartDate) << " end=" << BasicDate(rec.EndDate)
        << " noend=" << int{rec.NoEndPoint != 0};
    return out.str();
}

bool ReadRuleFields(const std::string& text, EventRecord& rec) {
    EventRecord out = rec;
    int seen = 0;
    std::istringstream in(text);
    std::string word;
    while (in >> word) {
        const size_t eq = word.find('=');
        if (eq == std::string::npos)
            return false;
        const std::string key = word.substr(0, eq);
        const std::string value = word.substr(eq + 1);
        if (key == "start" || key == "end") {
            const std::optional<TDateTime> day = ReadBasicDate(value);
            if (!day)
                return false;
            (key == "start" ? out.StartDate : out.EndDate) = *day;
            ++seen;
            continue;
        }
        long n = 0;
        try {
            size_t used = 0;
            n = std::stol(value, &used);
            if (used != value.size() || n < INT16_MIN || n > INT16_MAX)
                return false;
        } catch (...) {
            return false;
        }
        const auto n16 = static_cast<int16_t>(n);
        if (key == "type" && n >= 0 && n <= 255)
            out.EventType = static_cast<uint8_t>(n);
        else if (key == "once")
            out.Simple = n != 0;
        else if (key == "rank")
            out.Rank = n16;
        else if (key == "interval")
            out.Interval = n16;
        else if (key == "weekday")
            out.Weekday = n16;
        else if (key == "noend")
            out.NoEndPoint = n != 0;
        else
            return false;
        ++seen;
    }
    if (seen != 8)
        return false;
    rec = out;
    return true;
}

std::string EventUid(const std::string& id, int seen) {
    return seen > 1 ? id + "-" + std::to_string(seen) + kUidDomain : id + kUidDomain;
}

std::optional<std::string> IdOfUid(const std::string& uid) {
    const size_t domain = std::char_traits<char>::length(kUidDomain);
    if (uid.size() <= domain || uid.compare(uid.size() - domain, domain, kUidDomain) != 0)
        return std::nullopt;
    const size_t at = uid.size() - domain;
    std::string id = uid.substr(0, at);
    const size_t dash = id.find('-');
    if (dash != std::string::npos) {
        const std::string n = id.substr(dash + 1);
        if (n.empty() || n.find_first_not_of("0123456789") != std::string::npos)
            return std::nullopt;
        id.resize(dash);
    }
    if (!LooksLikeEventId(id))
        return std::nullopt;
    return id;
}
