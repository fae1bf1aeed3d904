#include "ui/TickTimer.h"

#include "core/Clock.h"
#include <QCoreApplication>
#include <QEvent>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kMsPerDay = 86400000.0;

} // namespace

struct TTestTimeDriver {
    bool On = false;
    long long MomentMs = 0;          // the test clock, in ms since day 0
    long long ElapsedMs = 0;         // how far the timers' time has run
    std::vector<TTickTimer*> Timers; // in the order they were made

    static TTestTimeDriver& Get() {
        static TTestTimeDriver driver;
        return driver;
    }

    static void Begin(TDateTime start);
    static void Advance(int ms);
    static void Jump(TDateTime moment);
    static void End();

    TTickTimer* NextDue(long long until) const {
        TTickTimer* next = nullptr;
        for (TTickTimer* t : Timers)
            if (t->Active && t->NextDueMs <= until && (!next || t->NextDueMs < next->NextDueMs))
                next = t;
        return next;
    }
};

TTickTimer::TTickTimer(int intervalMs, std::function<void()> onTick, QObject* parent)
    : QObject(parent), Interval(intervalMs), OnTick(std::move(onTick)) {
    Timer.setInterval(intervalMs);
    Timer.setTimerType(Qt::PreciseTimer);
    connect(&Timer, &QTimer::timeout, this, &TTickTimer::Fire);
    TTestTimeDriver::Get().Timers.push_back(this);
}

TTickTimer::~TTickTimer() {
    std::erase(TTestTimeDriver::Get().Timers, this);
}

void TTickTimer::Start() {
    Active = true;
    const TTestTimeDriver& driver = TTestTimeDriver::Get();
    if (driver.On)
        NextDueMs = driver.ElapsedMs + Interval;
    else
        Timer.start();
}

void TTickTimer::Stop() {
    Active = false;
    Timer.stop();
}

void TTickTimer::Fire() {
    if (Active && OnTick)
        OnTick();
}

void TTestTimeDriver::Begin(TDateTime start) {
    TTestTimeDriver& driver = TTestTimeDriver::Get();
    driver.On = true;
    driver.MomentMs = std::llround(start * kMsPerDay);
    for (TTickTimer* t : driver.Timers) {
        t->Timer.stop();
        t->NextDueMs = driver.ElapsedMs + t->Interval;
    }
    SetClockSource([] { return TTestTimeDriver::Get().MomentMs / kMsPerDay; });
}

void TTestTimeDriver::Advance(int ms) {
    TTestTimeDriver& driver = TTestTimeDriver::Get();
    const long long until = driver.ElapsedMs + ms;
    while (TTickTimer* t = driver.NextDue(until)) {
        driver.MomentMs += t->NextDueMs - driver.ElapsedMs;
        driver.ElapsedMs = t->NextDueMs;
        t->NextDueMs += t->Interval;
        t->Fire();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    driver.MomentMs += until - driver.ElapsedMs;
    driver.ElapsedMs = until;
}

void TTestTimeDriver::Jump(TDateTime moment) {
    TTestTimeDriver::Get().MomentMs = std::llround(moment * kMsPerDay);
}

void TTestTimeDriver::End() {
    TTestTimeDriver& driver = TTestTimeDriver::Get();
    driver.On = false;
    for (TTickTimer* t : driver.Timers)
        if (t->Active)
            t->Timer.start();
    SetClockSource({});
}

void BeginTestTime(TDateTime start) {
    TTestTimeDriver::Begin(start);
}

void AdvanceTestTime(int ms) {
    TTestTimeDriver::Advance(ms);
}

void JumpTestTime(TDateTime moment) {
    TTestTimeDriver::Jump(moment);
}

void EndTestTime() {
    TTestTimeDriver::End();
}
