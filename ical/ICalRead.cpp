// Reading an iCalendar file into events: each VEVENT is given the record the
// program would store for it, and that record's days are checked against
// the file's own, expanded by libical, so an event is only called exact when
// the days agree.
#include "core/Clock.h"
#include "core/Cp1252.h"
#include "core/DateFormat.h"
#include "core/HalvaneDates.h"
#include "core/Messages.h"
#include "core/NewEventRules.h"
#include "core/Snooze.h"
#include "core/TrNoop.h"
#include "ical/ICalComponent.h"
#include "ical/ICalFields.h"
#include "ical/ICalImport.h"
#include "ical/ICalRecurrence.h"
#include "ical/ICalSchedule.h"
#include "ical/ICalTime.h"
#include <algorithm>
#include <cctype>
#include <climits>
#include <map>
#include <memory>
#include <numeric>
#include <optional>
#include <set>

namespace {

// Far enough to meet every quirk of the program's rules (the first common
// year a 29 February event with a four-year step meets is 76 years on).
// The instance limit keeps a dense rule from costing a century of days
// (libical takes some microseconds for each); two years are always looked
// at, so that the weeks in which two zones change their clocks on different
// days are met.
constexpr int kHorizonYears = 100;
constexpr size_t kInstanceLimit = 240;
constexpr int kLeastYears = 2;

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The first and last lines that hold anything but blanks.
bool FramedAsCalendar(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    const size_t begin = text.find_first_not_of(" \t\r\n");
    const size_t end = text.find_last_not_of(" \t\r\n");
    if (begin == std::string_view::npos)
        return false;
    const std::string head = Lower(text.substr(begin, 15));
    const std::string tail = Lower(text.substr(end + 1 - std::min<size_t>(end + 1, 13), 13));
    return head == "begin:vcalendar" && tail == "end:vcalendar";
}

// Why a part of the event was not read, from libical's note on it, in the
// user's words: its note names the property and says it was removed, which
// is the opposite of what the user sees when the whole file is refused.
struct TReadError {
    std::string Property; // upper case; empty for a line that is no property
    std::string Text;     // the line or value that could not be read
};

TReadError ReadErrorOf(icalproperty* error) {
    const char* note = icalproperty_get_xlicerror(error);
    const std::string text = note ? note : "";
    TReadError e;
    if (const size_t in = text.find(" in "), end = text.find(" property");
        in != std::string::npos && end != std::string::npos && in + 4 < end)
        e.Property = text.substr(in + 4, end - in - 4);
    const size_t colon = text.rfind(": ");
    e.Text = colon == std::string::npos ? text : text.substr(colon + 2);
    return e;
}

std::string WhatOf(const TReadError& e) {
    static const std::map<std::string, std::string> kNames = {{"DTSTART", "start"},
                                                              {"DTEND", "end"},
                                                              {"DURATION", "length"},
                                                              {"RRULE", "repeat rule"},
                                                              {"RDATE", "list of extra dates"},
                                                              {"EXDATE", "list of dates left out"},
                                                              {"TRIGGER", "time"},
                                                              {"SUMMARY", "title"},
                                                              {"DESCRIPTION", "notes"},
                                                              {"SEQUENCE", "revision number"}};
    if (e.Property.empty())
        return "a line that is not iCalendar (\"" + e.Text + "\")";
    const auto it = kNames.find(e.Property);
    return (it == kNames.end() ? e.Property : it->second) + " \"" + e.Text + "\"";
}

// Properties without which the event's days are not known.
bool HoldsTheDays(const std::string& property) {
    return property == "DTSTART" || property == "RRULE" || property == "RDATE" ||
           property == "EXDATE";
}

std::vector<icalproperty*> ErrorsOf(icalcomponent* c) {
    std::vector<icalproperty*> out;
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_XLICERROR_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_XLICERROR_PROPERTY))
        out.push_back(p);
    return out;
}

// An event the import leaves out, with the reason.
struct TLeaveOut {
    std::string Why;
};

// What of the event libical could not read: an alarm with such a part is
// dropped whole (its time is what the program uses of it), any other part
// alone, and an event whose days cannot be known is left out.
void DropWhatCannotBeRead(icalcomponent* ev, std::vector<std::string>& dropped) {
    for (icalproperty* p : ErrorsOf(ev)) {
        const TReadError e = ReadErrorOf(p);
        if (HoldsTheDays(e.Property))
            throw TLeaveOut{"its " + WhatOf(e) + " cannot be read"};
        dropped.push_back("its " + WhatOf(e) + " could not be read");
    }
    std::vector<icalcomponent*> broken;
    for (icalcomponent* sub = icalcomponent_get_first_component(ev, ICAL_ANY_COMPONENT); sub;
         sub = icalcomponent_get_next_component(ev, ICAL_ANY_COMPONENT)) {
        const std::vector<icalproperty*> errors = ErrorsOf(sub);
        if (errors.empty())
            continue;
        dropped.push_back("a reminder whose " + WhatOf(ReadErrorOf(errors.front())) +
                          " could not be read was left out");
        broken.push_back(sub);
    }
    for (icalcomponent* sub : broken) {
        icalcomponent_remove_component(ev, sub);
        icalcomponent_free(sub);
    }
}

// A time with its zone: the file's VTIMEZONE, else the system's zone of that
// name, else the time is floating.
icaltimetype TimeOf(icalproperty* p, icalcomponent* owner) {
    icaltimetype t = icalproperty_get_datetime_with_component(p, owner);
    if (!t.is_date && !t.zone) {
        if (icalparameter* tzid = icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER)) {
            if (icaltimezone* zone =
                    icaltimezone_get_builtin_timezone(icalparameter_get_tzid(tzid)))
                t = icaltime_set_timezone(&t, zone);
        }
    }
    return t;
}

TRecurrence RecurrenceOf(icalcomponent* ev, const icaltimetype& start) {
    TRecurrence r;
    r.Start = start;
    for (icalproperty* p = icalcomponent_get_first_property(ev, ICAL_RRULE_PROPERTY); p;
         p = icalcomponent_get_next_property(ev, ICAL_RRULE_PROPERTY))
        r.Rules.push_back(icalproperty_get_rrule(p));
    for (icalproperty* p = icalcomponent_get_first_property(ev, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(ev, ICAL_RDATE_PROPERTY)) {
        const icaldatetimeperiodtype v = icalproperty_get_rdate(p);
        const icaltimetype t = icaltime_is_null_time(v.time) ? v.period.start : TimeOf(p, ev);
        r.RDates.push_back(icaltime_is_null_time(t) ? v.time : t);
    }
    for (icalproperty* p = icalcomponent_get_first_property(ev, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(ev, ICAL_EXDATE_PROPERTY))
        r.ExDates.push_back(TimeOf(p, ev));
    return r;
}

// What the file asks for, for the report of an event the program cannot
// repeat exactly.
std::string RuleText(const TRecurrence& r) {
    std::string text;
    for (const icalrecurrencetype& rule : r.Rules) {
        char* s = icalrecurrencetype_as_string_r(const_cast<icalrecurrencetype*>(&rule));
        if (!text.empty())
            text += " and ";
        text += s ? s : "";
        icalmemory_free_buffer(s);
    }
    if (!r.RDates.empty())
        text += text.empty() ? "extra dates" : " with extra dates";
    if (!r.ExDates.empty())
        text += " with dates left out";
    return text;
}

// Days before the start on which the reminder nearest the start goes off;
// `late` tells whether a reminder goes off after the start.
std::optional<int> NoticeDays(icalcomponent* ev, const icaltimetype& start, TDateTime startDay,
                              bool& late) {
    late = false;
    icaltimetype base = start;
    if (base.is_date) {
        base.is_date = 0;
        base.hour = base.minute = base.second = 0;
    }
    std::optional<int> nearest;
    for (icalcomponent* a = icalcomponent_get_first_component(ev, ICAL_VALARM_COMPONENT); a;
         a = icalcomponent_get_next_component(ev, ICAL_VALARM_COMPONENT)) {
        icalproperty* p = icalcomponent_get_first_property(a, ICAL_TRIGGER_PROPERTY);
        if (!p)
            continue;
        const icaltriggertype trigger = icalproperty_get_trigger(p);
        icaltimetype at;
        if (!icaltime_is_null_time(trigger.time)) {
            at = trigger.time;
        } else {
            icalparameter* related = icalproperty_get_first_parameter(p, ICAL_RELATED_PARAMETER);
            const bool fromEnd = related && icalparameter_get_related(related) == ICAL_RELATED_END;
            if (fromEnd) {
                at = icalcomponent_get_dtend(ev);
                if (at.is_date) {
                    at.is_date = 0;
                    at.hour = at.minute = at.second = 0;
                }
            } else if (icaldurationtype_as_int(trigger.duration) > 0) {
                late = true;
                continue;
            } else {
                at = base;
            }
            at = icaltime_add(at, trigger.duration);
        }
        const std::optional<TDateTime> day = LocalDay(at);
        late = late || (day && *day > startDay);
        if (!day || *day > startDay)
            continue;
        const double lead = startDay - *day;
        if (lead <= SHRT_MAX && (!nearest || lead < *nearest))
            nearest = static_cast<int>(lead);
    }
    return nearest;
}

// The program keeps one text: the summary as its first line, the notes
// after it. The export writes the whole text as the description, so there
// the summary, which other calendars let the user edit, replaces its first
// line.
std::string DescriptionOf(icalcomponent* ev, bool exported) {
    const char* s = icalcomponent_get_summary(ev);
    const char* d = icalcomponent_get_description(ev);
    const std::string summary = ICalText(s ? s : "");
    const std::string notes = ICalText(d ? d : "");
    std::string text = summary;
    if (exported) {
        const size_t lineEnd = notes.find('\n');
        if (lineEnd != std::string::npos)
            text += notes.substr(lineEnd);
    } else if (summary.empty() || notes == summary || notes.rfind(summary + "\n", 0) == 0) {
        text = notes;
    } else if (!notes.empty()) {
        text += "\n" + notes;
    }
    std::string crlf;
    for (char c : text) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    return crlf;
}

EventRecord OnceOnly(TDateTime day) {
    EventRecord rec;
    DefaultRecord(rec);
    rec.StartDate = day;
    rec.EndDate = day;
    rec.Simple = 1;
    rec.NoEndPoint = 1;
    rec.Weekday = static_cast<int16_t>(DayOfWeek(day));
    return rec;
}

int WeekdayOf(icalrecurrencetype_weekday d) {
    return static_cast<int>(d); // 1 Sunday .. 7 Saturday, as the program counts
}

// The program's rule nearest to an RRULE; whether it is exact is checked
// afterwards, so this only has to pick the right shape.
std::optional<EventRecord> RuleRecord(const icalrecurrencetype& r, TDateTime start) {
    // A step the editor could not show, nor the user enter.
    if (r.interval > kMaxInterval)
        return std::nullopt;
    EventRecord rec = OnceOnly(start);
    rec.Simple = 0;
    rec.NoEndPoint = 0;
    rec.Interval = static_cast<int16_t>(std::clamp<int>(r.interval, 1, SHRT_MAX));
    int days = 0;
    while (days < ICAL_BY_DAY_SIZE && r.by_day[days] != ICAL_RECURRENCE_ARRAY_MAX)
        ++days;
    int setPositions = 0;
    while (setPositions < ICAL_BY_SETPOS_SIZE &&
           r.by_set_pos[setPositions] != ICAL_RECURRENCE_ARRAY_MAX)
        ++setPositions;
    // One weekday of the month: 2TU, or TU with BYSETPOS=2.
    auto monthlyDay = [&](int interval) -> std::optional<EventRecord> {
        int pos = icalrecurrencetype_day_position(r.by_day[0]);
        if (pos == 0 && setPositions == 1)
            pos = r.by_set_pos[0];
        if (pos < -1 || pos > 4 || pos == 0)
            return std::nullopt;
        rec.EventType = etMonthlyDay;
        rec.Rank = static_cast<int16_t>(pos == -1 ? 4 : pos - 1);
        rec.Weekday =
            static_cast<int16_t>(WeekdayOf(icalrecurrencetype_day_day_of_week(r.by_day[0])));
        rec.Interval = static_cast<int16_t>(std::clamp(interval, 1, SHRT_MAX));
        return rec;
    };
    switch (r.freq) {
    case ICAL_DAILY_RECURRENCE:
        rec.EventType = etDaily;
        return rec;
    case ICAL_WEEKLY_RECURRENCE:
        rec.EventType = etWeekly;
        return rec;
    case ICAL_MONTHLY_RECURRENCE:
        if (days == 1)
            return monthlyDay(r.interval);
        rec.EventType = etMonthlyDate;
        // Monday to Friday with one position: the n-th or last working day.
        if (days == 5 && setPositions == 1) {
            const int pos = r.by_set_pos[0];
            if (pos == -1 || (pos >= 1 && pos <= 22))
                rec.Rank = static_cast<int16_t>(pos == -1 ? 23 : pos);
        }
        return rec;
    case ICAL_YEARLY_RECURRENCE:
        if (days == 1 && r.by_month[0] != ICAL_RECURRENCE_ARRAY_MAX &&
            r.by_month[1] == ICAL_RECURRENCE_ARRAY_MAX)
            return monthlyDay(r.interval * 12);
        rec.EventType =
            r.by_month[0] != ICAL_RECURRENCE_ARRAY_MAX && r.by_month[1] != ICAL_RECURRENCE_ARRAY_MAX
                ? etAccounting
                : etYearly;
        return rec;
    default:
        return std::nullopt;
    }
}

// The file's days and the record's agree as far as both are known; an
// open-ended record stops after 100 years where the file goes on.
bool SameDays(const EventRecord& rec, const TRecurrenceDays& days, TDateTime start) {
    const TTickwellItem e(rec);
    TDateTime to = days.Until;
    if (IsOpenEnded(e) && e.EndDate < to)
        to = e.EndDate;
    std::vector<TDateTime> fileDays = days.Days;
    std::erase_if(fileDays, [&](TDateTime d) { return d > to; });
    return EventDays(e, std::min(rec.StartDate, start), to) == fileDays;
}

// The record's repeat fields from the rule's shape and the file's days.
std::optional<EventRecord> StandardRecord(const TRecurrence& r, const TRecurrenceDays& days,
                                          TDateTime start) {
    // A rule that gives no day after the first (one that ends before it
    // begins) is a once-only event; one with a step the program cannot hold
    // is asked about, whatever the days looked at.
    if (r.Rules.empty() ||
        (days.Ended && days.Days.size() <= 1 && r.Rules[0].interval <= kMaxInterval))
        return OnceOnly(start);
    if (r.Rules.size() > 1)
        return std::nullopt;
    std::optional<EventRecord> rec = RuleRecord(r.Rules[0], start);
    if (!rec)
        return std::nullopt;
    if (days.Ended) {
        rec->EndDate = days.Days.empty() ? start : days.Days.back();
    } else if (r.Rules[0].count > 0) {
        // Its last day lies beyond the days looked at.
        return std::nullopt;
    } else if (!icaltime_is_null_time(r.Rules[0].until)) {
        icaltimetype until = r.Rules[0].until;
        if (!until.is_date && !until.zone)
            until.zone = r.Start.zone;
        rec->EndDate = LocalDay(until).value_or(AddYears(kHorizonYears, start));
        // An end a century or more on is what the export writes for an event
        // without one.
        rec->NoEndPoint = !(rec->EndDate < AddYears(kHorizonYears, start));
    } else {
        rec->EndDate = NoEndPointEnd(start);
        rec->NoEndPoint = 1;
    }
    return rec;
}

// Whole days from the start to the end (DTEND or DURATION), counting the
// start day; nothing when the event gives no end.
std::optional<int> LengthInDays(icalcomponent* ev, TDateTime startDay) {
    if (!icalcomponent_get_first_property(ev, ICAL_DTEND_PROPERTY) &&
        !icalcomponent_get_first_property(ev, ICAL_DURATION_PROPERTY))
        return std::nullopt;
    icaltimetype end = icalcomponent_get_dtend(ev);
    if (icaltime_is_null_time(end))
        return std::nullopt;
    // An all-day end is the day after; a timed end at midnight ends the day
    // before.
    end = icaltime_add(end, icaldurationtype_from_int(end.is_date ? -86400 : -1));
    const std::optional<TDateTime> last = LocalDay(end);
    if (!last || *last < startDay)
        return std::nullopt;
    return static_cast<int>(*last - startDay) + 1;
}

// A rule without an end that began so long ago that the program, which ends
// a repeat 100 years after it begins, would end it within ten years: the
// rule's first instance from a year ago on, which keeps every day to come.
std::optional<icaltimetype> LaterStart(icalcomponent* ev, const icaltimetype& start) {
    icalproperty* p = icalcomponent_get_first_property(ev, ICAL_RRULE_PROPERTY);
    if (!p || icalcomponent_count_properties(ev, ICAL_RRULE_PROPERTY) > 1)
        return std::nullopt;
    const icalrecurrencetype rule = icalproperty_get_rrule(p);
    const std::optional<TDateTime> s = LocalDay(start);
    if (!icaltime_is_null_time(rule.until) || rule.count > 0 || rule.freq < ICAL_DAILY_RECURRENCE ||
        !s || !(AddYears(kHorizonYears, *s) < AddYears(10, Today())))
        return std::nullopt;
    icalrecur_iterator* it = icalrecur_iterator_new(rule, start);
    if (!it)
        return std::nullopt;
    icaltimetype from = start;
    const TYmd ago = DecodeDate(AddYears(-1, Today()));
    from.year = static_cast<int>(ago.Year);
    from.month = ago.Month;
    from.day = ago.Day;
    icaltimetype next = icaltime_null_time();
    if (icalrecur_iterator_set_start(it, from))
        next = icalrecur_iterator_next(it);
    icalrecur_iterator_free(it);
    if (icaltime_is_null_time(next) || !LocalDay(next))
        return std::nullopt;
    return next;
}

// The days of the event and of the events linked to it as parts of it.
TRecurrenceDays DaysOf(icalcomponent* ev, const icaltimetype& start,
                       const std::vector<icalcomponent*>& parts) {
    const TDateTime s = *LocalDay(start);
    const TDateTime horizon = AddYears(kHorizonYears, s), least = AddYears(kLeastYears, s);
    TRecurrenceDays days =
        ExpandRecurrence(RecurrenceOf(ev, start), horizon, kInstanceLimit, least);
    for (icalcomponent* part : parts) {
        icalproperty* dtstart = icalcomponent_get_first_property(part, ICAL_DTSTART_PROPERTY);
        const icaltimetype t = dtstart ? TimeOf(dtstart, part) : icaltime_null_time();
        if (icaltime_is_null_time(t) || !LocalDay(t))
            continue;
        const TRecurrenceDays more =
            ExpandRecurrence(RecurrenceOf(part, t), horizon, kInstanceLimit, least);
        days.Days.insert(days.Days.end(), more.Days.begin(), more.Days.end());
        days.Until = std::min(days.Until, more.Until);
        days.Ended = days.Ended && more.Ended;
    }
    std::sort(days.Days.begin(), days.Days.end());
    days.Days.erase(std::unique(days.Days.begin(), days.Days.end()), days.Days.end());
    std::erase_if(days.Days, [&](TDateTime d) { return d > days.Until; });
    return days;
}

// A yearly rule on a month's last day (BYMONTHDAY=-1 from 29 February)
// has the days of the program's monthly rule every twelve months, which
// falls back to the end of a shorter month.
std::optional<EventRecord> MonthEndRecord(EventRecord rec, const TRecurrenceDays& days,
                                          TDateTime first) {
    if (rec.EventType != etYearly || rec.Interval * 12 > kMaxInterval)
        return std::nullopt;
    rec.EventType = etMonthlyDate;
    rec.Rank = 0;
    rec.Interval = static_cast<int16_t>(rec.Interval * 12);
    if (!SameDays(rec, days, first))
        return std::nullopt;
    return rec;
}

// A yearly rule from 29 February, which other calendars keep to leap
// years: the program's yearly rule with a step of four years (or a multiple)
// has the same days up to the first century year that is no leap year,
// where it stays on 28 February from then on; that is said.
std::optional<EventRecord> LeapDayRecord(EventRecord rec, const TRecurrenceDays& days,
                                         TDateTime first, std::vector<std::string>& changes) {
    if (rec.EventType != etYearly || MonthOf(first) != 2 || DayOf(first) != 29 ||
        std::lcm<int>(rec.Interval, 4) > kMaxInterval)
        return std::nullopt;
    rec.Interval = static_cast<int16_t>(std::lcm<int>(rec.Interval, 4));
    // A step of a hundred years from a leap year never meets a common one.
    const int last = YearOf(first) + kHorizonYears;
    int year = YearOf(first) + rec.Interval;
    while (IsLeapYear(year) && year <= last)
        year += rec.Interval;
    TRecurrenceDays before = days;
    before.Until = std::min(days.Until, EncodeDate(year, 1, 1));
    std::erase_if(before.Days, [&](TDateTime d) { return d > before.Until; });
    if (!SameDays(rec, before, first))
        return std::nullopt;
    if (year <= last && rec.EndDate >= EncodeDate(year, 2, 28))
        changes.push_back("it falls on 29 February, which only leap years have; Tickwell repeats "
                          "it every " +
                          std::to_string(rec.Interval) + " years, on 28 February from " +
                          std::to_string(year) + ", which is no leap year");
    return rec;
}

TICalEvent ReadEvent(icalcomponent* ev, const std::vector<icalcomponent*>& parts,
                     const TICalDefaults& defaults) {
    TICalEvent out;
    const char* summary = icalcomponent_get_summary(ev);
    out.Summary = summary ? summary : "";
    const char* uid = icalcomponent_get_uid(ev);
    out.Uid = uid ? uid : "";
    out.Sequence = icalcomponent_get_sequence(ev);
    if (icalcomponent_get_status(ev) == ICAL_STATUS_CANCELLED)
        throw TLeaveOut{"it is cancelled"};
    DropWhatCannotBeRead(ev, out.Dropped);
    icalproperty* dtstart = icalcomponent_get_first_property(ev, ICAL_DTSTART_PROPERTY);
    icaltimetype start = dtstart ? TimeOf(dtstart, ev) : icaltime_null_time();
    std::optional<TDateTime> startDay =
        icaltime_is_null_time(start) ? std::nullopt : LocalDay(start);
    if (!startDay)
        throw TLeaveOut{"it has no start date"};
    if (const std::optional<int> days = LengthInDays(ev, *startDay); days && *days > 1)
        out.Changes.push_back("it lasts " + std::to_string(*days) +
                              " days; Tickwell reminds of its first day");
    if (const std::optional<icaltimetype> later = LaterStart(ev, start)) {
        const TDateTime day = *LocalDay(*later);
        out.Changes.push_back("its repeat rule has no end and began on " + DateToStr(*startDay) +
                              "; it begins on " + DateToStr(day) +
                              " here, as Tickwell ends a repeat 100 years after it begins");
        start = *later;
        startDay = day;
    }
    const TDateTime s = *startDay;
    out.Timed = !start.is_date;

    const TRecurrence r = RecurrenceOf(ev, start);
    for (const icalrecurrencetype& rule : r.Rules)
        if (const std::optional<TDateTime> until =
                icaltime_is_null_time(rule.until) ? std::nullopt : LocalDay(rule.until);
            until && *until < s)
            out.Changes.push_back("its repeat rule ends on " + DateToStr(*until) +
                                  ", before it begins; it comes in as its first day alone");
    const TRecurrenceDays days = DaysOf(ev, start, parts);
    const TDateTime first = days.Days.empty() ? s : days.Days.front();

    // A file the export wrote carries the stored fields; they are used while
    // the file's days still agree with them, so a change made in another
    // calendar wins.
    std::optional<EventRecord> rec;
    if (const std::optional<std::string> fields = XValue(ev, kXEvent)) {
        EventRecord own = OnceOnly(s);
        if (ReadRuleFields(*fields, own) && (defaults.WithoutParts || SameDays(own, days, first)))
            rec = own;
    }
    if (!rec) {
        rec = StandardRecord(r, days, first);
        if (rec && !SameDays(*rec, days, first)) {
            const EventRecord standard = *rec;
            rec = MonthEndRecord(standard, days, first);
            if (!rec)
                rec = LeapDayRecord(standard, days, first, out.Changes);
        }
    }
    if (!rec) {
        out.Exact = false;
        out.Rule = RuleText(r);
        rec = OnceOnly(first);
    }
    const std::optional<std::string> keep = XValue(ev, kXKeep);
    rec->SetDescription(DescriptionOf(ev, keep.has_value()));
    // Cut to the length a record holds, it may end in blanks or half a line
    // break, which the export could not write.
    std::string kept = rec->Description();
    while (!kept.empty() && (kept.back() == ' ' || kept.back() == '\t' || kept.back() == '\r'))
        kept.pop_back();
    rec->SetDescription(kept);
    bool late = false;
    std::optional<int> notice = NoticeDays(ev, start, s, late);
    if (!notice && late) {
        notice = 0;
        out.Changes.push_back("its reminder goes off after it begins; Tickwell reminds on the "
                              "day itself");
    }
    rec->NoticePeriod =
        static_cast<int16_t>(notice.value_or(std::clamp(defaults.Notice, 0, SHRT_MAX)));
    rec->KeepFlag = keep ? Lower(*keep) == "true" : defaults.Keep;
    if (const std::optional<std::string> ack = XValue(ev, kXAck)) {
        const std::optional<TDateTime> day = ReadBasicDate(*ack);
        out.HasAck = day || *ack == kNeverAcknowledged;
        rec->AckDate = day.value_or(0);
    }
    if (const std::optional<std::string> snooze = XValue(ev, kXSnooze))
        TryParseBasicDateTime(*snooze, out.SnoozeUntil);
    // Only what the export can write back comes in.
    TICalSchedule schedule;
    if (ScheduleOf(TTickwellItem(*rec), schedule) && !WritableSchedule(schedule))
        throw TLeaveOut{DaysBeyondReason()};
    out.Record = *rec;
    return out;
}

// A rule the program holds as several events of its own: a weekly rule on
// several weekdays (a weekly event for each), or a monthly rule on the 29th,
// 30th or 31st, which other calendars skip in shorter months where the
// program falls back to the month's end (a yearly event for each month that
// has the day). Each copy of the event gets its own rule, first day and UID.
struct TCopy {
    icalrecurrencetype Rule;
    icaltimetype First;
    std::string Suffix;
};

struct TSplit {
    std::vector<TCopy> Copies;
    std::string Why;
};

bool OnlyBy(const icalrecurrencetype& r, bool days, bool monthDays) {
    const auto none = [](const short* by) { return by[0] == ICAL_RECURRENCE_ARRAY_MAX; };
    return (days || none(r.by_day)) && (monthDays || none(r.by_month_day)) && none(r.by_month) &&
           none(r.by_set_pos) && none(r.by_year_day) && none(r.by_week_no) && none(r.by_hour) &&
           none(r.by_minute) && none(r.by_second);
}

std::vector<TCopy> WeekdayCopies(const icalrecurrencetype& rule, const icaltimetype& start) {
    int days = 0;
    bool named = false;
    for (; days < ICAL_BY_DAY_SIZE && rule.by_day[days] != ICAL_RECURRENCE_ARRAY_MAX; ++days) {
        if (icalrecurrencetype_day_position(rule.by_day[days]) != 0)
            return {};
        named = named || icalrecurrencetype_day_day_of_week(rule.by_day[days]) ==
                             icaltime_day_of_week(start);
    }
    if (rule.freq != ICAL_WEEKLY_RECURRENCE || days < 2 || !named || !OnlyBy(rule, true, false))
        return {};
    std::vector<TCopy> copies;
    for (int i = 0; i < days; ++i) {
        const int weekday = icalrecurrencetype_day_day_of_week(rule.by_day[i]);
        TCopy copy{rule, icaltime_null_time(), kICalWeekdays[weekday - 1]};
        copy.Rule.by_day[0] = rule.by_day[i];
        copy.Rule.by_day[1] = ICAL_RECURRENCE_ARRAY_MAX;
        // The weekday's first instance lies within the rule's first period.
        icalrecur_iterator* it = icalrecur_iterator_new(rule, start);
        for (int n = 0; it && n < days * 2; ++n) {
            const icaltimetype t = icalrecur_iterator_next(it);
            if (icaltime_is_null_time(t) || icaltime_day_of_week(t) == weekday) {
                copy.First = t;
                break;
            }
        }
        if (it)
            icalrecur_iterator_free(it);
        if (!icaltime_is_null_time(copy.First)) // else the rule ends first
            copies.push_back(copy);
    }
    return copies;
}

std::vector<TCopy> MonthCopies(const icalrecurrencetype& rule, const icaltimetype& start) {
    const int day =
        rule.by_month_day[0] == ICAL_RECURRENCE_ARRAY_MAX ? start.day : rule.by_month_day[0];
    if (rule.freq != ICAL_MONTHLY_RECURRENCE || !OnlyBy(rule, false, true) || day != start.day ||
        day < 29 || rule.by_month_day[1] != ICAL_RECURRENCE_ARRAY_MAX || rule.interval < 1 ||
        12 % rule.interval != 0)
        return {};
    std::vector<TCopy> copies;
    for (int k = 0; k < 12 / rule.interval; ++k) {
        const int month = (start.month - 1 + k * rule.interval) % 12 + 1;
        if (month == 2 && day == 29)
            return {}; // a 29 February of leap years alone no rule here gives
        if (day > icaltime_days_in_month(month, 2024))
            continue;
        TCopy copy{rule, start, std::to_string(month)};
        copy.Rule.freq = ICAL_YEARLY_RECURRENCE;
        copy.Rule.interval = 1;
        copy.Rule.by_month[0] = static_cast<short>(month);
        copy.Rule.by_month[1] = ICAL_RECURRENCE_ARRAY_MAX;
        copy.Rule.by_month_day[0] = static_cast<short>(day);
        copy.Rule.by_month_day[1] = ICAL_RECURRENCE_ARRAY_MAX;
        copy.First.month = month;
        copy.First.year += month < start.month;
        copies.push_back(copy);
    }
    return copies;
}

// Nothing when the rule has a count, which copies cannot share.
TSplit SplitOf(icalcomponent* ev) {
    icalproperty* rrule = icalcomponent_get_first_property(ev, ICAL_RRULE_PROPERTY);
    icalproperty* dtstart = icalcomponent_get_first_property(ev, ICAL_DTSTART_PROPERTY);
    if (!rrule || !dtstart || icalcomponent_count_properties(ev, ICAL_RRULE_PROPERTY) > 1)
        return {};
    const icalrecurrencetype rule = icalproperty_get_rrule(rrule);
    const icaltimetype start = TimeOf(dtstart, ev);
    if (rule.count > 0 || icaltime_is_null_time(start))
        return {};
    if (std::vector<TCopy> copies = WeekdayCopies(rule, start); !copies.empty())
        return {copies, "it repeats on " + std::to_string(copies.size()) +
                            " days of the week; it comes in as a weekly event for each"};
    if (std::vector<TCopy> copies = MonthCopies(rule, start); !copies.empty())
        return {copies, "it repeats on the " + std::to_string(start.day) +
                            (start.day == 31 ? "st" : "th") +
                            ", which not every month has; it comes in as a yearly event for "
                            "each month that has it"};
    return {};
}

std::vector<TComponent> CopiesOf(icalcomponent* ev, const std::vector<TCopy>& split) {
    std::vector<TComponent> copies;
    const icaldurationtype length = icalcomponent_get_duration(ev);
    const char* uid = icalcomponent_get_uid(ev);
    for (const TCopy& c : split) {
        TComponent copy(icalcomponent_new_clone(ev));
        icalproperty_set_rrule(icalcomponent_get_first_property(copy.get(), ICAL_RRULE_PROPERTY),
                               c.Rule);
        icalproperty_set_dtstart(
            icalcomponent_get_first_property(copy.get(), ICAL_DTSTART_PROPERTY), c.First);
        if (icalproperty* dtend = icalcomponent_get_first_property(copy.get(), ICAL_DTEND_PROPERTY))
            icalproperty_set_dtend(dtend, icaltime_add(c.First, length));
        const std::string own = std::string(uid ? uid : "") + "#" + c.Suffix;
        icalcomponent_set_uid(copy.get(), own.c_str());
        copies.push_back(std::move(copy));
    }
    return copies;
}

void ReadOne(icalcomponent* ev, const std::vector<icalcomponent*>& parts,
             const TICalDefaults& defaults, TICalContents& out) {
    try {
        out.Events.push_back(ReadEvent(ev, parts, defaults));
    } catch (const TLeaveOut& e) {
        const char* summary = icalcomponent_get_summary(ev);
        out.LeftOut.push_back({summary ? summary : "", e.Why});
    }
}

void ReadCalendar(icalcomponent* cal, const TICalDefaults& defaults, TICalContents& out) {
    out.ToDos += icalcomponent_count_components(cal, ICAL_VTODO_COMPONENT);
    out.LinesPassedOver += static_cast<int>(ErrorsOf(cal).size());
    std::vector<icalcomponent*> events;
    std::map<std::string, std::vector<icalcomponent*>> partsOf;
    for (icalcomponent* ev = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT); ev;
         ev = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT))
        events.push_back(ev);
    std::set<std::string> uids;
    for (icalcomponent* ev : events)
        if (const char* uid = icalcomponent_get_uid(ev))
            uids.insert(uid);
    // A part whose event is not in the file comes in on its own.
    for (icalcomponent* ev : events)
        if (const std::optional<std::string> of = XValue(ev, kXPartOf); of && uids.count(*of))
            partsOf[*of].push_back(ev);
    for (icalcomponent* ev : events) {
        if (icalcomponent_get_first_property(ev, ICAL_RECURRENCEID_PROPERTY)) {
            ++out.ChangedOccurrences;
            continue;
        }
        if (const std::optional<std::string> of = XValue(ev, kXPartOf); of && uids.count(*of))
            continue;
        const char* uid = icalcomponent_get_uid(ev);
        const auto parts = uid ? partsOf.find(uid) : partsOf.end();
        const size_t before = out.Events.size();
        ReadOne(ev, parts == partsOf.end() ? std::vector<icalcomponent*>{} : parts->second,
                defaults, out);
        // Several events only where one cannot hold the days.
        if (out.Events.size() == before || out.Events.back().Exact)
            continue;
        // Only when every copy has the file's days: copies that do not
        // would each become a first occurrence.
        const TSplit split = SplitOf(ev);
        TICalContents copies;
        for (const TComponent& copy : CopiesOf(ev, split.Copies))
            ReadOne(copy.get(), {}, defaults, copies);
        if (copies.Events.empty() || !copies.LeftOut.empty() ||
            std::any_of(copies.Events.begin(), copies.Events.end(),
                        [](const TICalEvent& e) { return !e.Exact; }))
            continue;
        out.Events.pop_back();
        copies.Events.front().Changes.push_back(split.Why);
        for (TICalEvent& e : copies.Events)
            out.Events.push_back(std::move(e));
    }
}

} // namespace

TICalContents ReadICalendar(std::string_view text, const TICalDefaults& defaults) {
    if (!FramedAsCalendar(text))
        throw TTickwellError(TW_TRANSLATE_NOOP("Messages", "Import Error") "\n" TW_TRANSLATE_NOOP(
            "Messages", "The file is not a complete iCalendar file."));
    // Older programs write their code page; Windows-1252 gives every byte a
    // character, and a user can tell from the text whether it was the right
    // one.
    const bool utf8 = IsUtf8(text);
    const std::string copy = utf8 ? std::string(text) : Cp1252ToUtf8(text);
    TComponent root(icalparser_parse_string(copy.c_str()));
    if (!root)
        throw TTickwellError(TW_TRANSLATE_NOOP("Messages", "Import Error") "\n" TW_TRANSLATE_NOOP(
            "Messages", "The file is not a complete iCalendar file."));
    TICalContents out;
    out.ReadAsWindows1252 = !utf8;
    if (icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT) {
        ReadCalendar(root.get(), defaults, out);
    } else {
        for (icalcomponent* cal =
                 icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT);
             cal; cal = icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT))
            ReadCalendar(cal, defaults, out);
    }
    return out;
}
