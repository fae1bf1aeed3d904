#include "core/Snooze.h"
#include <cmath>
#include <cstdio>

namespace {

constexpr double kMinutesPerDay = 24 * 60;

// Whole units (perDay of them a day) since the day began, rounded, and the
// day itself.
void Split(TDateTime moment, long long perDay, TDateTime& day, long long& units) {
    day = DateOf(moment);
    units = std::llround((moment - day) * static_cast<double>(perDay));
    if (units >= perDay) {
        day += 1;
        units = 0;
    }
}

bool Number(const std::string& text, size_t at, size_t width, int& out) {
    out = 0;
    for (size_t i = at; i < at + width; ++i) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9')
            return false;
        out = out * 10 + (text[i] - '0');
    }
    return true;
}

bool Compose(int y, int mo, int d, int h, int mi, int s, TDateTime& out) {
    TDateTime day = 0;
    if (h > 23 || mi > 59 || s > 59 || !TryEncodeDate(y, mo, d, day))
        return false;
    out = day + ((h * 60 + mi) * 60 + s) / 86400.0;
    return true;
}

} // namespace

TDateTime SnoozeEndFrom(TDateTime now, int minutes) {
    if (minutes == kSnoozeUntilTomorrow)
        return DateOf(now) + 1;
    // From the minute now is in, so that the end shows as the moment it is.
    const TDateTime minute = std::floor(now * kMinutesPerDay + 1e-6) / kMinutesPerDay;
    return minute + minutes / kMinutesPerDay;
}

std::string SnoozeEndText(TDateTime moment) {
    TDateTime day = 0;
    long long minute = 0;
    Split(moment, 24 * 60, day, minute);
    const TYmd ymd = DecodeDate(day);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02lld:%02lld", ymd.Year, ymd.Month, ymd.Day,
                  minute / 60, minute % 60);
    return text;
}

bool TryParseSnoozeEnd(const std::string& text, TDateTime& out) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0;
    if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || !Number(text, 0, 4, y) || !Number(text, 5, 2, mo) ||
        !Number(text, 8, 2, d) || !Number(text, 11, 2, h) || !Number(text, 14, 2, mi))
        return false;
    return Compose(y, mo, d, h, mi, 0, out);
}

std::string BasicDateTime(TDateTime moment) {
    TDateTime day = 0;
    long long second = 0;
    Split(moment, 86400, day, second);
    const TYmd ymd = DecodeDate(day);
    char text[64];
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02lld%02lld%02lld", ymd.Year, ymd.Month,
                  ymd.Day, second / 3600, second / 60 % 60, second % 60);
    return text;
}

bool TryParseBasicDateTime(const std::string& text, TDateTime& out) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (text.size() != 15 || text[8] != 'T' || !Number(text, 0, 4, y) || !Number(text, 4, 2, mo) ||
        !Number(text, 6, 2, d) || !Number(text, 9, 2, h) || !Number(text, 11, 2, mi) ||
        !Number(text, 13, 2, s))
        return false;
    return Compose(y, mo, d, h, mi, s, out);
}
