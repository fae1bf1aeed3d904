#pragma once
// The program's running part behind its windows, made by start-up before the
// first window and kept to the end of the run: the one-second tick and the
// change of day, the three schedule alarms, the tray icon and its menu, the
// session's end, and the windows a start opens. The desktop clock is its
// window; in tray mode the application's main window, hidden unless the user
// asked for it, whose close ends the program. While the desktop has no tray,
// the clock stands in for the icon, handed the tray menu's entries.
#include "core/DateTime.h"
#include <QObject>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QSessionManager;
class TAlarm;
class TClockFrm;
class TDesktopNotice;
class TEventBook;
class TEventBookSignals;
class TSleepWatch;
class TTickTimer;
class TTrayIcon;

class TController : public QObject {
public:
    // Installs the commands the windows reach through ClockLinks() and the
    // day check before every scan. trayAvailable tells whether the desktop
    // has a tray; empty, the desktop is asked.
    TController(TEventBookSignals& events, std::function<bool()> trayAvailable = {});
    // Frees the alarms, then the tray icon and the clock, which must go
    // before the tray's own window.
    ~TController() override;

    // Makes the desktop clock and starts: the tick, the windows of the start
    // mode, and in tray mode the alarms and the tray icon. Returns the clock.
    TClockFrm* Start();
    TClockFrm* Clock() const;
    TTrayIcon* Tray() const { return TrayIcon; }

    // The tray icon; where there is no tray, the desktop clock in its place,
    // for as long as the tray is missing.
    void ShowTrayIcon();
    bool Suspended() const { return SuspendedFlag; }

    // The change-of-day handling, when today is no longer the day the tick
    // last saw.
    void CheckDayChange();
    // The day check first, exactly as the tick runs it. Then, unless the
    // count-down alert or the event editor is open, scans: shows the
    // due-events window when anything is due (true), otherwise says that
    // nothing is due.
    bool ShowDueWindow();
    // Opens what a start in tray mode opens (Options/TrayWindow and
    // ShowClock, read anew); false when that is nothing.
    bool OpenTrayStartWindows();
    // What a second start in this start mode would have opened, opened here.
    void OpenForSecondStart(std::uint8_t startMode);

    // Takes the three schedule times (empty: off) and arms the alarms,
    // unless the schedule is suspended.
    void SetAlarmTimes(const std::array<std::string, 3>& times);
    void SetupAlarms();
    void FreeAlarms();

    // The computer woke from sleep: the day checked at once, and a schedule
    // time that passed meanwhile shown once, however many passed.
    void Woken();
    TSleepWatch* SleepWatch() const { return Sleep; }

private:
    void ConnectTrayMenu();
    void OpenStartWindows();
    void EverySecond();
    void DayChanged();
    void CheckDayBeforeScan();
    void AlarmRang(TAlarm* alarm);
    // Whether any schedule time came round after since, up to now.
    bool ScheduleTimePassed(TDateTime since, TDateTime now) const;
    // Snoozes that ended since the last look bring their events back.
    void CheckSnoozes();
    void NoteNextSnoozeEnd();
    // A button of the notification, for the events it listed.
    void ActOnListed(const std::vector<std::uint64_t>& ids, bool acknowledge);
    void BringDueWindowForward();
    void CommitData(QSessionManager& manager);
    void ShowDueAtShutdown();
    void UseDesktopClockInsteadOfTray();
    void TrayIsBack();

    void DesktopClockClick();
    void SuspendClick();
    void AboutClick();
    void ExitClick();

    TEventBookSignals& Events;
    TEventBook& Book;
    std::function<bool()> TrayAvailable;
    QPointer<TClockFrm> DesktopClock;
    TTrayIcon* TrayIcon = nullptr;
    TDesktopNotice* Notice = nullptr;
    TTickTimer* SecondTick;
    TSleepWatch* Sleep = nullptr;
    TDateTime CurrentDay = 0;
    // The moment of the last tick, and when the computer went to sleep
    // (0 while awake).
    TDateTime LastTick = 0;
    TDateTime AsleepSince = 0;
    // The earliest end of a snooze; 0 when nothing is snoozed.
    TDateTime NextSnoozeEnd = 0;
    std::array<std::string, 3> AlarmTimes;
    std::array<TAlarm*, 3> Alarms{};
    bool SuspendedFlag = false;
    // Whether the desktop clock was on screen before it stood in for the tray.
    bool ClockShownWithTray = false;
    bool CheckingDay = false;
};
