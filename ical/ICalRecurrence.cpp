#include "ical/ICalRecurrence.h"
#include "core/HalvaneDates.h"
#include "ical/ICalTime.h"
#include <algorithm>
#include <memory>

namespace {

// Enough for two years of a daily rule; an hourly one stops here.
constexpr size_t kMostInstances = 5000;

struct TIteratorFree {
    void operator()(icalrecur_iterator* it) const { icalrecur_iterator_free(it); }
};
using TIterator = std::unique_ptr<icalrecur_iterator, TIteratorFree>;

// An EXDATE given as a date takes out every instance of that day.
bool Excluded(const icaltimetype& instance, const std::vector<icaltimetype>& exDates) {
    for (const icaltimetype& ex : exDates) {
        if (ex.is_date || instance.is_date) {
            if (ex.year == instance.year && ex.month == instance.month && ex.day == instance.day)
                return true;
        } else if (icaltime_compare(ex, instance) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

TRecurrenceDays ExpandRecurrence(const TRecurrence& r, TDateTime horizon, size_t limit,
                                 TDateTime atLeastUntil) {
    TRecurrenceDays out;
    out.Until = horizon;
    std::vector<icaltimetype> instances{r.Start};
    size_t taken = 0;
    for (const icalrecurrencetype& rule : r.Rules) {
        TIterator it(icalrecur_iterator_new(rule, r.Start));
        if (!it)
            continue;
        for (icaltimetype t = icalrecur_iterator_next(it.get()); !icaltime_is_null_time(t);
             t = icalrecur_iterator_next(it.get())) {
            const std::optional<TDateTime> day = LocalDay(t);
            if (!day || *day > out.Until) {
                out.Ended = false;
                break;
            }
            if (++taken > limit && (*day > atLeastUntil || taken > kMostInstances)) {
                // Days after the last one taken are not known.
                out.Until = *day - 1;
                out.Ended = false;
                break;
            }
            instances.push_back(t);
        }
    }
    for (const icaltimetype& t : r.RDates)
        instances.push_back(t);
    for (const icaltimetype& t : instances) {
        if (Excluded(t, r.ExDates))
            continue;
        const std::optional<TDateTime> day = LocalDay(t);
        if (day && *day <= out.Until)
            out.Days.push_back(*day);
    }
    std::sort(out.Days.begin(), out.Days.end());
    out.Days.erase(std::unique(out.Days.begin(), out.Days.end()), out.Days.end());
    return out;
}

std::optional<TDateTime> FirstOccurrence(const TTickwellItem& e) {
    if (!IsValidDateValue(e.StartDate))
        return std::nullopt;
    if (e.Simple || !e.HasValidRule())
        return e.StartDate;
    TDateTime last = AddYears(100, e.StartDate);
    if (e.EndDate < last)
        last = e.EndDate;
    for (TDateTime d = e.StartDate; d <= last; d += 1)
        if (e.OccursOn(d))
            return d;
    return std::nullopt;
}

std::vector<TDateTime> EventDays(const TTickwellItem& e, TDateTime from, TDateTime to) {
    std::vector<TDateTime> days;
    const std::optional<TDateTime> first = FirstOccurrence(e);
    if (!first) {
        if (e.StartDate >= from && e.StartDate <= to)
            days.push_back(e.StartDate);
        return days;
    }
    for (TDateTime d = std::max(from, *first); d <= to; d += 1)
        if (e.OccursOn(d))
            days.push_back(d);
    return days;
}
