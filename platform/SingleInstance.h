#pragma once
// One running copy per data folder: a lock file that the system frees when
// the process ends, however it ends (a lock left by a crashed process is
// recognised as stale and taken over). Beside it, a local socket through
// which a later start asks the running copy to open its window.
#include <QLockFile>
#include <functional>
#include <memory>
#include <string>

class QLocalServer;

class TSingleInstance {
public:
    enum TResult { siAcquired, siRunning, siError };

    // The lock file "tickwell.lock" in folder.
    explicit TSingleInstance(const std::string& folder);
    ~TSingleInstance();
    // siRunning when another live process holds the lock; siError (with the
    // reason) when the lock file cannot be made.
    TResult TryAcquire(std::string& error);

    // With the lock held: answers each later start's request (one line of
    // text) with "ok" and hands it to onRequest from the event loop. False
    // when the socket cannot be made; later starts then cannot reach us.
    bool Listen(std::function<void(const std::string& request)> onRequest);
    // Without the lock: hands the request to the running copy. True when it
    // answered within timeoutMs.
    bool AskRunningCopy(const std::string& request, int timeoutMs) const;

private:
    std::string Folder;
    std::unique_ptr<QLockFile> Lock;
    std::unique_ptr<QLocalServer> Server;
};
