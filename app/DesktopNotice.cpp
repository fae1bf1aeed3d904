#include "app/DesktopNotice.h"

#include "core/TickwellItem.h"
#include "ui/AppIcon.h"
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFileInfo>
#include <QImage>
#include <QSystemTrayIcon>

namespace {

const char* const kService = "org.freedesktop.Notifications";
const char* const kPath = "/org/freedesktop/Notifications";
const char* const kInterface = "org.freedesktop.Notifications";
// Long enough for a busy server, short enough that the tray message still
// comes while the due events are new.
constexpr int kCallTimeoutMs = 3000;
constexpr int kListed = 5;

// The notification's picture, in the form the "image-data" hint takes.
struct TNoticeImage {
    QImage Image;
};

QDBusArgument& operator<<(QDBusArgument& arg, const TNoticeImage& picture) {
    const QImage img = picture.Image.convertToFormat(QImage::Format_RGBA8888);
    arg.beginStructure();
    arg << img.width() << img.height() << static_cast<int>(img.bytesPerLine()) << true << 8 << 4
        << QByteArray(reinterpret_cast<const char*>(img.constBits()),
                      static_cast<int>(img.sizeInBytes()));
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, TNoticeImage&) {
    return arg;
}

// Only a bus that is announced is tried: asking for the session bus without
// one would start a bus of its own and wait for it.
bool SessionBusAnnounced() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + "/bus");
}

} // namespace

Q_DECLARE_METATYPE(TNoticeImage)

TDesktopNotice::TDesktopNotice(QSystemTrayIcon* tray, std::function<void()> activated,
                               QObject* parent)
    : QObject(parent), Tray(tray), Activated(std::move(activated)) {
    if (Tray)
        connect(Tray, &QSystemTrayIcon::messageClicked, this, [this] {
            if (Activated)
                Activated();
        });
}

QString TDesktopNotice::Summary(int count) {
    return count == 1 ? tr("1 event due") : tr("%1 events due").arg(count);
}

QString TDesktopNotice::Body(const std::vector<TTickwellItem*>& due) {
    QStringList lines;
    for (size_t i = 0; i < due.size() && i < kListed; ++i)
        lines << QString::fromStdString(FirstLine(due[i]->Description));
    if (due.size() > kListed)
        lines << tr("and %1 more").arg(due.size() - kListed);
    return lines.join('\n');
}

void TDesktopNotice::Show(const std::vector<TTickwellItem*>& due) {
    const QString summary = Summary(static_cast<int>(due.size()));
    const QString body = Body(due);
    if (!SessionBusAnnounced()) {
        ShowInTray(summary, body);
        return;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        ShowInTray(summary, body);
        return;
    }
    Listed.clear();
    for (const TTickwellItem* e : due)
        Listed.push_back(e->Id);
    if (Buttons) {
        Send(summary, body);
        return;
    }
    // Asked once; a server that does not answer gets no buttons this time.
    QDBusMessage ask =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, "GetCapabilities");
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(ask, kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, summary, body](QDBusPendingCallWatcher* w) {
                const QDBusPendingReply<QStringList> reply = *w;
                w->deleteLater();
                if (!reply.isError())
                    Buttons = reply.value().contains(QStringLiteral("actions"));
                Send(summary, body);
            });
}

void TDesktopNotice::Send(const QString& summary, const QString& body) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    static const QMetaType registered = qDBusRegisterMetaType<TNoticeImage>();
    (void)registered;
    if (!Listening)
        // Any sender: naming the service would make the bus look up its
        // owner and wait for the answer.
        Listening = bus.connect(QString(), kPath, kInterface, "ActionInvoked", this,
                                SLOT(ActionInvoked(uint, QString)));

    QStringList actions{QStringLiteral("default"), tr("Show")};
    if (Buttons.value_or(false) && !Listed.empty()) {
        if (OnAcknowledge)
            actions << QStringLiteral("acknowledge") << tr("Acknowledge");
        if (OnSnooze)
            actions << QStringLiteral("snooze") << tr("Snooze");
    }
    QVariantMap hints;
    hints["desktop-entry"] = DesktopEntryName();
    hints["urgency"] = QVariant::fromValue(static_cast<uchar>(1));
    hints["image-data"] = QVariant::fromValue(TNoticeImage{AppIcon().pixmap(48, 48).toImage()});
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "Notify");
    call << QStringLiteral("Tickwell") << LastId << AppIconName() << summary << body.toHtmlEscaped()
         << actions << hints << -1;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, summary, body](QDBusPendingCallWatcher* w) {
                const QDBusPendingReply<uint> reply = *w;
                w->deleteLater();
                if (reply.isError())
                    ShowInTray(summary, body);
                else
                    LastId = reply.value();
            });
}

void TDesktopNotice::ActionInvoked(uint id, const QString& action) {
    if (id == 0 || id != LastId)
        return;
    if (action == "default" && Activated)
        Activated();
    else if (action == "acknowledge" && OnAcknowledge)
        OnAcknowledge(Listed);
    else if (action == "snooze" && OnSnooze)
        OnSnooze(Listed);
}

void TDesktopNotice::ShowInTray(const QString& summary, const QString& body) {
    if (Tray && Tray->isVisible() && QSystemTrayIcon::supportsMessages())
        Tray->showMessage(summary, body, AppIcon(), 15000);
}
