#include "cli/NewEvent.h"
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

TDateTime DateOrRefuse(const std::string& text) {
    TDateTime d = 0;
    if (text.empty() || !TryParseIsoDate(text, d) || YearOf(d) < kFirstEnteredYear)
        throw TTickwellError(kInvalidDateText);
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

    if (!o.Description || IsBlankText(*o.Description))
        throw TTickwellError(kNoDescriptionText);
    if (const std::string bad = FirstUnstorable(*o.Description); !bad.empty())
        throw TTickwellError("The description cannot hold the character " + bad +
                             ". Only Western European (Windows-1252) characters can be stored "
                             "in the events file.");
    const TDateTime start = o.Start ? DateOrRefuse(*o.Start) : Today();
    const bool noEnd = !o.Until;
    TDateTime end = start;
    if (!once) {
        if (noEnd) {
            end = NoEndPointEnd(start);
        } else {
            end = DateOrRefuse(*o.Until);
            if (const char* fault = EndDateFault(start, end))
                throw TTickwellError(fault);
        }
    }

    EventRecord rec;
    rec.SetDescription(WithCrLf(*o.Description));
    rec.StartDate = start;
    rec.EndDate = end;
    rec.Simple = once ? 1 : 0;
    rec.NoEndPoint = noEnd ? 1 : 0;
    rec.EventType = static_cast<uint8_t>(type);
    rec.Interval = static_cast<int16_t>(
        o.Interval.value_or(std::clamp(defaults.Interval, kMinInterval, kMaxInterval)));
    rec.Rank = static_cast<int16_t>(o.Rank.value_or(0));
    rec.Weekday = static_cast<int16_t>(o.Weekday.value_or(DayOfWeek(start)));
    rec.NoticePeriod = static_cast<int16_t>(
        o.Notice.value_or(std::clamp(defaults.Notice, kMinNotice, kMaxNotice)));
    rec.KeepFlag = o.Keep.value_or(defaults.Keep) ? 1 : 0;
    rec.AckDate = 0;
    return rec;
}
