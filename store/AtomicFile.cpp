#include "store/AtomicFile.h"
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
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

// New files get the usual permissions under the umask; a replaced file keeps
// its own.
mode_t ModeFor(const std::string& target) {
    struct stat st;
    if (stat(target.c_str(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
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
    std::string temp = target + ".tmp-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        errorText = std::strerror(errno);
        return false;
    }
    int failure = 0;
    const mode_t final = mode == kKeepFileMode ? ModeFor(target) : static_cast<mode_t>(mode);
    if (::fchmod(fd, final) != 0 || !WriteAll(fd, bytes) || ::fsync(fd) != 0)
        failure = errno;
    if (::close(fd) != 0 && failure == 0)
        failure = errno;
    if (failure == 0 && ::rename(temp.c_str(), target.c_str()) != 0)
        failure = errno;
    if (failure != 0) {
        ::unlink(temp.c_str());
        errorText = std::strerror(failure);
        return false;
    }
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

bool FileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}
