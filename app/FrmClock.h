#pragma once
// The clock window: created hidden at every start, after the window of the
// start mode. In tray mode it is the application's main window and owns the
// tray icon, whose "Exit" ends the program.
#include <QWidget>

class QMenu;
class QSystemTrayIcon;

class TClockFrm : public QWidget {
    Q_OBJECT
public:
    explicit TClockFrm(QWidget* parent = nullptr);
    ~TClockFrm() override;

    // Shown in tray mode, and whenever this window is the application's main
    // window, so that the program can always be ended.
    void ShowTrayIcon();
    QSystemTrayIcon* TrayIcon() const { return TrayIcon1; }

    void Exit1Click();

private:
    QSystemTrayIcon* TrayIcon1;
    QMenu* TrayIconMenu;
};
