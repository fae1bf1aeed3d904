#pragma once
// The lock every writer of a data file holds while it reads, changes and
// writes it: an exclusive advisory lock (flock) on "<data file>.lock" beside
// it. The system drops the lock when its holder ends, however it ends, so a
// killed writer never leaves a stale lock behind; the empty lock file stays.
// It is not the windows program's single-instance lock, which is another
// file.
#include <string>

class TDataFileLock {
public:
    // Waits up to waitMs for the lock. Held() tells whether it was had;
    // Error() says why not, with the lock file's path.
    explicit TDataFileLock(const std::string& dataFile, int waitMs = kDefaultWaitMs);
    ~TDataFileLock();
    TDataFileLock(const TDataFileLock&) = delete;
    TDataFileLock& operator=(const TDataFileLock&) = delete;

    bool Held() const { return Fd >= 0; }
    // Not had because another holder kept it for the whole wait.
    bool Busy() const { return HeldElsewhere; }
    const std::string& Error() const { return Why; }

    // Writers hold the lock for one read and one write of the file; longer
    // than this means a writer has hung.
    static constexpr int kDefaultWaitMs = 10000;

private:
    int Fd = -1;
    bool HeldElsewhere = false;
    std::string Why;
};

// "<data file>.lock", beside the file a write to dataFile replaces.
std::string DataLockPath(const std::string& dataFile);
