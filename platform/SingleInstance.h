#pragma once
// One running copy per data folder: a lock file that the system frees when
// the process ends, however it ends (a lock left by a crashed process is
// recognised as stale and taken over).
#include <QLockFile>
#include <memory>
#include <string>

class TSingleInstance {
public:
    enum TResult { siAcquired, siRunning, siError };

    // The lock file "tickwell.lock" in folder.
    explicit TSingleInstance(const std::string& folder);
    // siRunning when another live process holds the lock; siError (with the
    // reason) when the lock file cannot be made.
    TResult TryAcquire(std::string& error);

private:
    std::unique_ptr<QLockFile> Lock;
};
