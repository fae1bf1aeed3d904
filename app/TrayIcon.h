#pragma once
// The tray icon and its menu. Qt tells nothing when a tray goes or comes (a
// panel restarted, or started after the program), so once shown the tray is
// looked for every second, on a timer of its own, and the owner is told when
// it goes and when it is back: a suspended schedule must not leave the
// program without a way in.
#include <QList>
#include <QObject>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QSystemTrayIcon;
class TTickTimer;

class TTrayIcon : public QObject {
    Q_OBJECT

public:
    // available tells whether the desktop has a tray.
    TTrayIcon(std::function<bool()> available, QObject* parent = nullptr);
    ~TTrayIcon() override;

    QSystemTrayIcon* Icon() const { return TrayIcon; }
    QMenu* Menu() const { return TrayMenu.get(); }
    // The menu's entries and separators but Desktop Clock: what the desktop
    // clock shows while it stands in for a missing tray.
    QList<QAction*> StandInEntries() const;

    // Shows the icon, or tells that the tray is missing, and follows the
    // tray from then on.
    void Show();
    bool Missing() const { return NoTray; }
    // The icon, the Suspend entry's text and Desktop Clock for a suspended
    // or running schedule.
    void ShowSuspended(bool suspended);
    // Entries whose window does not exist yet stay in the menu, disabled;
    // while the event editor is open, none can be chosen.
    void UpdateEntries();

    // The tray went away, or was never there; it is back.
    std::function<void()> OnMissing;
    std::function<void()> OnBack;

    QAction* MainWindowAction;
    QAction* DueWindowAction;
    QAction* CalendarAction;
    QAction* DesktopClockAction;
    QAction* SuspendAction;
    QAction* OptionsAction;
    QAction* ScheduleAction;
    QAction* HelpContentsAction;
    QAction* AboutAction;
    QAction* ExitAction;

private:
    QAction* MenuItem(const char* name, const QString& caption);
    void FollowTray();

    std::function<bool()> Available;
    QSystemTrayIcon* TrayIcon;
    std::unique_ptr<QMenu> TrayMenu;
    TTickTimer* TrayWatch;
    bool NoTray = false;
    bool SuspendedFlag = false;
};
