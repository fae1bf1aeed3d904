#include "ical/ICalTime.h"
#include <ctime>

icaltimetype ToICalDate(TDateTime day) {
    const TYmd ymd = DecodeDate(day);
    icaltimetype t = icaltime_null_date();
    // The null date's time fields are -1, which stalls a daily iterator.
    t.hour = t.minute = t.second = 0;
    t.year = ymd.Year;
    t.month = ymd.Month;
    t.day = ymd.Day;
    return t;
}

std::optional<TDateTime> LocalDay(const icaltimetype& t) {
    int y = t.year, m = t.month, d = t.day;
    if (!t.is_date && t.zone) {
        // Through the system's own rules for the local zone, as the clock
        // and the calendar window see the day.
        const time_t at = icaltime_as_timet_with_zone(t, t.zone);
        std::tm local{};
        if (!localtime_r(&at, &local))
            return std::nullopt;
        y = local.tm_year + 1900;
        m = local.tm_mon + 1;
        d = local.tm_mday;
    }
    TDateTime day = 0;
    if (!TryEncodeDate(y, m, d, day))
        return std::nullopt;
    return day;
}
