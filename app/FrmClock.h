#pragma once
// The clock window: made at every start, after the window of the start mode.
// It carries the one-second tick that keeps the clock text current and
// notices the change of day, the three schedule alarms, and in tray mode the
// tray icon with its menu; there it is the application's main window, hidden
// unless the user asked for the desktop clock, and closing it ends the
// program. While the desktop has no tray, the desktop clock stands in for
// the icon and its right-click menu holds the tray menu's entries.
#include "core/DateTime.h"
#include <QColor>
#include <QFont>
#include <QPoint>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QSessionManager;
class QSystemTrayIcon;
class TAlarm;
class TDesktopNotice;
class TTickTimer;

class TClockFrm : public QWidget {
    Q_OBJECT
public:
    explicit TClockFrm(QWidget* parent = nullptr);
    // Frees the alarms and keeps the clock's look and place.
    ~TClockFrm() override;

    // The tray icon; where there is no tray, the desktop clock in its place,
    // for as long as the tray is missing.
    void ShowTrayIcon();
    QSystemTrayIcon* TrayIcon() const { return TrayIcon1; }
    QMenu* TrayMenu() const { return TrayIconMenu; }
    QMenu* ClockMenu() const { return PopupMenu1; }
    // True while the desktop clock stands in for a missing tray.
    bool InsteadOfTray() const { return NoTray; }
    bool Suspended() const { return SuspendedFlag; }

    // The change-of-day handling, when today is no longer the day the tick
    // last saw.
    void CheckDayChange();
    // Opens what a start in tray mode opens (Options/TrayWindow and
    // ShowClock, read anew); false when that is nothing.
    bool OpenTrayStartWindows();
    // Takes the three schedule times (empty: off) and arms the alarms,
    // unless the schedule is suspended.
    void SetAlarmTimes(const std::array<std::string, 3>& times);
    void SetupAlarms();
    void FreeAlarms();

    // Whether the desktop has a tray; tests replace it.
    static std::function<bool()> TrayAvailable;

    QLabel* TheDate;
    QLabel* Clock;
    // The clock menu.
    QAction* StayOnTop;
    QAction* Font1;
    QAction* WindowColour1;
    QAction* TextColour1;
    QAction* N24hrFormat1;
    QAction* Help1;
    QAction* Exit2;
    // The tray menu.
    QAction* ShowMainForm1;
    QAction* ShowTickwellsWindow1;
    QAction* ShowCalendar1;
    QAction* DesktopClock1;
    QAction* SuspendSchedule1;
    QAction* Options1;
    QAction* Schedule1;
    QAction* HelpContents1;
    QAction* About1;
    QAction* Exit1;

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    QAction* MenuItem(const char* name, const char* caption, const QKeySequence& key,
                      void (TClockFrm::*command)());
    void BuildMenus();
    void ReadSettings();
    void WriteSettings() const;
    std::string Look() const;
    void UpdateMenuStates();
    void UpdateDateLabel();
    void LayoutClock();
    void ApplyLook();
    void StayOnTopFlag(bool onTop);
    void FollowTray();
    void UseDesktopClockInsteadOfTray();
    void TrayIsBack();

    void Timer1Timer();
    void DayChanged();
    void AlarmTimer(TAlarm* alarm);
    void CommitData(QSessionManager& manager);
    void ShowDueAtShutdown();
    void BringDueWindowForward();

    void StayOnTopClick();
    void Font1Click();
    void WindowColour1Click();
    void TextColour1Click();
    void N24hrFormat1Click() {}
    void Help1Click();
    void Exit1Click();
    void ShowMainForm1Click();
    void ShowTickwellsWindow1Click();
    void ShowCalendar1Click();
    void DesktopClock1Click();
    void SuspendSchedule1Click();
    void Options1Click();
    void Schedule1Click();
    void HelpContents1Click();
    void About1Click();

    QSystemTrayIcon* TrayIcon1;
    QMenu* TrayIconMenu;
    QMenu* PopupMenu1;
    QAction* NoTraySeparator = nullptr;
    TTickTimer* Timer1;
    TTickTimer* TrayWatch;
    TDesktopNotice* Notice;
    TDateTime CurrentDay = 0;
    std::array<std::string, 3> AlarmTimes;
    std::array<TAlarm*, 3> Alarms{};
    QFont ClockFont;
    QColor FontColour;
    QColor Background;
    // The look and place as read, so that an unchanged clock writes nothing.
    std::string LookAsRead;
    bool SuspendedFlag = false;
    bool NoTray = false;
    // Whether the desktop clock was on screen before it stood in for the tray.
    bool ClockShownWithTray = false;
    bool Shown = false;
    QPoint DragOffset;
    bool Dragging = false;
};

// The clock window while it exists, null otherwise.
extern TClockFrm* ClockFrm;
