#include "store/AtomicFile.h"
#include "store/StopPoint.h"
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// A symbolic link is replaced through its target, so a data file that the user
// keeps elsewhere and links to stays where it is.
std::string ResolveTarget(const std::string& path) {
    struct stat st;
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = realpath(path.c_str(), nullptr)) {
            std::string resolved(real);
            std::free(real);
            return resolved;
        }
    }
    return path;
}

bool WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// A reminder list is personal: new files are for their owner only. A
// replaced file keeps the mode its owner gave it.
mode_t ModeFor(const std::string& target) {
    struct stat st;
    if (stat(target.c_str(), &st) == 0)
        return st.st_mode & 07777;
    return kPrivateFileMode;
}

constexpr const char* kTempMarker = ".tmp-";

// A new file of its own beside the target, made private before a byte is in
// it. O_EXCL with O_NOFOLLOW: whatever is already there under the name (a
// file, or a link planted to point elsewhere) is never opened, so the write
// cannot land in another file.
int CreateTemporary(const std::string& target, std::string& temp) {
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static thread_local std::mt19937_64 random{std::random_device{}() ^
                                               static_cast<std::uint64_t>(::getpid())};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = target + kTempMarker;
        for (int i = 0; i < 6; ++i)
            temp += kChars[random() % (sizeof kChars - 1)];
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                              kPrivateFileMode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        // Some file systems refuse to sync a folder; the rename has happened
        // either way, so this is best effort.
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string& errorText,
                     int mode) {
    const std::string target = ResolveTarget(path);
    const std::string folder = FolderOf(target);
    std::string temp;
    const int fd = CreateTemporary(target, temp);
    if (fd < 0) {
        errorText = std::strerror(errno);
        return false;
    }
    int failure = 0;
    const mode_t final = mode == kKeepFileMode ? ModeFor(target) : static_cast<mode_t>(mode);
    const size_t half = bytes.size() / 2;
    if (::fchmod(fd, final) != 0 || !WriteAll(fd, bytes.substr(0, half)))
        failure = errno;
    StopPoint(kStopHalfWritten);
    if (failure == 0 && (!WriteAll(fd, bytes.substr(half)) || ::fsync(fd) != 0))
        failure = errno;
    if (::close(fd) != 0 && failure == 0)
        failure = errno;
    StopPoint(kStopBeforeRename);
    if (failure == 0 && ::rename(temp.c_str(), target.c_str()) != 0)
        failure = errno;
    if (failure != 0) {
        ::unlink(temp.c_str());
        errorText = std::strerror(failure);
        return false;
    }
    StopPoint(kStopRenamed);
    SyncFolder(folder);
    return true;
}

bool ReadWholeFile(const std::string& path, TFileBytes& bytes, std::string& errorText,
                   bool* missing) {
    if (missing)
        *missing = false;
    bytes = TFileBytes{};
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (missing)
            *missing = errno == ENOENT;
        errorText = std::strerror(errno);
        return false;
    }
    const auto fail = [&](int error) {
        errorText = std::strerror(error);
        ::close(fd);
        return false;
    };
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return fail(errno);
    if (S_ISDIR(st.st_mode))
        return fail(EISDIR);
    // The size the file claims, read in one go; then on until the end in case
    // it grew or has no size of its own (a pipe). Reads past the claimed size
    // go through a small probe, so an exact size never costs a second buffer.
    size_t capacity = st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0;
    std::unique_ptr<char[]> data = std::make_unique_for_overwrite<char[]>(capacity + 1);
    size_t have = 0;
    char probe[4096];
    for (;;) {
        const bool full = have == capacity;
        const ssize_t n =
            ::read(fd, full ? probe : data.get() + have, full ? sizeof probe : capacity - have);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        if (n == 0)
            break;
        if (full) {
            // Nothing the program reads comes near this; it stops an endless
            // source such as a device from eating all memory.
            constexpr size_t kLimit = size_t{256} << 20;
            if (have >= kLimit)
                return fail(EFBIG);
            const size_t grown = capacity * 2 + sizeof probe;
            auto bigger = std::make_unique_for_overwrite<char[]>(grown + 1);
            std::memcpy(bigger.get(), data.get(), have);
            std::memcpy(bigger.get() + have, probe, static_cast<size_t>(n));
            data = std::move(bigger);
            capacity = grown;
        }
        have += static_cast<size_t>(n);
    }
    ::close(fd);
    bytes.Data = std::move(data);
    bytes.Size = have;
    return true;
}

std::string ReplacedPath(const std::string& path) {
    return ResolveTarget(path);
}

int RemoveTemporaries(const std::string& path) {
    const std::string target = ResolveTarget(path);
    const std::string folder = FolderOf(target);
    const size_t slash = target.rfind('/');
    const std::string prefix =
        (slash == std::string::npos ? target : target.substr(slash + 1)) + kTempMarker;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() == prefix.size() + 6 && name.starts_with(prefix) &&
            ::unlinkat(::dirfd(dir), name.c_str(), 0) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

TFileStamp StampOf(const std::string& path) {
    TFileStamp s;
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return s;
    s.Exists = true;
    s.Device = static_cast<std::uint64_t>(st.st_dev);
    s.Inode = static_cast<std::uint64_t>(st.st_ino);
    s.Size = static_cast<std::int64_t>(st.st_size);
    s.ModifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.ChangedNs = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return s;
}

bool FileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

std::string UnusedStampedPath(const std::string& prefix, const std::string& suffix) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = prefix + stamp;
    std::string name = base + suffix;
    for (int n = 1; FileExists(name); ++n)
        name = base + "-" + std::to_string(n) + suffix;
    return name;
}

bool SameFileBytes(const std::string& a, const std::string& b) {
    struct stat sa, sb;
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0 || sa.st_size != sb.st_size)
        return false;
    TFileBytes ba, bb;
    std::string error;
    return ReadWholeFile(a, ba, error) && ReadWholeFile(b, bb, error) && ba.View() == bb.View();
}

TPreviousFile::TPreviousFile(const std::string& path) : Path(ReplacedPath(path)) {
    Existed = FileExists(Path);
    if (!Existed)
        return;
    std::string aside;
    for (int attempt = 0; attempt < 10 && Aside.empty(); ++attempt) {
        aside = Path + ".previous-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        if (::link(Path.c_str(), aside.c_str()) == 0)
            Aside = aside;
        else if (errno != EEXIST)
            break;
    }
    if (Aside.empty()) {
        std::string error;
        HasBytes = ReadWholeFile(Path, Bytes, error);
    }
}

TPreviousFile::~TPreviousFile() {
    Drop();
}

bool TPreviousFile::PutBack() {
    bool ok = false;
    if (!Active) {
        // dropped already: nothing to put back
    } else if (!Existed) {
        ok = ::unlink(Path.c_str()) == 0 || errno == ENOENT;
    } else if (!Aside.empty()) {
        ok = ::rename(Aside.c_str(), Path.c_str()) == 0;
        if (ok)
            Aside.clear();
    } else if (HasBytes) {
        std::string error;
        ok = WriteFileAtomic(Path, Bytes.View(), error);
    }
    Drop();
    return ok;
}

void TPreviousFile::Drop() {
    if (!Aside.empty())
        ::unlink(Aside.c_str());
    Aside.clear();
    HasBytes = false;
    Active = false;
    Bytes = TFileBytes{};
}

bool CanWriteBeside(const std::string& path, std::string& why) {
    const std::string target = ResolveTarget(path);
    std::string temp;
    const int fd = CreateTemporary(target, temp);
    if (fd < 0) {
        why = std::string(std::strerror(errno)) + ": " + FolderOf(target);
        return false;
    }
    // A few blocks' worth: a disk that is full refuses them at once.
    const std::string bytes(8192, '\0');
    int failure = 0;
    if (!WriteAll(fd, bytes))
        failure = errno;
    ::close(fd);
    ::unlink(temp.c_str());
    if (failure != 0)
        why = std::string(std::strerror(failure)) + ": " + FolderOf(target);
    return failure == 0;
}
