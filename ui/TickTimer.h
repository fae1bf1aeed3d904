#pragma once
// The repeating timers of the clock window, the alarms, the count-down alert
// and the time editor. They run on the system's timers and read the time
// from the replaceable clock, so they follow the system clock (and faketime).
//
// Test time: while a test drives time, the clock stands at a moment the test
// chose and no timer fires by itself. The test moves the clock on, and every
// running timer ticks whenever its interval comes round, as it would have on
// the system's timers, so a test of a day change or of an alarm never sleeps.
#include "core/DateTime.h"
#include <QObject>
#include <QTimer>
#include <functional>

class TTickTimer : public QObject {
public:
    TTickTimer(int intervalMs, std::function<void()> onTick, QObject* parent = nullptr);
    ~TTickTimer() override;

    // Starting a running timer starts its interval afresh.
    void Start();
    void Stop();
    bool IsActive() const { return Active; }

private:
    friend struct TTestTimeDriver;
    void Fire();

    QTimer Timer;
    int Interval;
    std::function<void()> OnTick;
    bool Active = false;
    long long NextDueMs = 0; // test time of the next tick
};

// Test time on: the clock stands at start.
void BeginTestTime(TDateTime start);
// Moves the clock on by ms; each running timer ticks each time its interval
// comes round (timers due at the same moment in the order they were made),
// and the events posted by a tick are delivered before the next one.
void AdvanceTestTime(int ms);
// Sets the clock without any tick: the computer slept, or the system time
// was changed. The timers' intervals run on from where they were.
void JumpTestTime(TDateTime moment);
// Back to the system's clock and timers.
void EndTestTime();
