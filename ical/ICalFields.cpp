#include "ical/ICalFields.h"
#include "core/EventId.h"
#include "ical/ICalSchedule.h"
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <sstream>

std::string ICalText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\n' || c == '\t' || (u >= 0x20 && u != 0x7F))
            out += c;
    }
    // Readers drop blanks around a value, and the first line is the summary,
    // a value of its own.
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    const auto trimEnd = [&](size_t end) {
        size_t from = end;
        while (from > 0 && blank(out[from - 1]))
            --from;
        out.erase(from, end - from);
    };
    trimEnd(out.size());
    trimEnd(std::min(out.find('\n'), out.size()));
    out.erase(0, std::min(out.find_first_not_of(" \t"), out.size()));
    return out;
}

std::string DaysBeyondReason() {
    return "it has days after the year " + std::to_string(kLastICalYear) +
           ", which Tickwell cannot exchange in iCalendar files";
}

std::string DaysBeyondText(const std::string& summary) {
    return "The event \"" + summary + "\" has days after the year " +
           std::to_string(kLastICalYear) + ", which Tickwell cannot exchange in iCalendar files.";
}

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
    int type = 0, once = 0, rank = 0, interval = 0, weekday = 0, noEnd = 0;
    char start[9] = {}, end[9] = {}, rest = 0;
    if (std::sscanf(text.c_str(),
                    "type=%d once=%d rank=%d interval=%d weekday=%d start=%8s end=%8s noend=%d %c",
                    &type, &once, &rank, &interval, &weekday, start, end, &noEnd, &rest) != 8)
        return false;
    const std::optional<TDateTime> first = ReadBasicDate(start);
    const std::optional<TDateTime> last = ReadBasicDate(end);
    const auto fits = [](int v) { return v >= INT16_MIN && v <= INT16_MAX; };
    if (!first || !last || type < 0 || type > 255 || !fits(rank) || !fits(interval) ||
        !fits(weekday))
        return false;
    rec.EventType = static_cast<uint8_t>(type);
    rec.Simple = once != 0;
    rec.Rank = static_cast<int16_t>(rank);
    rec.Interval = static_cast<int16_t>(interval);
    rec.Weekday = static_cast<int16_t>(weekday);
    rec.StartDate = *first;
    rec.EndDate = *last;
    rec.NoEndPoint = noEnd != 0;
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
