#include "app/SleepWatch.h"

#include <QDBusConnection>
#include <QFileInfo>

namespace {

const char* const kOwnBusName = "tickwell-logind";

} // namespace

TSleepWatch::TSleepWatch(std::function<void()> sleeping, std::function<void()> woken,
                         QObject* parent)
    : QObject(parent), Sleeping(std::move(sleeping)), Woken(std::move(woken)) {
    const QString address = qEnvironmentVariable("TICKWELL_LOGIND_BUS");
    // Only a bus that is there is tried: connecting to one that is not
    // costs a warning at every start.
    if (address.isEmpty() && qEnvironmentVariableIsEmpty("DBUS_SYSTEM_BUS_ADDRESS") &&
        !QFileInfo::exists("/run/dbus/system_bus_socket") &&
        !QFileInfo::exists("/var/run/dbus/system_bus_socket"))
        return;
    OwnBus = !address.isEmpty();
    QDBusConnection bus =
        OwnBus ? QDBusConnection::connectToBus(address, kOwnBusName) : QDBusConnection::systemBus();
    if (!bus.isConnected())
        return;
    // Any sender: naming logind's service would make the bus look up its
    // owner and wait for the answer.
    ListeningFlag =
        bus.connect(QString(), "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                    "PrepareForSleep", this, SLOT(PrepareForSleep(bool)));
}

TSleepWatch::~TSleepWatch() {
    if (OwnBus)
        QDBusConnection::disconnectFromBus(kOwnBusName);
}

void TSleepWatch::PrepareForSleep(bool start) {
    const auto& told = start ? Sleeping : Woken;
    if (told)
        told();
}
