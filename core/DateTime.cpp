#include "core/DateTime.h"
#include "core/Messages.h"

#include "core/TrNoop.h"
#include <cmath>

using namespace std::chrono;

namespace {

// 1 January 0001 and 31 December 9999 as day counts.
constexpr long long kMinDay = -693593;
constexpr long long kMaxDay = 2958465;

// Beyond this a double no longer holds every whole number, and far beyond it
// a cast to long long would be undefined; no meaningful date comes close.
constexpr double kDayLimit = 9007199254740992.0; // 2^53

sys_days SysDaysOfNumber(long long n) {
    return sys_days{days{n - kUnixEpochDay}};
}

} // namespace

long long DayNumber(TDateTime d) {
    if (std::isnan(d)) {
        return 0;
    }
    if (d >= kDayLimit) {
        return static_cast<long long>(kDayLimit);
    }
    if (d <= -kDayLimit) {
        return -static_cast<long long>(kDayLimit);
    }
    return static_cast<long long>(d); // truncates toward zero
}

TDateTime DateOf(TDateTime d) {
    return static_cast<TDateTime>(DayNumber(d));
}

sys_days ToSysDays(TDateTime d) {
    return SysDaysOfNumber(DayNumber(d));
}

TDateTime FromSysDays(sys_days d) {
    return static_cast<TDateTime>(d.time_since_epoch().count() + kUnixEpochDay);
}

TYmd DecodeDate(TDateTime d) {
    // year_month_day leaves days far outside its years unspecified, so a value
    // beyond the years 1..9999 decodes as the nearest end of that range.
    long long n = DayNumber(d);
    if (n < kMinDay) {
        n = kMinDay;
    } else if (n > kMaxDay) {
        n = kMaxDay;
    }
    const year_month_day ymd{SysDaysOfNumber(n)};
    return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

bool TryEncodeDate(int y, int m, int d, TDateTime& out) {
    if (y < kMinYear || y > kMaxYear || m < 1 || m > 12 || d < 1 || d > 31) {
        return false;
    }
    const year_month_day ymd{year{y}, month{static_cast<unsigned>(m)},
                             day{static_cast<unsigned>(d)}};
    if (!ymd.ok()) {
        return false;
    }
    out = FromSysDays(sys_days{ymd});
    return true;
}

TDateTime EncodeDate(int y, int m, int d) {
    TDateTime out = 0;
    if (!TryEncodeDate(y, m, d, out)) {
        throw TTickwellError(TW_TRANSLATE_NOOP("Messages", "Invalid date"));
    }
    return out;
}

bool IsValidDateValue(TDateTime d) {
    if (!std::isfinite(d)) {
        return false;
    }
    const long long n = DayNumber(d);
    return n >= kMinDay && n <= kMaxDay;
}

int DayOfWeek(TDateTime d) {
    // weekday is computed by plain modular arithmetic, valid for any day count.
    return static_cast<int>(weekday{ToSysDays(d)}.c_encoding()) + 1;
}
