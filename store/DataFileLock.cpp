#include "store/DataFileLock.h"
#include "store/AtomicFile.h"
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

std::string DataLockPath(const std::string& dataFile) {
    return ReplacedPath(dataFile) + ".lock";
}

TDataFileLock::TDataFileLock(const std::string& dataFile, int waitMs) {
    const std::string path = DataLockPath(dataFile);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        // A missing folder is the data file's; anything else is the lock
        // file's own (a lock file someone else owns, say).
        const bool noFolder = errno == ENOENT || errno == ENOTDIR;
        Why = std::string(std::strerror(errno)) + ": " + (noFolder ? dataFile : path);
        return;
    }
    // Polled rather than blocking, so that a writer that hangs while holding
    // it is reported instead of hanging this one too.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    auto pause = std::chrono::microseconds(200);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            Fd = fd;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            Why = std::string(std::strerror(errno)) + ": " + path;
            break;
        }
        if (std::chrono::steady_clock::now() >= until) {
            Why = "Another program has held the lock for too long: " + path;
            HeldElsewhere = true;
            break;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min<std::chrono::microseconds>(pause * 2, std::chrono::milliseconds(20));
    }
    ::close(fd);
}

TDataFileLock::~TDataFileLock() {
    if (Fd >= 0)
        ::close(Fd); // closing the last descriptor drops the lock
}
