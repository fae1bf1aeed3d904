// Reading an iCalendar file into events: each VEVENT is given the record the
// program would store for it, and that record's days are checked against
// the file's own, expanded by libical, so an event is only called exact when
// the days agree.
#include "core/HalvaneDates.h"
#include "core/Messages.h"
#include "core/NewEventRules.h"
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

// Days before the start on which the reminder nearest the start goes off.
std::optional<int> NoticeDays(icalcomponent* ev, const icaltimetype& start, TDateTime startDay) {
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
                continue; // after the start
            } else {
                at = base;
            }
            at = icaltime_add(at, trigger.duration);
        }
        const std::optional<TDateTime> day = LocalDay(at);
        if (!day || *day > startDay)
            continue;
        const double lead = startDay - *day;
        if (lead <= SHRT_MAX && (!nearest || lead < *nearest))
            nearest = static_cast<int>(lead);
    }
    return nearest;
}

std::optional<std::string> XValue(icalcomponent* ev, const char* name) {
    for (icalproperty* p = icalcomponent_get_first_property(ev, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(ev, ICAL_X_PROPERTY)) {
        const char* n = icalproperty_get_x_name(p);
        if (n && Lower(n) == Lower(name)) {
            const char* v = icalproperty_get_x(p);
            return v ? v : "";
        }
    }
    return std::nullopt;
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
    if (r.Rules.empty())
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

TICalEvent ReadEvent(icalcomponent* ev, const std::vector<icalcomponent*>& parts,
                     const TICalDefaults& defaults) {
    TICalEvent out;
    const char* summary = icalcomponent_get_summary(ev);
    out.Summary = summary ? summary : "";
    const char* uid = icalcomponent_get_uid(ev);
    out.Uid = uid ? uid : "";
    out.Sequence = icalcomponent_get_sequence(ev);
    DropWhatCannotBeRead(ev, out.Dropped);
    icalproperty* dtstart = icalcomponent_get_first_property(ev, ICAL_DTSTART_PROPERTY);
    const icaltimetype start = dtstart ? TimeOf(dtstart, ev) : icaltime_null_time();
    const std::optional<TDateTime> startDay =
        icaltime_is_null_time(start) ? std::nullopt : LocalDay(start);
    if (!startDay)
        throw TLeaveOut{"it has no start date"};
    const TDateTime s = *startDay;

    const TRecurrence r = RecurrenceOf(ev, start);
    const TRecurrenceDays days = DaysOf(ev, start, parts);
    const TDateTime first = days.Days.empty() ? s : days.Days.front();

    // A file the export wrote carries the stored fields; they are used while
    // the file's days still agree with them, so a change made in another
    // calendar wins.
    std::optional<EventRecord> rec;
    if (const std::optional<std::string> fields = XValue(ev, kXEvent)) {
        EventRecord own = OnceOnly(s);
        if (ReadRuleFields(*fields, own) && SameDays(own, days, first))
            rec = own;
    }
    if (!rec) {
        rec = StandardRecord(r, days, first);
        if (rec && !SameDays(*rec, days, first))
            rec.reset();
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
    rec->NoticePeriod = static_cast<int16_t>(
        NoticeDays(ev, start, s).value_or(std::clamp(defaults.Notice, 0, SHRT_MAX)));
    rec->KeepFlag = keep ? Lower(*keep) == "true" : defaults.Keep;
    if (const std::optional<std::string> ack = XValue(ev, kXAck)) {
        const std::optional<TDateTime> day = ReadBasicDate(*ack);
        out.HasAck = day || *ack == kNeverAcknowledged;
        rec->AckDate = day.value_or(0);
    }
    // Only what the export can write back comes in.
    TICalSchedule schedule;
    if (ScheduleOf(TTickwellItem(*rec), schedule) && !WritableSchedule(schedule))
        throw TLeaveOut{DaysBeyondReason()};
    out.Record = *rec;
    return out;
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
        try {
            out.Events.push_back(ReadEvent(
                ev, parts == partsOf.end() ? std::vector<icalcomponent*>{} : parts->second,
                defaults));
        } catch (const TLeaveOut& e) {
            const char* summary = icalcomponent_get_summary(ev);
            out.LeftOut.push_back({summary ? summary : "", e.Why});
        }
    }
}

} // namespace

TICalContents ReadICalendar(std::string_view text, const TICalDefaults& defaults) {
    if (!FramedAsCalendar(text))
        throw TTickwellError("Import Error\nThe file is not a complete iCalendar file.");
    const std::string copy(text);
    TComponent root(icalparser_parse_string(copy.c_str()));
    if (!root)
        throw TTickwellError("Import Error\nThe file is not a complete iCalendar file.");
    TICalContents out;
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
