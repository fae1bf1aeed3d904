#include "core/TickwellItem.h"
#include "core/Clock.h"
#include "core/DateFormat.h"
#include "core/TrNoop.h"
#include <cmath>
#include <iterator>

TTickwellItem::TTickwellItem(const EventRecord& rec) {
    TTickwellItem::AssignRecord(rec);
}

TTickwellItem::TTickwellItem(const EventRecord& rec, TDateTime today) {
    AssignFields(rec);
    Recalc(today);
}

void TTickwellItem::AssignRecord(const EventRecord& rec) {
    AssignFields(rec);
    Recalc();
}

void TTickwellItem::AssignFields(const EventRecord& rec) {
    Description = rec.Description();
    EventType = rec.EventType;
    Rank = rec.Rank;
    Weekday = rec.Weekday;
    Interval = rec.Interval;
    StartDate = rec.StartDate;
    EndDate = rec.EndDate;
    NoticePeriod = rec.NoticePeriod;
    Simple = rec.Simple != 0;
    KeepFlag = rec.KeepFlag != 0;
    NoEndPoint = rec.NoEndPoint != 0;
    AckDate = rec.AckDate;
}

void TTickwellItem::ToRecord(EventRecord& rec) const {
    rec.SetDescription(Description);
    rec.EventType = EventType;
    // Only the low 16 bits of each integer are part of the record.
    rec.Rank = static_cast<int16_t>(Rank);
    rec.Weekday = static_cast<int16_t>(Weekday);
    rec.Interval = static_cast<int16_t>(Interval);
    rec.StartDate = StartDate;
    rec.EndDate = EndDate;
    rec.NoticePeriod = static_cast<int16_t>(NoticePeriod);
    rec.Simple = Simple ? 1 : 0;
    rec.KeepFlag = KeepFlag ? 1 : 0;
    rec.NoEndPoint = NoEndPoint ? 1 : 0;
    rec.AckDate = AckDate;
}

void TTickwellItem::Reset() {
    NextDate = 0;
    PrevDate = 0;
    ScanDate = 0;
    AckDate = 0;
    DueKind = dkNotDue;
    Recalc();
}

namespace {

bool NeedsQuotes(const std::string& v) {
    for (unsigned char c : v)
        if (c <= ' ' || c == 127 || c == ',' || c == '"')
            return true;
    return false;
}

std::string CsvValue(const std::string& v) {
    if (!NeedsQuotes(v))
        return v;
    std::string out = "\"";
    for (char c : v) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

const char* Flag(bool b) {
    return b ? "T" : "F";
}

} // namespace

std::string TTickwellItem::ToCsvLine() const {
    // Line breaks stay in the description: it is quoted, and the import reads
    // a quoted value over line ends, so the text comes back as it was.
    const std::string values[] = {Description,
                                  DateToStr(StartDate),
                                  std::to_string(EventType),
                                  Flag(Simple),
                                  std::to_string(Interval),
                                  DateToStr(EndDate),
                                  std::to_string(NoticePeriod),
                                  Flag(KeepFlag),
                                  std::to_string(Rank),
                                  std::to_string(Weekday)};
    std::string line;
    for (size_t i = 0; i < std::size(values); ++i) {
        if (i > 0)
            line += ',';
        line += CsvValue(values[i]);
    }
    return line;
}

std::string TTickwellItem::StartDateText() const {
    return DateToStr(StartDate);
}
std::string TTickwellItem::NextDateText() const {
    return DateToStr(NextDate);
}

std::string TTickwellItem::DaysToNextText() const {
    return DaysToNextText(Today());
}

std::string TTickwellItem::DaysToNextText(TDateTime today) const {
    // Rounds half to even, as the original's rounding did.
    return std::to_string(static_cast<long long>(std::nearbyint(NextDate - today)));
}

std::string TTickwellItem::TypeName() const {
    return TypeNameOf(Simple, EventType);
}
std::string TTickwellItem::IntervalText() const {
    return std::to_string(Interval);
}

std::string TTickwellItem::AckDateText() const {
    const std::string text = DateToStr(AckDate);
    TDateTime back = 0;
    if (!TryStrToDate(text, back) || back == 0)
        return "";
    return text;
}

std::string TTickwellItem::ScanDateText(const std::string& dateFormat) const {
    return "  " + FormatDateTime(dateFormat, ScanDate);
}

// The windows translate these under "EventTypes".
std::string TypeNameOf(bool simple, int eventType) {
    if (simple)
        return TW_TRANSLATE_NOOP("EventTypes", "Once Only");
    switch (eventType) {
    case etDaily:
        return TW_TRANSLATE_NOOP("EventTypes", "Daily");
    case etWeekly:
        return TW_TRANSLATE_NOOP("EventTypes", "Weekly");
    case etMonthlyDate:
        return TW_TRANSLATE_NOOP("EventTypes", "Monthly - Date");
    case etMonthlyDay:
        return TW_TRANSLATE_NOOP("EventTypes", "Monthly - Day");
    case etYearly:
        return TW_TRANSLATE_NOOP("EventTypes", "Yearly");
    case etAccounting:
        return TW_TRANSLATE_NOOP("EventTypes", "Accounting");
    default:
        return "";
    }
}

std::string FirstLine(const std::string& text) {
    const auto pos = text.find("\r\n");
    return pos == std::string::npos ? text : text.substr(0, pos);
}

void TTickwellItem::SetSnooze(TDateTime until) {
    if (!Extras) {
        if (until == 0)
            return;
        Extras = std::make_unique<TEventExtras>();
    }
    Extras->SnoozeUntil = until;
    if (Extras->Empty())
        Extras.reset();
}
