#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QString>
#include <QTimer>
#include <algorithm>

namespace {

// A socket's path has room for about a hundred bytes; a longer data folder
// gets a name of its own in the temporary folder.
QString SocketName(const std::string& folder) {
    const QString beside = QString::fromStdString(folder + "/tickwell.socket");
    if (beside.toLocal8Bit().size() < 100)
        return beside;
    return QDir::tempPath() + "/tickwell-" +
           QCryptographicHash::hash(QByteArray::fromStdString(folder), QCryptographicHash::Sha1)
               .toHex()
               .left(16);
}

constexpr qint64 kLongestRequest = 64;
// A start that connects and then says nothing is not waited for.
constexpr int kRequestTimeoutMs = 2000;

} // namespace

TSingleInstance::TSingleInstance(const std::string& folder)
    : Folder(folder),
      Lock(std::make_unique<QLockFile>(QString::fromStdString(folder + "/tickwell.lock"))) {
    // Only a dead owner makes the lock stale, never its age: a copy that has
    // run for days still holds it.
    Lock->setStaleLockTime(0);
}

TSingleInstance::~TSingleInstance() = default;

TSingleInstance::TResult TSingleInstance::TryAcquire(std::string& error) {
    if (Lock->tryLock(0))
        return siAcquired;
    switch (Lock->error()) {
    case QLockFile::LockFailedError:
        return siRunning;
    case QLockFile::PermissionError:
        error = "Unable to create the lock file " + Lock->fileName().toStdString() +
                ": permission denied";
        return siError;
    default:
        error = "Unable to create the lock file " + Lock->fileName().toStdString();
        return siError;
    }
}

bool TSingleInstance::Listen(std::function<void(const std::string& request)> onRequest) {
    Server = std::make_unique<QLocalServer>();
    Server->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = SocketName(Folder);
    // With the lock held, a socket left there is a crashed copy's.
    QLocalServer::removeServer(name);
    if (!Server->listen(name)) {
        Server.reset();
        return false;
    }
    QLocalServer* server = Server.get();
    QObject::connect(server, &QLocalServer::newConnection, server, [server, onRequest] {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QTimer::singleShot(kRequestTimeoutMs, socket, [socket] { socket->abort(); });
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, onRequest] {
                if (!socket->canReadLine()) {
                    if (socket->bytesAvailable() > kLongestRequest)
                        socket->abort();
                    return;
                }
                const std::string request =
                    socket->readLine(kLongestRequest).trimmed().toStdString();
                socket->write("ok\n");
                socket->flush();
                socket->disconnectFromServer();
                // From the event loop, after the answer has gone.
                QTimer::singleShot(0, [onRequest, request] { onRequest(request); });
            });
        }
    });
    return true;
}

bool TSingleInstance::AskRunningCopy(const std::string& request, int timeoutMs) const {
    QElapsedTimer clock;
    clock.start();
    auto left = [&] { return std::max<qint64>(1, timeoutMs - clock.elapsed()); };
    QLocalSocket socket;
    socket.connectToServer(SocketName(Folder));
    if (!socket.waitForConnected(static_cast<int>(left())))
        return false;
    socket.write(QByteArray::fromStdString(request) + "\n");
    if (!socket.waitForBytesWritten(static_cast<int>(left())))
        return false;
    while (!socket.canReadLine()) {
        if (clock.elapsed() >= timeoutMs || !socket.waitForReadyRead(static_cast<int>(left())))
            return false;
    }
    return socket.readLine().trimmed() == "ok";
}
