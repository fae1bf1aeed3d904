#include "app/UntAlarm.h"

#include "core/Clock.h"
#include "ui/TickTimer.h"
#include <cmath>

namespace {

// 5.184 seconds, as a part of a day.
constexpr double kFireWindow = 6e-05;

// The time of day of a moment, to the whole second.
TDateTime SecondOfDay(TDateTime moment) {
    const long long ms = std::llround((moment - std::floor(moment)) * 86400000.0);
    return static_cast<double>((ms / 1000) % 86400) / 86400.0;
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
