#include "app/UntAlarm.h"

#include "app/TickTimer.h"
#include "core/Clock.h"
#include "core/FormatSettings.h"
#include <cmath>

namespace {

// 5.184 seconds, as a part of a day.
constexpr double kFireWindow = 6e-05;

// The time of day of a moment, to the whole second.
TDateTime SecondOfDay(TDateTime moment) {
    const long long ms = std::llround((moment - std::floor(moment)) * 86400000.0);
    return static_cast<double>((ms / 1000) % 86400) / 86400.0;
}

bool ReadNumber(const std::string& text, size_t& pos, int max, int& out) {
    const size_t start = pos;
    out = 0;
    while (pos < text.size() && pos - start < 2 && text[pos] >= '0' && text[pos] <= '9')
        out = out * 10 + (text[pos++] - '0');
    return pos > start && out <= max;
}

} // namespace

TAlarm::TAlarm(QObject* owner)
    : QObject(owner), Timer(new TTickTimer(
                          1000, [this] { TimerTick(); }, this)) {}

TAlarm::~TAlarm() {
    SetEnabled(false);
    delete Timer;
}

void TAlarm::SetAlarmTime(TDateTime time) {
    Time = time;
    ApplyTimerRule();
}

void TAlarm::SetOnAlarm(std::function<void(TAlarm*)> handler) {
    OnAlarm = std::move(handler);
    ApplyTimerRule();
}

void TAlarm::SetEnabled(bool enabled) {
    EnabledFlag = enabled;
    ApplyTimerRule();
}

bool TAlarm::Running() const {
    return Timer->IsActive();
}

void TAlarm::ApplyTimerRule() {
    const bool run = EnabledFlag && OnAlarm;
    if (run && !Timer->IsActive())
        Timer->Start();
    else if (!run)
        Timer->Stop();
}

void TAlarm::TimerTick() {
    const TDateTime now = Now();
    if (now >= Time) {
        if (now - Time < kFireWindow) {
            OnAlarm(this);
        } else {
            // Missed (asleep, or the clock was set forward): wait for the
            // same time tomorrow.
            Time += 1;
        }
        return;
    }
    // Whatever date it held, point at the next occurrence of its time of day
    // (the system clock may have been set back).
    const TDateTime candidate = DateOf(now) + SecondOfDay(Time);
    Time = now > candidate ? candidate + 1 : candidate;
}

bool TryReadTimeOfDay(const std::string& text, TDateTime& out) {
    const char sep = FormatSettings().TimeSeparator;
    auto isSep = [&](size_t pos) {
        return pos < text.size() && (text[pos] == ':' || text[pos] == sep);
    };
    size_t pos = 0;
    int h = 0, m = 0, s = 0;
    if (!ReadNumber(text, pos, 23, h) || !isSep(pos))
        return false;
    ++pos;
    if (!ReadNumber(text, pos, 59, m))
        return false;
    if (isSep(pos)) {
        ++pos;
        if (!ReadNumber(text, pos, 59, s))
            return false;
    }
    if (pos != text.size())
        return false;
    out = ((h * 60.0 + m) * 60.0 + s) / 86400.0;
    return true;
}
