#pragma once
// The desktop notification that goes with the due events a schedule time
// brings up: a freedesktop notification on the session bus, or the tray
// icon's message where no notification server answers. Nothing here waits
// for the bus: the call is asynchronous with a short time-out, and a slow,
// broken or missing server only means that the message goes to the tray.
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class QSystemTrayIcon;
class TTickwellItem;

class TDesktopNotice : public QObject {
    Q_OBJECT
public:
    // activated runs when the user clicks the notification (or the tray
    // message).
    TDesktopNotice(QSystemTrayIcon* tray, std::function<void()> activated,
                   QObject* parent = nullptr);

    // A notification about these due events; it replaces the one before.
    void Show(const std::vector<TTickwellItem*>& due);

    // "1 event due", "3 events due".
    static QString Summary(int count);
    // The first lines of the first four events, then "and N more".
    static QString Body(const std::vector<TTickwellItem*>& due);

private slots:
    void ActionInvoked(uint id, const QString& action);

private:
    void ShowInTray(const QString& summary, const QString& body);

    QSystemTrayIcon* Tray;
    std::function<void()> Activated;
    uint LastId = 0;
    bool Listening = false;
};
