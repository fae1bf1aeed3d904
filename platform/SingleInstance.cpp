#include "platform/SingleInstance.h"

#include <QString>

TSingleInstance::TSingleInstance(const std::string& folder)
    : Lock(std::make_unique<QLockFile>(QString::fromStdString(folder + "/tickwell.lock"))) {
    // Only a dead owner makes the lock stale, never its age: a copy that has
    // run for days still holds it.
    Lock->setStaleLockTime(0);
}

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
