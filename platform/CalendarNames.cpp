#include "platform/CalendarNames.h"
#include <cstdint>
#include <langinfo.h>
#include <locale.h>

namespace {

// The locale's own object, not the process's: setting the process locale
// would change how every C function writes numbers.
class TTimeLocale {
public:
    TTimeLocale() : Handle(newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr))) {}
    ~TTimeLocale() {
        if (Handle)
            freelocale(Handle);
    }
    TTimeLocale(const TTimeLocale&) = delete;
    TTimeLocale& operator=(const TTimeLocale&) = delete;

    bool Known() const { return Handle != nullptr; }
    std::string Text(nl_item item) const { return nl_langinfo_l(item, Handle); }
    // glibc's first day of the week: a day of the week "week-1stday" (a
    // date, 19971130 a Sunday or 19971201 a Monday) and "first_weekday"
    // counting from it (1 the same day).
    int FirstWeekday() const {
        // The date is a number in the place of the text pointer.
        const auto origin = static_cast<std::uint32_t>(
            reinterpret_cast<std::uintptr_t>(nl_langinfo_l(_NL_TIME_WEEK_1STDAY, Handle)));
        const int from = origin == 19971201 ? 1 : 0;
        const int count = nl_langinfo_l(_NL_TIME_FIRST_WEEKDAY, Handle)[0];
        return count >= 1 && count <= 7 ? (from + count - 1) % 7 : from;
    }

private:
    locale_t Handle;
};

} // namespace

TCalendarNames SystemCalendarNames() {
    TCalendarNames names;
    const TTimeLocale locale;
    if (!locale.Known())
        return names;
    for (int i = 0; i < 7; ++i)
        names.ShortDays[static_cast<size_t>(i)] = locale.Text(ABDAY_1 + i);
    for (int m = 0; m < 12; ++m) {
        names.ShortMonths[static_cast<size_t>(m)] = locale.Text(ABMON_1 + m);
        names.LongMonths[static_cast<size_t>(m)] = locale.Text(MON_1 + m);
    }
    names.FirstWeekday = locale.FirstWeekday();
    return names;
}
