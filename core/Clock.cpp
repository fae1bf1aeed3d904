#include "core/Clock.h"

#include <ctime>
#include <utility>

namespace {

TClockSource& Source() {
    static TClockSource source;
    return source;
}

TDateTime SystemNow() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t secs = system_clock::to_time_t(now);
    // The local-time conversion is costly and a whole list asks for today
    // within the same second.
    thread_local std::time_t lastSecs = -1;
    thread_local std::tm lastLocal{};
    thread_local bool lastOk = false;
    if (secs != lastSecs) {
        lastOk = localtime_r(&secs, &lastLocal) != nullptr;
        lastSecs = secs;
    }
    if (!lastOk) {
        return 0;
    }
    const std::tm local = lastLocal;
    TDateTime day = 0;
    if (!TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, day)) {
        return 0;
    }
    // to_time_t may round; take the sub-second part relative to what it kept.
    auto ms = duration_cast<milliseconds>(now - system_clock::from_time_t(secs)).count();
    if (ms < 0 || ms > 999) {
        ms = 0;
    }
    // A leap second (tm_sec 60) stays inside the day.
    const int sec = local.tm_sec > 59 ? 59 : local.tm_sec;
    const double msOfDay = ((local.tm_hour * 60.0 + local.tm_min) * 60.0 + sec) * 1000.0 + ms;
    return day + msOfDay / 86400000.0;
}

} // namespace

TDateTime Now() {
    const TClockSource& source = Source();
    return source ? source() : SystemNow();
}

TDateTime Today() {
    return DateOf(Now());
}

void SetClockSource(TClockSource source) {
    Source() = std::move(source);
}

void FixToday(TDateTime day) {
    SetClockSource([day] { return day; });
}
