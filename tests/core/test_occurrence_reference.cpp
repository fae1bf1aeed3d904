// Recalc and OccursOn against the literal stepping algorithms, one occurrence
// at a time from the start date, on many random events and days.
#include "core/Clock.h"
#include "core/DateTime.h"
#include "core/HalvaneDates.h"
#include "core/TickwellItem.h"
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <sstream>

namespace {

struct TRef {
    double Next = 0;
    double Prev = 0;
};

// One step of a daily, weekly or yearly rule.
double Step(const TTickwellItem& e, double d) {
    return e.EventType == etDaily    ? AddDays(e.Interval, d)
           : e.EventType == etWeekly ? AddWeeks(e.Interval, d)
                                     : AddYears(e.Interval, d);
}

TRef RefRecalc(const TTickwellItem& e, double today, double oldPrev) {
    TRef r{e.NextDate, oldPrev};
    double d = e.StartDate;
    const double end = e.EndDate;
    if (e.Simple) {
        r.Next = r.Prev = d;
        return r;
    }
    // An occurrence before today and the end is the last one so far; the
    // first that is not ends the stepping.
    const auto ends = [&](double occ) {
        if (occ < today && occ <= end) {
            r.Prev = occ;
            return false;
        }
        r.Next = occ > end ? r.Prev : occ;
        return true;
    };
    switch (e.EventType) {
    case etDaily:
    case etWeekly:
    case etYearly: {
        if (d >= today) {
            r.Next = r.Prev = d;
            return r;
        }
        r.Prev = d;
        do
            d = Step(e, d);
        while (!ends(d));
        return r;
    }
    case etMonthlyDate:
    case etMonthlyDay: {
        const bool byDate = e.EventType == etMonthlyDate;
        const auto occurrence = [&](double x) {
            return byDate ? NthWorkingDay(e.Rank, x) : NthWeekdayOfMonth(e.Rank, e.Weekday, x);
        };
        int wanted = 0;
        bool isShort = false;
        for (;;) {
            if (byDate && wanted == 0)
                wanted = DayOf(d);
            if (isShort) {
                d = wanted >= DaysInMonthOf(d) ? LastDayOfMonth(d)
                                               : EncodeDate(YearOf(d), MonthOf(d), wanted);
                isShort = false;
            }
            double occ = occurrence(d);
            if (SameMonthAndYear(occ, e.StartDate) && occ < d) {
                d = AddMonths(1, d);
                occ = occurrence(d);
            }
            if (ends(occ))
                return r;
            d = AddMonths(e.Interval, d);
            if (byDate && DayOf(d) != wanted)
                isShort = true;
        }
    }
    case etAccounting: {
        const int y = YearOf(today);
        auto qday = [](int q, int year) {
            static const int m[] = {3, 6, 9, 12};
            static const int dd[] = {25, 24, 29, 25};
            return EncodeDate(year, m[q - 1], dd[q - 1]);
        };
        const int q = QuarterOf(today);
        const double t = qday(q, y);
        r.Next = today <= t ? t : (q == 4 ? qday(1, y + 1) : qday(q + 1, y));
        const int nq = QuarterOf(r.Next);
        const int ny = YearOf(r.Next);
        r.Prev = nq == 1 ? qday(4, ny - 1) : qday(nq - 1, ny);
        return r;
    }
    default:
        return r;
    }
}

// Every occurrence up to limit, by stepping from the start date.
std::set<double> RefOccurrences(const TTickwellItem& e, double limit) {
    std::set<double> out;
    const double s = e.StartDate;
    const double end = e.EndDate;
    if (e.Simple) {
        out.insert(s);
        return out;
    }
    auto keep = [&](double d) { return d <= limit && d <= end; };
    switch (e.EventType) {
    case etDaily:
    case etWeekly:
    case etYearly:
        for (double d = s; keep(d); d = Step(e, d))
            out.insert(d);
        break;
    case etMonthlyDate:
        if (e.Rank == 0) {
            const int wanted = DayOf(s);
            for (double d = s; keep(d);) {
                out.insert(d);
                d = AddMonths(e.Interval, d);
                d = wanted >= DaysInMonthOf(d) ? LastDayOfMonth(d)
                                               : EncodeDate(YearOf(d), MonthOf(d), wanted);
            }
            break;
        }
        [[fallthrough]];
    case etMonthlyDay:
        for (double first = FirstDayOfMonth(s); first <= limit && first <= end;
             first = AddMonths(e.Interval, first)) {
            const double c = e.EventType == etMonthlyDay
                                 ? NthWeekdayOfMonth(e.Rank, e.Weekday, first)
                                 : NthWorkingDay(e.Rank, first);
            if (c >= s && keep(c))
                out.insert(c);
        }
        break;
    case etAccounting:
        for (int y = YearOf(s); y <= YearOf(std::min(limit, end)); ++y)
            for (auto [m, d] : {std::pair{3, 25}, {6, 24}, {9, 29}, {12, 25}}) {
                const double q = EncodeDate(y, m, d);
                if (q >= s && keep(q))
                    out.insert(q);
            }
        break;
    default:
        break;
    }
    return out;
}

struct TGen {
    std::mt19937 rng{20261206};

    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

    double Day(int yearLo, int yearHi) {
        const int y = Int(yearLo, yearHi);
        const int m = Int(1, 12);
        // Month ends and leap days are where the rules differ most.
        int d = Int(0, 3) == 0 ? DaysInMonth(m, y) - Int(0, 3) : Int(1, DaysInMonth(m, y));
        if (Int(0, 30) == 0) {
            int leap = y - y % 4;
            while (!IsLeapYear(leap))
                leap -= 4;
            return EncodeDate(leap, 2, 29);
        }
        return EncodeDate(y, m, d);
    }

    EventRecord Event(double today, int spanYears) {
        EventRecord r;
        r.Simple = Int(0, 9) == 0;
        r.EventType = static_cast<uint8_t>(Int(0, 5));
        const int todayYear = YearOf(today);
        const int span = r.EventType == etDaily ? std::min(spanYears, 30) : spanYears;
        r.StartDate = Day(todayYear - span, todayYear + 3);
        if (r.EventType == etMonthlyDate)
            r.Rank = static_cast<int16_t>(Int(0, 3) == 0 ? 0 : Int(-1, 30));
        else if (r.EventType == etMonthlyDay)
            r.Rank = static_cast<int16_t>(Int(-1, 6));
        r.Weekday = static_cast<int16_t>(Int(1, 7));
        const int pick = Int(0, 9);
        r.Interval = static_cast<int16_t>(pick < 5 ? 1 : pick < 8 ? Int(2, 6) : Int(7, 60));
        if (r.EventType == etYearly && Int(0, 3) == 0)
            r.Interval = static_cast<int16_t>(4 * Int(1, 30));
        // None, before the start, a century on, on the start, or any time on.
        const int end = Int(0, 5);
        r.EndDate = end == 0   ? 0
                    : end == 1 ? r.StartDate - Int(0, 400)
                    : end == 2 ? AddYears(100, r.StartDate)
                    : end == 3 ? r.StartDate
                               : r.StartDate + Int(1, 365 * Int(1, 40));
        r.NoticePeriod = static_cast<int16_t>(Int(0, 30));
        r.KeepFlag = static_cast<uint8_t>(Int(0, 1));
        return r;
    }
};

std::string Describe(const TTickwellItem& e, double today) {
    std::ostringstream os;
    os << "type " << int(e.EventType) << " simple " << e.Simple << " rank " << e.Rank << " weekday "
       << e.Weekday << " interval " << e.Interval << " start " << e.StartDate << " end "
       << e.EndDate << " today " << today;
    return os.str();
}

class OccurrenceReference : public ::testing::Test {
protected:
    void TearDown() override { SetClockSource({}); }
};

TEST_F(OccurrenceReference, RecalcMatchesSteppingOnRandomEvents) {
    TGen gen;
    for (int i = 0; i < 150000; ++i) {
        const double today = gen.Day(1950, 2080);
        FixToday(today);
        const int span = i % 10 == 0 ? 220 : 60;
        EventRecord rec = gen.Event(today, span);
        TTickwellItem e(rec);
        // PrevDate keeps its old value where no pass sets it.
        const double oldPrev = (i % 3 == 0) ? gen.Day(1950, 2080) : 0;
        e.PrevDate = oldPrev;
        const double oldNext = e.NextDate;
        e.Recalc();
        TTickwellItem probe(rec);
        probe.NextDate = oldNext;
        const TRef want = RefRecalc(probe, today, oldPrev);
        ASSERT_EQ(e.NextDate, want.Next) << Describe(e, today);
        ASSERT_EQ(e.PrevDate, want.Prev) << Describe(e, today);
    }
}

TEST_F(OccurrenceReference, OccursOnMatchesSteppingOnRandomEvents) {
    TGen gen;
    for (int i = 0; i < 4000; ++i) {
        const double today = gen.Day(1990, 2060);
        FixToday(today);
        EventRecord rec = gen.Event(today, 60);
        const TTickwellItem e(rec);
        // A window around a random point of the event's life, and one around
        // its end date.
        for (double centre : {e.StartDate + gen.Int(-40, 4000), e.EndDate}) {
            const double from = centre - 45;
            const double to = centre + 45;
            const std::set<double> occ = RefOccurrences(e, to);
            for (double d = from; d <= to; ++d) {
                if (!IsValidDateValue(d))
                    continue;
                ASSERT_EQ(e.OccursOn(d), occ.count(d) == 1) << Describe(e, today) << " day " << d;
            }
        }
    }
}

// The days of a month or a longer stretch found from the rule are exactly
// the days on which OccursOn holds, also for starts with a time of day, ends
// that compare with nothing and rules that fall back to once only.
TEST_F(OccurrenceReference, DaysOccurringMatchesAskingEveryDay) {
    TGen gen;
    std::vector<TDateTime> days;
    size_t found = 0;
    for (int i = 0; i < 6000; ++i) {
        const double today = gen.Day(1990, 2060);
        FixToday(today);
        EventRecord rec = gen.Event(today, 60);
        if (i % 13 == 0)
            rec.StartDate += 0.5;
        if (i % 17 == 0)
            rec.EndDate = std::nan("");
        if (i % 19 == 0)
            rec.Interval = 0;
        const TTickwellItem e(rec);
        for (double centre : {e.StartDate + gen.Int(-40, 4000), e.EndDate, today}) {
            if (!IsValidDateValue(centre))
                continue;
            const double first = FirstDayOfMonth(centre) - (i % 3 == 0 ? 40 : 0);
            const double last = LastDayOfMonth(centre) + (i % 5 == 0 ? 70 : 0);
            days.clear();
            e.DaysOccurring(first, last, days);
            std::vector<TDateTime> want;
            for (double d = first; d <= last; ++d)
                if (e.OccursOn(d))
                    want.push_back(d);
            ASSERT_EQ(days, want) << Describe(e, today) << " from " << first;
            found += days.size();
        }
    }
    EXPECT_GT(found, 20000u);
}

} // namespace
