#include "ical/ICalExport.h"
#include "core/EventId.h"
#include "core/Messages.h"
#include "core/Snooze.h"
#include "core/TrNoop.h"
#include "ical/ICalComponent.h"
#include "ical/ICalFields.h"
#include "ical/ICalSchedule.h"
#include "ical/ICalTime.h"
#include "store/AtomicFile.h"
#include <map>

namespace {

icalcomponent* Alarm(const std::string& summary, int noticeDays) {
    icalcomponent* alarm = icalcomponent_new_valarm();
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    // A display alarm must have a text, and an empty one reads back as an error.
    icalcomponent_add_property(
        alarm, icalproperty_new_description(summary.empty() ? "Tickwell" : summary.c_str()));
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_null_duration();
    trigger.duration.is_neg = 1;
    trigger.duration.days = static_cast<unsigned>(noticeDays);
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    return alarm;
}

// What the event and its linked parts show in other calendars.
icalcomponent* Shown(const TTickwellItem& e, TDateTime first, const std::string& rule,
                     const std::string& uid, const icaltimetype& stamp) {
    icalcomponent* ev = icalcomponent_new_vevent();
    const std::string summary = ICalText(FirstLine(e.Description));
    icalcomponent_add_property(ev, icalproperty_new_uid(uid.c_str()));
    icalcomponent_add_property(ev, icalproperty_new_dtstamp(stamp));
    icalcomponent_add_property(ev, icalproperty_new_dtstart(ToICalDate(first)));
    icalcomponent_add_property(ev, icalproperty_new_dtend(ToICalDate(first + 1)));
    // An empty text is left out: it reads back as an error.
    if (!summary.empty())
        icalcomponent_add_property(ev, icalproperty_new_summary(summary.c_str()));
    if (const std::string text = ICalText(e.Description); !text.empty())
        icalcomponent_add_property(ev, icalproperty_new_description(text.c_str()));
    // A reminder, not an appointment: the day stays free.
    icalcomponent_add_property(ev, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    if (!rule.empty())
        icalcomponent_add_property(
            ev, icalproperty_new_rrule(icalrecurrencetype_from_string(rule.c_str())));
    if (e.NoticePeriod >= 0)
        icalcomponent_add_component(ev, Alarm(summary, e.NoticePeriod));
    return ev;
}

icalcomponent* EventComponent(const TTickwellItem& e, const TICalSchedule& s,
                              const std::string& uid, const icaltimetype& stamp) {
    icalcomponent* ev = Shown(e, s.First, s.Rule, uid, stamp);
    for (TDateTime d : s.RDates) {
        icaldatetimeperiodtype rdate{};
        rdate.time = ToICalDate(d);
        rdate.period = icalperiodtype_null_period();
        icalcomponent_add_property(ev, icalproperty_new_rdate(rdate));
    }
    EventRecord rec;
    e.ToRecord(rec);
    const std::string fields = RuleFieldsText(rec);
    if (!fields.empty())
        icalcomponent_add_property(ev, NewXProperty(kXEvent, fields));
    icalcomponent_add_property(ev, NewXProperty(kXKeep, e.KeepFlag ? "TRUE" : "FALSE"));
    // Also when never acknowledged, so that the import does not take past
    // occurrences as acknowledged.
    icalcomponent_add_property(ev, NewXProperty(kXAck, e.AckDate != 0 && IsValidDateValue(e.AckDate)
                                                           ? BasicDate(e.AckDate)
                                                           : std::string(kNeverAcknowledged)));
    if (e.SnoozeEnd() != 0 && IsValidDateValue(e.SnoozeEnd()))
        icalcomponent_add_property(ev, NewXProperty(kXSnooze, BasicDateTime(e.SnoozeEnd())));
    return ev;
}

TComponent NewCalendar() {
    TComponent cal(icalcomponent_new_vcalendar());
    icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(cal.get(), icalproperty_new_prodid(kProdId));
    icalcomponent_add_property(cal.get(), icalproperty_new_calscale("GREGORIAN"));
    return cal;
}

icaltimetype StampNow() {
    return icaltime_current_time_with_zone(icaltimezone_get_utc_timezone());
}

} // namespace

std::vector<icalcomponent*> EventComponents(const TTickwellItem& e, const std::string& uid,
                                            const icaltimetype& stamp) {
    TICalSchedule schedule;
    // An event without a valid start date is on no day in the program
    // either.
    if (!ScheduleOf(e, schedule))
        return {};
    if (!WritableSchedule(schedule))
        throw TTickwellError(TW_TRANSLATE_NOOP("Messages", "Export Error") "\n" +
                             DaysBeyondText(FirstLine(e.Description)));
    std::vector<icalcomponent*> out{EventComponent(e, schedule, uid, stamp)};
    for (const TICalLinked& part : schedule.Linked) {
        icalcomponent* ev = Shown(e, part.First, part.Rule, part.Name + "." + uid, stamp);
        icalcomponent_add_property(ev, icalproperty_new_relatedto(uid.c_str()));
        icalcomponent_add_property(ev, NewXProperty(kXPartOf, uid));
        out.push_back(ev);
    }
    return out;
}

std::vector<TICalItem> ICalItems(const TTickwellItem& e, const std::string& uid) {
    std::vector<TICalItem> items;
    for (icalcomponent* ev : EventComponents(e, uid, StampNow())) {
        TComponent cal = NewCalendar();
        const char* own = icalcomponent_get_uid(ev);
        items.push_back({own ? own : uid, {}});
        icalcomponent_add_component(cal.get(), ev);
        items.back().Text = ComponentText(cal.get());
    }
    return items;
}

std::string ICalendarText(const TMyList& list) {
    TComponent cal = NewCalendar();
    icalcomponent_add_property(cal.get(), NewXProperty("X-WR-CALNAME", "Tickwell"));
    const icaltimetype stamp = StampNow();
    std::map<std::string, int> seen;
    for (const TTickwellItem* e : list.All()) {
        const std::string id = EventId(*e);
        for (icalcomponent* ev : EventComponents(*e, EventUid(id, ++seen[id]), stamp))
            icalcomponent_add_component(cal.get(), ev);
    }
    return ComponentText(cal.get());
}

bool WriteICalendarFile(const TMyList& list, const std::string& path) {
    std::string error;
    return WriteFileAtomic(path, ICalendarText(list), error);
}

TDataResult ExportICalendarCommand(const TMyList& list, const std::string& path) {
    return ExportCommand(list, path, WriteICalendarFile);
}
