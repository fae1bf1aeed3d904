// Every repeat type and rank exported, the file read back by libical alone
// and expanded by its own recurrence iterator over ten years, compared day
// by day with OccursOn.
#include "ICalTestSupport.h"
#include "core/HalvaneDates.h"
#include "ical/ICalExport.h"
#include <libical/ical.h>
#include <set>

using namespace storetest;
using namespace icaltest;

namespace {

TDateTime DayOf(const icaltimetype& t) {
    return EncodeDate(t.year, t.month, t.day);
}

struct TFileDays {
    std::set<TDateTime> Days;
    size_t Mended = 0; // RDATEs and EXDATEs
    size_t Excluded = 0;
    size_t Unending = 0; // RRULEs without UNTIL
};

// DTSTART, the RRULE's instances and the RDATEs less the EXDATEs, up to `to`.
TFileDays ExpandOnlyEvent(const std::string& text, TDateTime to) {
    TFileDays out;
    icalcomponent* cal = icalparser_parse_string(text.c_str());
    // The event and the parts linked to it.
    for (icalcomponent* ev = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT); ev;
         ev = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT)) {
        const icaltimetype start = icalcomponent_get_dtstart(ev);
        out.Days.insert(DayOf(start));
        for (icalproperty* p = icalcomponent_get_first_property(ev, ICAL_RRULE_PROPERTY); p;
             p = icalcomponent_get_next_property(ev, ICAL_RRULE_PROPERTY)) {
            out.Unending += icaltime_is_null_time(icalproperty_get_rrule(p).until);
            icalrecur_iterator* it = icalrecur_iterator_new(icalproperty_get_rrule(p), start);
            for (icaltimetype t = icalrecur_iterator_next(it);
                 !icaltime_is_null_time(t) && DayOf(t) <= to; t = icalrecur_iterator_next(it))
                out.Days.insert(DayOf(t));
            icalrecur_iterator_free(it);
        }
        for (icalproperty* p = icalcomponent_get_first_property(ev, ICAL_RDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(ev, ICAL_RDATE_PROPERTY), ++out.Mended)
            out.Days.insert(DayOf(icalproperty_get_rdate(p).time));
        for (icalproperty* p = icalcomponent_get_first_property(ev, ICAL_EXDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(ev, ICAL_EXDATE_PROPERTY), ++out.Mended,
                           ++out.Excluded)
            out.Days.erase(DayOf(icalproperty_get_exdate(p)));
    }
    icalcomponent_free(cal);
    std::erase_if(out.Days, [&](TDateTime d) { return d > to; });
    return out;
}

struct TCase {
    std::string Name;
    TRecSpec Spec;
    bool Mended = false;
};

std::vector<TCase> Cases() {
    const TDateTime jan15 = D(2025, 1, 15);
    std::vector<TCase> cases = {
        {"once", TRecSpec{}},
        {"every 3 days until 2027", Repeating(etDaily, jan15, 3, 0, 0, D(2027, 3, 1))},
        {"fortnightly", Repeating(etWeekly, D(2025, 1, 17), 2)},
        {"monthly on the 29th", Repeating(etMonthlyDate, D(2025, 1, 29)), true},
        {"monthly on the 30th", Repeating(etMonthlyDate, D(2025, 1, 30)), true},
        {"monthly on the 31st", Repeating(etMonthlyDate, D(2025, 1, 31))},
        {"every 5 months on the 30th", Repeating(etMonthlyDate, D(2024, 8, 30), 5), true},
        {"1st working day every 3 months, after January's", Repeating(etMonthlyDate, jan15, 3, 1)},
        {"2nd Monday every 2 months, after January's",
         Repeating(etMonthlyDay, D(2025, 1, 20), 2, 1, 2)},
        {"yearly from 29 February", Repeating(etYearly, D(2024, 2, 29))},
        {"every 4 years from 29 February", Repeating(etYearly, D(2024, 2, 29), 4), true},
        {"quarter days from May until 2031",
         Repeating(etAccounting, D(2025, 5, 1), 1, 0, 0, D(2031, 10, 1))},
        {"ended before its first day",
         Repeating(etMonthlyDay, D(2025, 1, 20), 1, 0, 0, D(2025, 1, 25))},
        {"interval 0 behaves as once only", Repeating(etWeekly, D(2025, 1, 17), 0)},
    };
    for (int rank = 1; rank <= 23; ++rank)
        cases.push_back({"working day " + std::to_string(rank),
                         Repeating(etMonthlyDate, jan15, 1, rank), rank == 21 || rank == 22});
    for (int rank = 0; rank <= 4; ++rank)
        for (int weekday = 1; weekday <= 7; ++weekday)
            cases.push_back({"rank " + std::to_string(rank) + " weekday " + std::to_string(weekday),
                             Repeating(etMonthlyDay, D(2025, 1, 1), 1, rank, weekday)});
    return cases;
}

} // namespace

TEST_F(ICalTest, EveryRuleGivesOccursOnsDaysForTenYears) {
    for (const TCase& c : Cases()) {
        TMyList list;
        TTickwellItem* e = MakeEvent(c.Spec);
        list.AddSorted(e);
        const TDateTime to = AddYears(10, c.Spec.Start);
        const TFileDays file = ExpandOnlyEvent(ICalendarText(list), to);
        std::set<TDateTime> own;
        for (TDateTime d = c.Spec.Start; d <= to; d += 1)
            if (e->OccursOn(d))
                own.insert(d);
        if (own.empty()) // never occurs: stands for its start date, as its row shows
            own.insert(c.Spec.Start);
        EXPECT_EQ(file.Days, own) << c.Name;
        EXPECT_EQ(file.Mended > 0, c.Mended) << c.Name;
        // Readers that never produced a day warn about every EXDATE for it.
        EXPECT_EQ(file.Excluded, 0u) << c.Name;
        // Without an end other calendars go on where the program stops.
        EXPECT_EQ(file.Unending, 0u) << c.Name;
    }
}
