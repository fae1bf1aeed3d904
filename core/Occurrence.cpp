// The occurrence and due rules. Recalc and OccursOn give exactly the dates of
// stepping occurrence by occurrence from the start date, but compute the
// occurrences next to the day asked about directly, so an event started a
// century ago costs the same as one started yesterday.
#include "core/Clock.h"
#include "core/TickwellItem.h"
#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

namespace {

using namespace std::chrono;

// year * 12 + (month - 1)
using MonthIndex = long long;

constexpr MonthIndex kFirstMonth = 1LL * 12;
constexpr MonthIndex kLastMonth = 9999LL * 12 + 11;
constexpr long long kHuge = std::numeric_limits<long long>::max() / 4;

double Serial(sys_days d) {
    return static_cast<double>(d.time_since_epoch().count() + kUnixEpochDay);
}

const double kFirstSerial = Serial(sys_days{year{1} / January / 1});
const double kLastSerial = Serial(sys_days{year{9999} / December / 31});

long long FloorDiv(long long a, long long b) {
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

long long CeilDiv(long long a, long long b) {
    return -FloorDiv(-a, b);
}

// The calendar repeats every 400 years, so a month outside the years
// 1..9999 (reached only by malformed records or huge intervals) borrows the
// weekdays and lengths of its twin in 2000..2399.
year_month FirstOfMonth(MonthIndex mi) {
    long long y = FloorDiv(mi, 12);
    const auto m = static_cast<unsigned>(mi - y * 12 + 1);
    if (mi < kFirstMonth || mi > kLastMonth)
        y = 2000 + ((y % 400) + 400) % 400;
    return year{static_cast<int>(y)} / month{m};
}

int MonthLength(MonthIndex mi) {
    return static_cast<int>(static_cast<unsigned>((FirstOfMonth(mi) / last).day()));
}

// 0 Monday .. 6 Sunday, of the 1st of the month.
int FirstWeekdayMon0(MonthIndex mi) {
    const weekday wd{sys_days{FirstOfMonth(mi) / 1}};
    return static_cast<int>((wd.c_encoding() + 6) % 7);
}

// Day serial of a day of a month. Outside the years 1..9999 the value is a
// stand-in beyond every valid date, so it still orders correctly against
// today and against valid end dates.
double MonthDay(MonthIndex mi, int day) {
    if (mi > kLastMonth)
        return kLastSerial + static_cast<double>(mi - kLastMonth) * 32 + day;
    if (mi < kFirstMonth)
        return kFirstSerial - static_cast<double>(kFirstMonth - mi) * 32 - 32 + day;
    const auto ym = FirstOfMonth(mi);
    return Serial(sys_days{ym / static_cast<unsigned>(day)});
}

// One day decoded again and again: today for a whole list in Recalc, the day
// shown for every event in OccursOn.
TYmd DecodeDayCached(double day) {
    thread_local double last = -1e300;
    thread_local TYmd parts{};
    if (day != last) {
        parts = DecodeDate(day);
        last = day;
    }
    return parts;
}

MonthIndex MonthOfSerial(double d) {
    const TYmd ymd = DecodeDayCached(d);
    return static_cast<MonthIndex>(ymd.Year) * 12 + ymd.Month - 1;
}

// Month index of a bound for estimates: clamped far outside when the bound is
// not a valid date.
MonthIndex BoundMonth(double d) {
    if (IsValidDateValue(d))
        return MonthOfSerial(d);
    return d > 0 ? kHuge / 64 : -kHuge / 64;
}

// Day of the month of the n-th working day (n != 0; n beyond the month's
// working days gives the last one; below 1 the first). Working days are
// Monday to Friday: the holiday list is never filled.
struct TMonthShape {
    int Mon0; // weekday of the 1st, 0 Monday .. 6 Sunday
    int Len;
};

TMonthShape ShapeOf(MonthIndex mi) {
    return {FirstWeekdayMon0(mi), MonthLength(mi)};
}

int NthWorkingDom(int n, TMonthShape shape) {
    const int mon0 = shape.Mon0;
    const int len = shape.Len;
    n = std::clamp(n, 1, 23);
    const int firstWd = mon0 <= 4 ? 1 : 1 + (7 - mon0);
    const int i = mon0 <= 4 ? mon0 : 0;
    const int total = i + n - 1;
    const int dom = firstWd - i + (total / 5) * 7 + total % 5;
    if (dom <= len)
        return dom;
    const int lastMon0 = (mon0 + len - 1) % 7;
    return lastMon0 <= 4 ? len : len - (lastMon0 - 4);
}

// Day of the month of the first..fourth or last weekday (1 Sunday..7 Saturday).
int NthWeekdayDom(int rank, int weekday, TMonthShape shape) {
    const int first0 = (shape.Mon0 + 1) % 7; // 0 Sunday
    const int want0 = weekday - 1;
    const int first = 1 + (want0 - first0 + 7) % 7;
    if (rank >= 1 && rank <= 3)
        return first + 7 * rank;
    if (rank == 4) {
        const int len = shape.Len;
        const int last0 = (first0 + len - 1) % 7;
        return len - (last0 - want0 + 7) % 7;
    }
    return first;
}

double QuarterDay(int quarter, long long y) {
    static constexpr int kMonth[] = {3, 6, 9, 12};
    static constexpr int kDay[] = {25, 24, 29, 25};
    return MonthDay(y * 12 + kMonth[quarter - 1] - 1, kDay[quarter - 1]);
}

// The occurrence series of a repeating event, indexed from 0 (the first
// occurrence). Every series is strictly increasing.
class TSeries {
public:
    TSeries(const TTickwellItem& e, double today)
        : Occ0(e.StartDate), E(e), S(e.StartDate), Today(today) {
        // Steps of whole days need no calendar.
        if (e.EventType == etDaily || e.EventType == etWeekly) {
            Step = e.EventType == etDaily ? e.Interval : 7.0 * e.Interval;
            return;
        }
        const TYmd ymd = DecodeDate(S);
        Y0 = ymd.Year;
        M0Day = ymd.Day;
        M0 = static_cast<MonthIndex>(ymd.Year) * 12 + ymd.Month - 1;
        switch (e.EventType) {
        case etYearly:
            Feb29 = ymd.Month == 2 && ymd.Day == 29;
            break;
        case etMonthlyDate:
        case etMonthlyDay:
            SetUpMonthly();
            break;
        default:
            break;
        }
    }

    // Occurrence k as the stepping from the start date produces it. The
    // searches ask for the same few k more than once.
    double At(long long k) const {
        if (k == 0)
            return Occ0;
        for (int i = 0; i < kMemo; ++i)
            if (MemoK[i] == k)
                return MemoV[i];
        const double v = Compute(k);
        MemoK[MemoNext] = k;
        MemoV[MemoNext] = v;
        MemoNext = (MemoNext + 1) % kMemo;
        return v;
    }

    double Compute(long long k) const {
        switch (E.EventType) {
        case etDaily:
        case etWeekly:
            return S + static_cast<double>(k) * Step;
        case etYearly: {
            int day = M0Day;
            if (Feb29 && k >= FirstNonLeap())
                day = 28;
            return MonthDay((Y0 + k * E.Interval) * 12 + (M0 % 12), day);
        }
        default:
            return Candidate(Base + k * E.Interval);
        }
    }

    // The estimate of the first k whose occurrence is at or after x, from
    // the count of days, months or years between the start and x.
    long long EstimateFrom(double x) const {
        switch (E.EventType) {
        case etDaily:
        case etWeekly: {
            if (!(x > S))
                return 0;
            const double k = std::ceil((x - S) / Step);
            return k > static_cast<double>(kHuge) ? kHuge : static_cast<long long>(k);
        }
        case etYearly: {
            const long long yx = FloorDiv(BoundMonth(x), 12);
            return std::max(0LL, CeilDiv(yx - Y0, E.Interval));
        }
        default:
            return std::max(0LL, CeilDiv(BoundMonth(x) - Base, E.Interval));
        }
    }

    // First k >= from with pred(At(k)), pred being false then true along the
    // series; the estimate lands within a step or two of it.
    template <typename Pred> long long First(long long from, long long estimate, Pred pred) const {
        long long k = std::max(from, estimate);
        while (k > from && pred(At(k - 1)))
            --k;
        while (!pred(At(k)))
            ++k;
        return k;
    }

    // Like First, but never looks beyond limit (the answer is then limit).
    template <typename Pred>
    long long FirstUpTo(long long from, long long estimate, long long limit, Pred pred) const {
        long long k = std::clamp(estimate, from, limit);
        while (k > from && pred(At(k - 1)))
            --k;
        while (k < limit && !pred(At(k)))
            ++k;
        return k;
    }

    double Occ0 = 0;
    MonthIndex Base = 0;

private:
    void SetUpMonthly() {
        RankZero = E.EventType == etMonthlyDate && E.Rank == 0;
        Base = M0;
        Occ0 = RankZero ? S : Candidate(M0);
        // The start month's chosen day lies before the start: the series
        // begins in the following month instead.
        if (!RankZero && Occ0 < S) {
            Base = M0 + 1;
            Occ0 = Candidate(Base);
        }
    }

    long long FirstNonLeap() const {
        if (FirstNonLeapJ >= 0)
            return FirstNonLeapJ;
        const long long i = E.Interval;
        long long j = kHuge;
        if (i % 4 != 0) {
            j = 1;
        } else {
            // Only century years not divisible by 400 break the run of leap
            // years; search those that the series can reach.
            const long long limit = FloorDiv(BoundMonth(Today), 12) + 2 * i + 400;
            for (long long c = (Y0 / 100 + 1) * 100; c <= limit; c += 100)
                if (c % 400 != 0 && (c - Y0) % i == 0) {
                    j = (c - Y0) / i;
                    break;
                }
        }
        FirstNonLeapJ = j;
        return j;
    }

public:
    double Candidate(MonthIndex mi) const {
        if (mi < kFirstMonth || mi > kLastMonth) {
            if (E.EventType == etMonthlyDay)
                return MonthDay(mi, NthWeekdayDom(E.Rank, E.Weekday, ShapeOf(mi)));
            if (RankZero)
                return MonthDay(mi, std::min(M0Day, MonthLength(mi)));
            return MonthDay(mi, NthWorkingDom(E.Rank, ShapeOf(mi)));
        }
        // One calendar conversion: the 1st of the month; the rest is counting.
        const year_month ym = FirstOfMonth(mi);
        const sys_days first{ym / 1};
        const TMonthShape shape{static_cast<int>((weekday{first}.c_encoding() + 6) % 7),
                                static_cast<int>(static_cast<unsigned>((ym / last).day()))};
        int dom;
        if (E.EventType == etMonthlyDay)
            dom = NthWeekdayDom(E.Rank, E.Weekday, shape);
        else if (RankZero)
            dom = std::min(M0Day, shape.Len);
        else
            dom = NthWorkingDom(E.Rank, shape);
        return Serial(first) + (dom - 1);
    }

    const TTickwellItem& E;
    double S;
    double Today;
    long long Y0 = 0;
    int M0Day = 1;
    MonthIndex M0 = 0;
    double Step = 1;
    bool Feb29 = false;
    bool RankZero = false;
    mutable long long FirstNonLeapJ = -1;
    static constexpr int kMemo = 4;
    mutable long long MemoK[kMemo] = {-1, -1, -1, -1};
    mutable double MemoV[kMemo] = {};
    mutable int MemoNext = 0;
};

} // namespace

bool TTickwellItem::HasValidRule() const {
    if (Simple)
        return true;
    if (EventType <= etYearly && Interval < 1)
        return false;
    if (EventType == etMonthlyDay && (Weekday < 1 || Weekday > 7))
        return false;
    return true;
}

void TTickwellItem::Recalc() {
    Recalc(Today());
}

void TTickwellItem::Recalc(TDateTime today) {
    const double s = StartDate;
    if (Simple || !HasValidRule() || !IsValidDateValue(s)) {
        NextDate = s;
        PrevDate = s;
        return;
    }
    const double e = EndDate;
    switch (EventType) {
    case etDaily:
    case etWeekly:
    case etYearly: {
        if (s >= today) {
            NextDate = s;
            PrevDate = s;
            return;
        }
        const TSeries series(*this, today);
        const long long kT =
            series.First(1, series.EstimateFrom(today), [&](double d) { return d >= today; });
        // The end only matters when it comes before the next occurrence.
        const long long k = series.At(kT) <= e
                                ? kT
                                : series.FirstUpTo(1, std::isnan(e) ? 1 : series.EstimateFrom(e),
                                                   kT, [&](double d) { return !(d <= e); });
        PrevDate = series.At(k - 1);
        const double occ = series.At(k);
        NextDate = occ > e ? PrevDate : occ;
        return;
    }
    case etMonthlyDate:
    case etMonthlyDay: {
        const TSeries series(*this, today);
        const long long kT =
            series.First(0, series.EstimateFrom(today), [&](double d) { return d >= today; });
        if (std::isnan(e)) {
            // No end ever compares, so every pass lands on "next" and only
            // the first occurrence from today on stays.
            NextDate = series.At(kT);
            return;
        }
        const long long k = series.At(kT) <= e
                                ? kT
                                : series.FirstUpTo(0, series.EstimateFrom(e), kT,
                                                   [&](double d) { return !(d <= e); });
        // With no earlier pass PrevDate keeps what it held.
        const double prev = k > 0 ? series.At(k - 1) : PrevDate;
        const double occ = series.At(k);
        PrevDate = prev;
        NextDate = occ > e ? prev : occ;
        return;
    }
    case etAccounting: {
        const TYmd t = DecodeDate(today);
        const int q = (t.Month + 2) / 3;
        const double qd = QuarterDay(q, t.Year);
        long long ny = t.Year;
        int nq = q;
        if (today > qd) {
            nq = q == 4 ? 1 : q + 1;
            ny = q == 4 ? ny + 1 : ny;
        }
        NextDate = QuarterDay(nq, ny);
        PrevDate = nq == 1 ? QuarterDay(4, ny - 1) : QuarterDay(nq - 1, ny);
        return;
    }
    default:
        return;
    }
}

const TTickwellItem::TStartParts& TTickwellItem::Start() const {
    if (StartParts.For != StartDate) {
        const TYmd ymd = DecodeDate(StartDate);
        StartParts.Year = static_cast<int16_t>(ymd.Year);
        StartParts.Month = static_cast<uint8_t>(ymd.Month);
        StartParts.Day = static_cast<uint8_t>(ymd.Day);
        StartParts.For = StartDate;
    }
    return StartParts;
}

bool TTickwellItem::OccursOn(TDateTime day) const {
    const double s = StartDate;
    if (Simple || !HasValidRule() || !IsValidDateValue(s))
        return day == s;
    if (day < s || day > EndDate || !IsValidDateValue(day))
        return false;
    switch (EventType) {
    case etDaily:
    case etWeekly: {
        const long long step = EventType == etDaily ? Interval : 7LL * Interval;
        const double diff = day - s;
        // Whole days (the rule's own) take the integer path; anything with a
        // time of day can only match at the same time of day.
        if (diff == std::trunc(diff) && diff < 9e15)
            return static_cast<long long>(diff) % step == 0;
        return std::fmod(diff, static_cast<double>(step)) == 0;
    }
    case etYearly: {
        if (day == s)
            return true;
        const TYmd d = DecodeDayCached(day);
        const TStartParts& st = Start();
        const long long dy = d.Year - st.Year;
        if (d.Month != st.Month || dy <= 0 || dy % Interval != 0)
            return false;
        const TSeries series(*this, Today());
        return series.At(dy / Interval) == day;
    }
    case etMonthlyDate:
    case etMonthlyDay: {
        const TYmd d = DecodeDayCached(day);
        const TStartParts& st = Start();
        const MonthIndex dm =
            (static_cast<MonthIndex>(d.Year) - st.Year) * 12 + (d.Month - st.Month);
        if (dm < 0 || dm % Interval != 0)
            return false;
        if (day != std::trunc(day))
            return false;
        // The month's shape from the day asked about, without a calendar
        // conversion.
        const double first = day - (d.Day - 1);
        const weekday firstWd{sys_days{days{static_cast<long long>(first) - kUnixEpochDay}}};
        const TMonthShape shape{
            static_cast<int>((firstWd.c_encoding() + 6) % 7),
            static_cast<int>(static_cast<unsigned>(
                (year{d.Year} / month{static_cast<unsigned>(d.Month)} / last).day()))};
        if (EventType == etMonthlyDate && Rank == 0) {
            if (dm == 0)
                return day == s;
            return d.Day == std::min<int>(st.Day, shape.Len);
        }
        const int dom = EventType == etMonthlyDay ? NthWeekdayDom(Rank, Weekday, shape)
                                                  : NthWorkingDom(Rank, shape);
        if (dm == 0 && first + (dom - 1) < s)
            return false;
        return d.Day == dom;
    }
    case etAccounting: {
        if (day != std::trunc(day))
            return false;
        const TYmd d = DecodeDayCached(day);
        return (d.Month == 3 && d.Day == 25) || (d.Month == 6 && d.Day == 24) ||
               (d.Month == 9 && d.Day == 29) || (d.Month == 12 && d.Day == 25);
    }
    default:
        return false;
    }
}

void TTickwellItem::DaysOccurring(TDateTime first, TDateTime last,
                                  std::vector<TDateTime>& out) const {
    if (!IsValidDateValue(first) || !IsValidDateValue(last) || first != std::trunc(first))
        return;
    // Each rule names a few candidate days; OccursOn has the last word.
    const auto check = [&](double day) {
        if (day >= first && day <= last && day == std::trunc(day) && OccursOn(day))
            out.push_back(day);
    };
    const double s = StartDate;
    if (Simple || !HasValidRule() || !IsValidDateValue(s)) {
        check(s);
        return;
    }
    if (EventType == etDaily || EventType == etWeekly) {
        // A start with a time of day never lands on a whole day.
        if (s != std::trunc(s))
            return;
        const long long step = EventType == etDaily ? Interval : 7LL * Interval;
        const double from = std::max(first, s);
        const long long off = static_cast<long long>(from - s) % step;
        for (double day = from + static_cast<double>(off ? step - off : 0); day <= last;
             day += static_cast<double>(step))
            check(day);
        return;
    }
    const TStartParts& st = Start();
    const MonthIndex startMonth = static_cast<MonthIndex>(st.Year) * 12 + st.Month - 1;
    const MonthIndex lastMonth = MonthOfSerial(last);
    for (MonthIndex mi = MonthOfSerial(first); mi <= lastMonth; ++mi) {
        const double day1 = MonthDay(mi, 1);
        const TMonthShape shape = ShapeOf(mi);
        switch (EventType) {
        case etYearly:
            if (mi % 12 == startMonth % 12)
                for (int d = 0; d < shape.Len; ++d)
                    check(day1 + d);
            break;
        case etMonthlyDate:
        case etMonthlyDay: {
            const MonthIndex dm = mi - startMonth;
            if (dm < 0 || dm % Interval != 0)
                break;
            if (EventType == etMonthlyDate && Rank == 0)
                check(dm == 0 ? s : day1 + (std::min<int>(st.Day, shape.Len) - 1));
            else
                check(day1 +
                      (EventType == etMonthlyDay ? NthWeekdayDom(Rank, Weekday, shape)
                                                 : NthWorkingDom(Rank, shape)) -
                      1);
            break;
        }
        case etAccounting:
            if ((mi % 12) % 3 == 2)
                check(QuarterDay(static_cast<int>(mi % 12) / 3 + 1, FloorDiv(mi, 12)));
            break;
        default:
            break;
        }
    }
}

bool TTickwellItem::InNotice() const {
    return InNotice(Today());
}

TDueKind TTickwellItem::DueState() const {
    return DueState(Today());
}

bool TTickwellItem::InNotice(TDateTime today) const {
    if (today > NextDate)
        return false;
    return std::nearbyint(NextDate - today) <= NoticePeriod;
}

TDueKind TTickwellItem::DueState(TDateTime today) const {
    if (today > NextDate && KeepFlag && AckDate != PrevDate)
        return dkPastEnd;
    const bool inNotice = InNotice(today);
    if (inNotice && AckDate != NextDate)
        return NextDate == today ? dkToday : dkComing;
    if (KeepFlag && !inNotice && !(today > NextDate) && today > StartDate && AckDate != PrevDate &&
        PrevDate != 0)
        return dkOverdue;
    return dkNotDue;
}

bool IsOld(const TTickwellItem& e) {
    return Today() > e.NextDate;
}

bool IsExpired(const TTickwellItem& e) {
    return Today() > e.NextDate && (!e.KeepFlag || e.AckDate == e.NextDate);
}

void AckPastOnCreate(TTickwellItem& e) {
    if (!e.InNotice() && Today() > e.PrevDate)
        e.AckDate = e.PrevDate;
    else
        e.AckDate = 0;
}
