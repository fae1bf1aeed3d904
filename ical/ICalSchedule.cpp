#include "ical/ICalSchedule.h"
#include "core/HalvaneDates.h"
#include "ical/ICalRecurrence.h"
#include "ical/ICalTime.h"
#include <algorithm>
#include <iterator>

namespace {

const char* const kWeekdays[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

// Ranks 21 and 22 fall back to the last working day in months with fewer
// working days; BYSETPOS then finds nothing, so those months need RDATEs. A
// yearly event from 29 February stays on 28 February once it has met a
// common year, which no rule says; the rule gives the last day of February
// and the later leap years are mended by EXDATE and RDATE.
struct TRule {
    std::string Text;
    bool NeedsMending = false;
};

TRule RuleOf(const TTickwellItem& e, TDateTime first) {
    const std::string interval = ";INTERVAL=" + std::to_string(e.Interval);
    switch (e.EventType) {
    case etDaily:
        return {"FREQ=DAILY" + interval};
    case etWeekly:
        return {"FREQ=WEEKLY" + interval};
    case etMonthlyDate: {
        if (e.Rank == 0) {
            // The day of the start, or the month's last day when it is shorter.
            const int day = DayOf(first);
            const std::string byDay = day <= 28   ? std::to_string(day)
                                      : day == 31 ? "-1"
                                                  : std::to_string(day) + ",-1;BYSETPOS=1";
            return {"FREQ=MONTHLY" + interval + ";BYMONTHDAY=" + byDay};
        }
        const int rank = std::clamp<int>(e.Rank, 1, 23);
        const std::string pos = rank == 23 ? "-1" : std::to_string(rank);
        return {"FREQ=MONTHLY" + interval + ";BYDAY=MO,TU,WE,TH,FR;BYSETPOS=" + pos,
                rank > 20 && rank < 23};
    }
    case etMonthlyDay: {
        const int ordinal = e.Rank >= 1 && e.Rank <= 3 ? e.Rank + 1 : e.Rank == 4 ? -1 : 1;
        return {"FREQ=MONTHLY" + interval + ";BYDAY=" + std::to_string(ordinal) +
                kWeekdays[e.Weekday - 1]};
    }
    case etYearly:
        if (MonthOf(first) == 2 && DayOf(first) == 29)
            return {"FREQ=YEARLY" + interval + ";BYMONTH=2;BYMONTHDAY=-1", true};
        return {"FREQ=YEARLY" + interval};
    case etAccounting:
        // 25 March, 24 June, 29 September and 25 December are the 2nd, 4th,
        // 9th and 11th of the year's days 24, 25 and 29 of those months.
        return {"FREQ=YEARLY;BYMONTH=3,6,9,12;BYMONTHDAY=24,25,29;BYSETPOS=2,4,9,11"};
    default:
        return {};
    }
}

std::vector<TDateTime> Difference(const std::vector<TDateTime>& a,
                                  const std::vector<TDateTime>& b) {
    std::vector<TDateTime> out;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
    return out;
}

} // namespace

bool WritableSchedule(const TICalSchedule& s) {
    const auto writable = [](TDateTime d) { return YearOf(d) <= kLastICalYear; };
    return writable(s.First) && (!s.HasUntil || writable(s.Until)) &&
           std::all_of(s.RDates.begin(), s.RDates.end(), writable) &&
           std::all_of(s.ExDates.begin(), s.ExDates.end(), writable);
}

bool IsOpenEnded(const TTickwellItem& e) {
    return e.NoEndPoint && !(e.EndDate < AddYears(100, e.StartDate));
}

bool ScheduleOf(const TTickwellItem& e, TICalSchedule& out) {
    out = {};
    if (!IsValidDateValue(e.StartDate))
        return false;
    const std::optional<TDateTime> first = FirstOccurrence(e);
    out.First = first.value_or(e.StartDate);
    if (!first || e.Simple || !e.HasValidRule())
        return true;
    const TRule rule = RuleOf(e, *first);
    if (rule.Text.empty()) {
        out.First = e.StartDate;
        return true;
    }
    out.Rule = rule.Text;
    out.HasUntil = !IsOpenEnded(e) && IsValidDateValue(e.EndDate);
    out.Until = out.HasUntil ? DateOf(e.EndDate) : 0;
    if (rule.NeedsMending && YearOf(*first) <= kLastICalYear) {
        TDateTime horizon = AddYears(100, *first);
        if (e.EndDate < horizon)
            horizon = e.EndDate;
        TRecurrence r;
        r.Start = ToICalDate(*first);
        r.Rules.push_back(icalrecurrencetype_from_string(rule.Text.c_str()));
        const std::vector<TDateTime> ruleDays = ExpandRecurrence(r, horizon).Days;
        const std::vector<TDateTime> ownDays = EventDays(e, *first, horizon);
        out.RDates = Difference(ownDays, ruleDays);
        out.ExDates = Difference(ruleDays, ownDays);
    }
    return true;
}
