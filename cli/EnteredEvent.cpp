#include "cli/EnteredEvent.h"
#include "core/Clock.h"
#include "core/Cp1252.h"
#include "core/DateFormat.h"
#include "core/HalvaneDates.h"
#include "core/Messages.h"
#include "core/NewEventRules.h"
#include <algorithm>

namespace {

// The last entry of each type's "Specifically" list; the other types offer
// one entry.
int MaxRank(int type) {
    switch (type) {
    case etMonthlyDate:
        return 23;
    case etMonthlyDay:
        return 4;
    default:
        return 0;
    }
}

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

// The options given applied to what the editor shows, as its controls would
// change it, then checked and stored as the editor checks and stores it.
EventRecord BuildRecord(const TEventOptions& o, TEventInput in) {
    if (o.Type) {
        in.Once = *o.Type < 0;
        // Another type rebuilds the "Specifically" list, which keeps its
        // pick only where the new list has it.
        if (*o.Type >= 0 && *o.Type != in.EventType) {
            if (in.Rank < 0 || in.Rank > MaxRank(*o.Type))
                in.Rank = 0;
            in.EventType = *o.Type;
        }
    }
    const int type = in.EventType;
    if (in.Once) {
        Refuse(o.Interval || o.Rank || o.Weekday || o.Until || o.NoEnd,
               "--interval, --rank, --weekday, --until and --no-end do not apply to a "
               "once-only event (give a repeat type such as --weekly)");
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
        CheckRange("--rank", *o.Rank, 0, MaxRank(type));

    if (o.Description) {
        in.Description = WithCrLf(*o.Description);
        if (const std::string bad = FirstUnstorable(in.Description);
            !IsBlankText(in.Description) && !bad.empty())
            throw TTickwellError("The description cannot hold " + bad + ".");
    }
    if (o.Start) {
        in.Start = DateIn(*o.Start);
        // The index day follows a new start date.
        if (in.Start)
            in.Weekday = DayOfWeek(*in.Start);
    }
    in.Interval = o.Interval.value_or(in.Interval);
    in.Rank = o.Rank.value_or(in.Rank);
    in.Weekday = o.Weekday.value_or(in.Weekday);
    in.Notice = o.Notice.value_or(in.Notice);
    in.Keep = o.Keep.value_or(in.Keep);
    if (o.Until) {
        in.NoEndPoint = false;
        in.Until = DateIn(*o.Until);
    }
    if (o.NoEnd)
        in.NoEndPoint = true;
    EventRecord rec;
    if (const std::optional<TEventInputFault> fault = BuildEventRecord(in, rec))
        throw TTickwellError(fault->Text);
    return rec;
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

EventRecord BuildNewEventRecord(const TEventOptions& o, const TEditorDefaults& defaults) {
    // The type list preselected from the options; 0 (and anything the list
    // does not hold) starts as once only with Daily in the hidden panel.
    const int dfltType =
        defaults.EventType >= 0 && defaults.EventType <= 6 ? defaults.EventType : 0;
    TEventInput in;
    in.Start = Today();
    in.Once = dfltType == 0;
    in.EventType = std::max(dfltType - 1, 0);
    in.Interval = std::clamp(defaults.Interval, kMinInterval, kMaxInterval);
    in.Rank = 0;
    in.Weekday = DayOfWeek(*in.Start);
    in.Notice = std::clamp(defaults.Notice, kMinNotice, kMaxNotice);
    in.Keep = defaults.Keep;
    in.NoEndPoint = true;
    return BuildRecord(o, in);
}

EventRecord BuildEditedRecord(const TEventOptions& o, const TTickwellItem& e) {
    // As the editor loads the event: its spin boxes hold only their ranges,
    // and a type outside the list leaves none chosen, which stores Daily.
    TEventInput in;
    in.Description = e.Description;
    in.Start = e.StartDate;
    in.Once = e.Simple;
    in.EventType = e.EventType <= etAccounting ? int{e.EventType} : int{etDaily};
    in.Interval = std::clamp<int>(e.Interval, kMinInterval, kMaxInterval);
    in.Rank = e.Rank;
    in.Weekday = e.Weekday;
    in.Notice = std::clamp<int>(e.NoticePeriod, kMinNotice, kMaxNotice);
    in.Keep = e.KeepFlag;
    in.NoEndPoint = e.NoEndPoint;
    in.Until = e.EndDate;
    return BuildRecord(o, in);
}
