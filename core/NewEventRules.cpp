#include "core/NewEventRules.h"
#include "core/Clock.h"
#include "core/HalvaneDates.h"
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
