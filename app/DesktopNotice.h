#pragma once
// The desktop notification that goes with the due events a schedule time
// brings up: a freedesktop notification on the session bus, or the tray
// icon's message where no notification server answers. Nothing here waits
// for the bus: the calls are asynchronous with a short time-out, and a slow,
// broken or missing server only means that the message goes to the tray.
// A server that shows buttons gets Acknowledge and Snooze besides the click
// that opens the due events; there is one notification at a time, each
// replacing the one before.
#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QSystemTrayIcon;
class TTickwellItem;

class TDesktopNotice : public QObject {
    Q_OBJECT
public:
    // Run with the ids of the events the notification listed.
    using TEventAction = std::function<void(const std::vector<std::uint64_t>& ids)>;

    // activated runs when the user clicks the notification (or the tray
    // message).
    TDesktopNotice(QSystemTrayIcon* tray, std::function<void()> activated,
                   QObject* parent = nullptr);

    // The notification's buttons; without them it has none.
    TEventAction OnAcknowledge;
    TEventAction OnSnooze;

    // A notification about these due events; it replaces the one before.
    void Show(const std::vector<TTickwellItem*>& due);

    // "1 event due", "3 events due".
    static QString Summary(int count);
    // The first lines of the first five events, then "and N more".
    static QString Body(const std::vector<TTickwellItem*>& due);

private slots:
    void ActionInvoked(uint id, const QString& action);

private:
    void Send(const QString& summary, const QString& body);
    void ShowInTray(const QString& summary, const QString& body);

    QSystemTrayIcon* Tray;
    std::function<void()> Activated;
    uint LastId = 0;
    bool Listening = false;
    // Whether the server shows buttons, once it said.
    std::optional<bool> Buttons;
    // The events of the notification on screen.
    std::vector<std::uint64_t> Listed;
};
