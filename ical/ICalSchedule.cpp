#include "ical/ICalSchedule.h"
#include "core/HalvaneDates.h"
#include "ical/ICalFields.h"
#include "ical/ICalRecurrence.h"
#include "ical/ICalTime.h"
#include <algorithm>
#include <iterator>

namespace {

const char* const kWeekdays[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

// The forms chosen are those readers other than libical follow: BYSETPOS
// only with BYDAY (ical.js ignores it beside BYMONTHDAY), no EXDATE for a
// day a reader may never have produced, and one rule for each quarter day.
// Where no rule says what the program does, RDATEs add the missing days:
// ranks 21 and 22 fall back to the last working day in months with fewer
// working days, the 29th and 30th fall back to the end of February, and a
// yearly event from 29 February stays on 28 February once it has met a
// common year.
struct TRule {
    std::vector<std::string> Texts;
    bool NeedsMending = false;
    // The last day of the first rule, when it ends before the event does.
    TDateTime Until = 0;
};

bool IsLeap(long long year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

TRule YearlyFrom29February(const TTickwellItem& e, TDateTime first) {
    const std::string interval = ";INTERVAL=" + std::to_string(e.Interval);
    const int year = YearOf(first);
    int k = 1;
    while (k * e.Interval <= 100 && IsLeap(year + k * e.Interval))
        ++k;
    // A step that meets a common year at once: from then on it is 28
    // February, and the start lies after that year's 28th.
    if (k == 1)
        return {{"FREQ=YEARLY" + interval + ";BYMONTH=2;BYMONTHDAY=28"}};
    return {{"FREQ=YEARLY" + interval}, true, EncodeDate(year + (k - 1) * e.Interval, 2, 29)};
}

TRule RuleOf(const TTickwellItem& e, TDateTime first) {
    const std::string interval = ";INTERVAL=" + std::to_string(e.Interval);
    switch (e.EventType) {
    case etDaily:
        return {{"FREQ=DAILY" + interval}};
    case etWeekly:
        return {{"FREQ=WEEKLY" + interval}};
    case etMonthlyDate: {
        if (e.Rank == 0) {
            // The day of the start, or the month's last day when it is shorter.
            const int day = DayOf(first);
            return {{"FREQ=MONTHLY" + interval +
                     ";BYMONTHDAY=" + (day == 31 ? "-1" : std::to_string(day))},
                    day == 29 || day == 30};
        }
        const int rank = std::clamp<int>(e.Rank, 1, 23);
        const std::string pos = rank == 23 ? "-1" : std::to_string(rank);
        return {{"FREQ=MONTHLY" + interval + ";BYDAY=MO,TU,WE,TH,FR;BYSETPOS=" + pos},
                rank > 20 && rank < 23};
    }
    case etMonthlyDay: {
        const int ordinal = e.Rank >= 1 && e.Rank <= 3 ? e.Rank + 1 : e.Rank == 4 ? -1 : 1;
        return {{"FREQ=MONTHLY" + interval + ";BYDAY=" + std::to_string(ordinal) +
                 kWeekdays[e.Weekday - 1]}};
    }
    case etYearly:
        if (MonthOf(first) == 2 && DayOf(first) == 29)
            return YearlyFrom29February(e, first);
        return {{"FREQ=YEARLY" + interval}};
    case etAccounting:
        return {{"FREQ=YEARLY;BYMONTH=3,12;BYMONTHDAY=25", "FREQ=YEARLY;BYMONTH=6;BYMONTHDAY=24",
                 "FREQ=YEARLY;BYMONTH=9;BYMONTHDAY=29"}};
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
    return writable(s.First) && writable(s.Until) &&
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
    TRule rule = RuleOf(e, *first);
    if (rule.Texts.empty()) {
        out.First = e.StartDate;
        return true;
    }
    // Every rule ends where the event does, so that other calendars stop
    // showing it when the program does; only an open end after the last
    // year a file can hold is left open.
    const bool ends =
        IsValidDateValue(e.EndDate) && !(IsOpenEnded(e) && YearOf(e.EndDate) > kLastICalYear);
    out.Until = ends ? DateOf(e.EndDate) : 0;
    for (size_t i = 0; i < rule.Texts.size(); ++i) {
        const TDateTime until =
            i == 0 && rule.Until != 0 && (!ends || rule.Until < out.Until) ? rule.Until : out.Until;
        out.Rules.push_back(until != 0 ? rule.Texts[i] + ";UNTIL=" + BasicDate(until)
                                       : rule.Texts[i]);
    }
    if (rule.NeedsMending && YearOf(*first) <= kLastICalYear) {
        TDateTime horizon = AddYears(100, *first);
        if (e.EndDate < horizon)
            horizon = e.EndDate;
        TRecurrence r;
        r.Start = ToICalDate(*first);
        for (const std::string& text : out.Rules)
            r.Rules.push_back(icalrecurrencetype_from_string(text.c_str()));
        const std::vector<TDateTime> ruleDays = ExpandRecurrence(r, horizon).Days;
        const std::vector<TDateTime> ownDays = EventDays(e, *first, horizon);
        out.RDates = Difference(ownDays, ruleDays);
        out.ExDates = Difference(ruleDays, ownDays);
    }
    return true;
}
