#include "cli/EnteredEvent.h"
#include "core/Clock.h"
#include "core/Cp1252.h"
#include "core/DateFormat.h"
#include "core/HalvaneDates.h"
#include "core/Messages.h"
#include "core/NewEventRules.h"
#include "core/TickwellItem.h"
#include <algorithm>

namespace {

// The last entry of each monthly "Specifically" list.
constexpr int kMaxRankMonthlyDate = 23;
constexpr int kMaxRankMonthlyDay = 4;

void CheckRange(const char* option, int value, int low, int high) {
    if (value < low || value > high)
        throw TUsageError(std::string(option) + " must be " + std::to_string(low) + ".." +
                          std::to_string(high) + ", not " + std::to_string(value));
}

void Refuse(bool given, const std::string& why) {
    if (given)
        throw TUsageError(why);
}

// Nothing for a date that cannot be read.
std::optional<TDateTime> DateIn(const std::string& text) {
    TDateTime d = 0;
    if (text.empty() || !TryParseIsoDate(text, d))
        return std::nullopt;
    return d;
}

} // namespace

std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}

EventRecord BuildNewEventRecord(const TAddOptions& o, const TEditorDefaults& defaults) {
    // The type list preselected from the options; 0 (and anything the list
    // does not hold) starts as once only with Daily in the hidden panel.
    const int dfltType =
        defaults.EventType >= 0 && defaults.EventType <= 6 ? defaults.EventType : 0;
    const bool once = o.Type ? *o.Type < 0 : dfltType == 0;
    const int type = o.Type && *o.Type >= 0 ? *o.Type : std::max(dfltType - 1, 0);

    if (once) {
        Refuse(o.Interval || o.Rank || o.Weekday || o.Until,
               "--interval, --rank, --weekday and --until do not apply to a once-only event "
               "(give a repeat type such as --weekly)");
    } else {
        Refuse(o.Rank && type != etMonthlyDate && type != etMonthlyDay,
               "--rank applies to --monthly-date and --monthly-day only");
        Refuse(o.Weekday && type != etMonthlyDay, "--weekday applies to --monthly-day only");
        Refuse(o.Interval && type == etAccounting, "--interval does not apply to --accounting");
    }
    if (o.Notice)
        CheckRange("--notice", *o.Notice, kMinNotice, kMaxNotice);
    if (o.Interval)
        CheckRange("--interval", *o.Interval, kMinInterval, kMaxInterval);
    if (o.Weekday)
        CheckRange("--weekday", *o.Weekday, 1, 7);
    if (o.Rank)
        CheckRange("--rank", *o.Rank, 0,
                   type == etMonthlyDate ? kMaxRankMonthlyDate : kMaxRankMonthlyDay);

    const std::string description = o.Description ? WithCrLf(*o.Description) : std::string();
    if (const std::string bad = FirstUnstorable(description);
        !IsBlankText(description) && !bad.empty())
        throw TTickwellError("The description cannot hold " + bad + ".");
    TEventInput in;
    in.Description = description;
    in.Start = o.Start ? DateIn(*o.Start) : std::optional<TDateTime>(Today());
    in.Once = once;
    in.EventType = type;
    in.Interval = o.Interval.value_or(std::clamp(defaults.Interval, kMinInterval, kMaxInterval));
    in.Rank = o.Rank.value_or(0);
    in.Weekday = o.Weekday.value_or(in.Start ? DayOfWeek(*in.Start) : 1);
    in.Notice = o.Notice.value_or(std::clamp(defaults.Notice, kMinNotice, kMaxNotice));
    in.Keep = o.Keep.value_or(defaults.Keep);
    in.NoEndPoint = !o.Until;
    if (o.Until)
        in.Until = DateIn(*o.Until);
    EventRecord rec;
    if (const std::optional<TEventInputFault> fault = BuildEventRecord(in, rec))
        throw TTickwellError(fault->Text);
    return rec;
}
