#pragma once
// An alarm that calls its handler when a set moment arrives, and keeps aiming
// at the next occurrence of its time of day. A moment missed by 5.184 seconds
// or more (the computer slept) is skipped to the next day, never fired late.
#include "core/DateTime.h"
#include <QObject>
#include <functional>
#include <string>

class TTickTimer;

class TAlarm : public QObject {
public:
    explicit TAlarm(QObject* owner = nullptr);
    // Disabled first, so no tick can come in while it goes.
    ~TAlarm() override;

    TDateTime AlarmTime() const { return Time; }
    void SetAlarmTime(TDateTime time);
    // Called with the alarm itself; the handler moves the alarm time on.
    void SetOnAlarm(std::function<void(TAlarm*)> handler);
    bool Enabled() const { return EnabledFlag; }
    void SetEnabled(bool enabled);
    // The one-second timer runs exactly while a handler is set and the alarm
    // is enabled.
    bool Running() const;

private:
    void ApplyTimerRule();
    void TimerTick();

    TDateTime Time = 0;
    std::function<void(TAlarm*)> OnAlarm;
    bool EnabledFlag = false;
    TTickTimer* Timer;
};
