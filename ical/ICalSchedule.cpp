#include "ical/ICalSchedule.h"
#include "core/HalvaneDates.h"
#include "ical/ICalFields.h"
#include "ical/ICalRecurrence.h"
#include "ical/ICalTime.h"
#include <algorithm>
#include <functional>
#include <iterator>

namespace {

// The forms chosen are those readers other than libical follow: BYSETPOS
// only with BYDAY (ical.js ignores it beside BYMONTHDAY), one RRULE an event
// (python's recurring_ical_events refuses more), a DTSTART the rule itself
// gives (ical.js drops one it does not), and no EXDATE for a day a reader
// may never have produced. Where no rule says what the program does, RDATEs
// add the missing days (ranks 21 and 22 fall back to the last working day in
// months with fewer working days, the 29th and 30th to the end of February,
// a yearly event from 29 February with a step of four years stays on 28
// February once it has met a common year), or linked events take the days
// on (the quarter days, a yearly event from 29 February with another step).
struct TRule {
    std::string Text;
    // Whether the rule alone gives a day of the event; empty when it gives
    // them all. Answered here rather than by expanding the rule: libical
    // takes microseconds an instance, a century of them for each such event.
    std::function<bool(TDateTime)> Gives;
    // The rule's last day, when it ends before the event does.
    TDateTime Until = 0;
    // Rules without their UNTIL.
    std::vector<TICalLinked> Linked;
};

// Which working day (Monday to Friday) of its month the day is; 0 for a
// Saturday or Sunday.
int WorkingDayOfMonth(TDateTime day) {
    const int weekday = DayOfWeek(day); // 1 Sunday .. 7 Saturday
    if (weekday == 1 || weekday == 7)
        return 0;
    int n = 0;
    for (TDateTime d = day - (DayOf(day) - 1); d <= day; d += 1)
        n += DayOfWeek(d) != 1 && DayOfWeek(d) != 7;
    return n;
}

TRule YearlyFrom29February(const TTickwellItem& e, TDateTime first) {
    const std::string interval = ";INTERVAL=" + std::to_string(e.Interval);
    const int year = YearOf(first);
    int k = 1;
    while (k * e.Interval <= 100 && IsLeapYear(year + k * e.Interval))
        ++k;
    // A step that meets a common year at once is on 28 February from then
    // on: the first day alone, then a yearly event from the next 28th.
    if (k == 1)
        return {
            "", {}, 0, {{"later", EncodeDate(year + e.Interval, 2, 28), "FREQ=YEARLY" + interval}}};
    const TDateTime last = EncodeDate(year + (k - 1) * e.Interval, 2, 29);
    return {"FREQ=YEARLY" + interval, [last](TDateTime d) { return d <= last; }, last};
}

// One rule for 25 March and 25 December, one each for 24 June and 29
// September; the one holding the first day is the event's own.
TRule QuarterDays(TDateTime first) {
    struct TPart {
        const char* Name;
        std::vector<std::pair<int, int>> Days; // month, day
        const char* Rule;
    };
    static const TPart kParts[] = {
        {"march", {{3, 25}, {12, 25}}, "FREQ=YEARLY;BYMONTH=3,12;BYMONTHDAY=25"},
        {"june", {{6, 24}}, "FREQ=YEARLY;BYMONTH=6;BYMONTHDAY=24"},
        {"september", {{9, 29}}, "FREQ=YEARLY;BYMONTH=9;BYMONTHDAY=29"}};
    TRule rule;
    for (const TPart& part : kParts) {
        TDateTime day = 0;
        for (int year = YearOf(first); day == 0; ++year)
            for (const auto& [month, d] : part.Days)
                if (const TDateTime t = EncodeDate(year, month, d); day == 0 && t >= first)
                    day = t;
        if (day == first)
            rule.Text = part.Rule;
        else
            rule.Linked.push_back({part.Name, day, part.Rule});
    }
    return rule;
}

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
            const std::string byDay = day == 31 ? "-1" : std::to_string(day);
            if (day != 29 && day != 30)
                return {"FREQ=MONTHLY" + interval + ";BYMONTHDAY=" + byDay};
            return {"FREQ=MONTHLY" + interval + ";BYMONTHDAY=" + byDay,
                    [day](TDateTime d) { return DayOf(d) == day; }};
        }
        const int rank = std::clamp<int>(e.Rank, 1, 23);
        const std::string pos = rank == 23 ? "-1" : std::to_string(rank);
        const std::string text =
            "FREQ=MONTHLY" + interval + ";BYDAY=MO,TU,WE,TH,FR;BYSETPOS=" + pos;
        if (rank != 21 && rank != 22)
            return {text};
        return {text, [rank](TDateTime d) { return WorkingDayOfMonth(d) == rank; }};
    }
    case etMonthlyDay: {
        const int ordinal = e.Rank >= 1 && e.Rank <= 3 ? e.Rank + 1 : e.Rank == 4 ? -1 : 1;
        return {"FREQ=MONTHLY" + interval + ";BYDAY=" + std::to_string(ordinal) +
                kICalWeekdays[e.Weekday - 1]};
    }
    case etYearly:
        if (MonthOf(first) == 2 && DayOf(first) == 29)
            return YearlyFrom29February(e, first);
        return {"FREQ=YEARLY" + interval};
    case etAccounting:
        return QuarterDays(first);
    default:
        return {};
    }
}

} // namespace

bool WritableSchedule(const TICalSchedule& s) {
    const auto writable = [](TDateTime d) { return YearOf(d) <= kLastICalYear; };
    return writable(s.First) && writable(s.Until) &&
           std::all_of(s.Linked.begin(), s.Linked.end(),
                       [&](const TICalLinked& l) { return writable(l.First); }) &&
           std::all_of(s.RDates.begin(), s.RDates.end(), writable);
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
    // Every rule ends where the event does, so that other calendars stop
    // showing it when the program does; only an open end after the last
    // year a file can hold is left open.
    const bool ends =
        IsValidDateValue(e.EndDate) && !(IsOpenEnded(e) && YearOf(e.EndDate) > kLastICalYear);
    out.Until = ends ? DateOf(e.EndDate) : 0;
    const auto withUntil = [&](const std::string& text, TDateTime until) {
        return until != 0 ? text + ";UNTIL=" + BasicDate(until) : text;
    };
    for (const TICalLinked& part : rule.Linked)
        if (part.First <= e.EndDate)
            out.Linked.push_back({part.Name, part.First, withUntil(part.Rule, out.Until)});
    if (rule.Text.empty()) {
        if (out.Linked.empty())
            out.First = e.StartDate;
        return true;
    }
    out.Rule = withUntil(
        rule.Text, rule.Until != 0 && (!ends || rule.Until < out.Until) ? rule.Until : out.Until);
    if (rule.Gives && YearOf(*first) <= kLastICalYear) {
        TDateTime horizon = AddYears(100, *first);
        if (e.EndDate < horizon)
            horizon = e.EndDate;
        std::vector<TDateTime> own;
        e.DaysOccurring(*first, horizon, own);
        std::copy_if(own.begin(), own.end(), std::back_inserter(out.RDates),
                     [&](TDateTime d) { return !rule.Gives(d); });
    }
    return true;
}
