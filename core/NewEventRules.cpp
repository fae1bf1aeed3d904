#include "core/NewEventRules.h"
#include "core/Clock.h"
#include "core/HalvaneDates.h"
#include "core/TrNoop.h"
#include <algorithm>

bool IsBlankText(const std::string& utf8) {
    constexpr std::string_view kNoBreakSpace = "\xC2\xA0";
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            continue;
        if (std::string_view(utf8).substr(i, kNoBreakSpace.size()) == kNoBreakSpace) {
            ++i;
            continue;
        }
        return false;
    }
    return true;
}

TDateTime NoEndPointEnd(TDateTime start) {
    return AddYears(100, std::max(start, Today()));
}

const char* EndDateFault(TDateTime start, TDateTime end) {
    if (end < start)
        return kEndBeforeStartText;
    if (end == start)
        return kSameDatesText;
    return nullptr;
}

std::optional<TEventInputFault> BuildEventRecord(const TEventInput& in, EventRecord& rec) {
    using F = TEventInputField;
    if (IsBlankText(in.Description))
        return TEventInputFault{F::Description, kNoDescriptionText};
    const auto entered = [](const std::optional<TDateTime>& d) {
        return d && YearOf(*d) >= kFirstEnteredYear;
    };
    if (!entered(in.Start))
        return TEventInputFault{F::Start, kInvalidDateText};
    const TDateTime start = *in.Start;
    TDateTime end = start;
    if (!in.Once) {
        if (in.NoEndPoint) {
            end = NoEndPointEnd(start);
        } else {
            if (!entered(in.Until))
                return TEventInputFault{F::Until, kInvalidDateText};
            end = *in.Until;
            if (const char* fault = EndDateFault(start, end))
                return TEventInputFault{F::Until, fault};
        }
    }
    rec = EventRecord{};
    rec.SetDescription(in.Description);
    rec.StartDate = start;
    rec.EndDate = end;
    rec.Simple = in.Once ? 1 : 0;
    rec.NoEndPoint = in.NoEndPoint ? 1 : 0;
    rec.EventType = static_cast<uint8_t>(std::max(0, in.EventType));
    rec.Interval = static_cast<int16_t>(in.Interval);
    rec.Rank = static_cast<int16_t>(in.Rank);
    rec.Weekday = static_cast<int16_t>(in.Weekday);
    rec.NoticePeriod = static_cast<int16_t>(in.Notice);
    rec.KeepFlag = in.Keep ? 1 : 0;
    rec.AckDate = 0;
    return std::nullopt;
}

std::string OrdinalWord(int n) {
    // The windows translate these under "Ordinals".
    static const char* const words[] = {TW_TRANSLATE_NOOP("Ordinals", "first"),
                                        TW_TRANSLATE_NOOP("Ordinals", "second"),
                                        TW_TRANSLATE_NOOP("Ordinals", "third"),
                                        TW_TRANSLATE_NOOP("Ordinals", "fourth"),
                                        TW_TRANSLATE_NOOP("Ordinals", "fifth"),
                                        TW_TRANSLATE_NOOP("Ordinals", "sixth"),
                                        TW_TRANSLATE_NOOP("Ordinals", "seventh"),
                                        TW_TRANSLATE_NOOP("Ordinals", "eighth"),
                                        TW_TRANSLATE_NOOP("Ordinals", "ninth"),
                                        TW_TRANSLATE_NOOP("Ordinals", "tenth"),
                                        TW_TRANSLATE_NOOP("Ordinals", "eleventh"),
                                        TW_TRANSLATE_NOOP("Ordinals", "twelfth"),
                                        TW_TRANSLATE_NOOP("Ordinals", "thirteenth"),
                                        TW_TRANSLATE_NOOP("Ordinals", "fourteenth"),
                                        TW_TRANSLATE_NOOP("Ordinals", "fifteenth"),
                                        TW_TRANSLATE_NOOP("Ordinals", "sixteenth"),
                                        TW_TRANSLATE_NOOP("Ordinals", "seventeenth"),
                                        TW_TRANSLATE_NOOP("Ordinals", "eighteenth"),
                                        TW_TRANSLATE_NOOP("Ordinals", "nineteenth"),
                                        TW_TRANSLATE_NOOP("Ordinals", "twentieth"),
                                        TW_TRANSLATE_NOOP("Ordinals", "twenty first"),
                                        TW_TRANSLATE_NOOP("Ordinals", "twenty second")};
    return n >= 1 && n <= 22 ? words[n - 1] : "";
}
