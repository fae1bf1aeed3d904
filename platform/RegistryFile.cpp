#include "platform/RegistryFile.h"
#include "store/AtomicFile.h"

#include "core/Messages.h"
#include "platform/Paths.h"
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ErrnoText() {
    return std::strerror(errno);
}

// The lock file, held exclusively while the object lives.
class TFileLock {
public:
    explicit TFileLock(const std::string& path) {
        Fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (Fd < 0)
            throw TTickwellError("Unable to lock the settings file " + path + ": " + ErrnoText());
        while (::flock(Fd, LOCK_EX) != 0) {
            if (errno != EINTR) {
                std::string why = ErrnoText();
                ::close(Fd);
                throw TTickwellError("Unable to lock the settings file " + path + ": " + why);
            }
        }
    }
    ~TFileLock() { ::close(Fd); }
    TFileLock(const TFileLock&) = delete;
    TFileLock& operator=(const TFileLock&) = delete;

private:
    int Fd;
};

void CreateParentFolder(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
}

} // namespace

TRegistryFile::TRegistryFile(std::string path, TDamageNotice notice)
    : FilePath(std::move(path)), Notice(std::move(notice)) {
    if (!Notice)
        Notice = [](const std::string& text) { ShowMsg(text, mkWarning); };
}

bool TRegistryFile::TIdentity::operator==(const TIdentity& o) const {
    return Exists == o.Exists && Device == o.Device && Inode == o.Inode && Size == o.Size &&
           Modified.tv_sec == o.Modified.tv_sec && Modified.tv_nsec == o.Modified.tv_nsec &&
           Changed.tv_sec == o.Changed.tv_sec && Changed.tv_nsec == o.Changed.tv_nsec;
}

TRegistryFile::TIdentity TRegistryFile::IdentityOf(const struct stat& st) {
    TIdentity id;
    id.Exists = true;
    id.Device = st.st_dev;
    id.Inode = st.st_ino;
    id.Size = st.st_size;
    id.Modified = st.st_mtim;
    id.Changed = st.st_ctim;
    return id;
}

void TRegistryFile::Remember(const TIdentity& id, const TRegData& data) {
    std::lock_guard guard(CacheLock);
    Cached = true;
    CachedIdentity = id;
    CachedData = data;
}

bool TRegistryFile::ReadText(std::string& text, TIdentity& id, bool& steady,
                             std::string& error) const {
    id = TIdentity{};
    steady = true;
    // Not blocking on a named pipe someone put in the file's place.
    const int fd = ::open(FilePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT)
            return true;
        throw TTickwellError("Unable to read the settings file " + FilePath + ": " + ErrnoText());
    }
    const auto fail = [&](const std::string& why) {
        ::close(fd);
        throw TTickwellError("Unable to read the settings file " + FilePath + ": " + why);
    };
    const auto damaged = [&](const std::string& why) {
        ::close(fd);
        error = why;
        return false;
    };
    const std::string tooLarge = "it is larger than " + std::to_string(kMaxFileSize >> 20) + " MB";
    struct stat before;
    if (::fstat(fd, &before) != 0)
        fail(ErrnoText());
    if (!S_ISREG(before.st_mode))
        return damaged("it is not a regular file");
    if (static_cast<size_t>(before.st_size) > kMaxFileSize)
        return damaged(tooLarge);
    // One byte more than expected tells a file that grew meanwhile.
    text.resize(static_cast<size_t>(before.st_size) + 1);
    size_t have = 0;
    while (true) {
        if (have == text.size()) {
            if (have > kMaxFileSize)
                return damaged(tooLarge);
            text.resize(std::min(have * 2, kMaxFileSize + 1));
        }
        const ssize_t n = ::read(fd, text.data() + have, text.size() - have);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail(ErrnoText());
        if (n == 0)
            break;
        have += static_cast<size_t>(n);
    }
    text.resize(have);
    struct stat after;
    if (::fstat(fd, &after) != 0)
        fail(ErrnoText());
    ::close(fd);
    id = IdentityOf(after);
    // Written in place while it was read: used, but read again next time.
    steady = IdentityOf(before) == id && static_cast<size_t>(after.st_size) == have;
    return true;
}

bool TRegistryFile::TryRead(TRegData& out, std::string& error) {
    TIdentity now;
    if (struct stat st; ::stat(FilePath.c_str(), &st) == 0)
        now = IdentityOf(st);
    else if (errno != ENOENT)
        throw TTickwellError("Unable to read the settings file " + FilePath + ": " + ErrnoText());
    {
        std::lock_guard guard(CacheLock);
        if (Cached && CachedIdentity == now) {
            out = CachedData;
            return true;
        }
    }
    std::string text;
    TIdentity id;
    bool steady;
    if (!ReadText(text, id, steady, error))
        return false;
    TRegData data;
    if (id.Exists && !ParseRegFile(text, data, error))
        return false;
    if (steady)
        Remember(id, data);
    out = std::move(data);
    return true;
}

void TRegistryFile::KeepDamaged(const std::string& error) {
    const std::string kept = DamagedCopyName(FilePath);
    if (::rename(FilePath.c_str(), kept.c_str()) != 0)
        throw TTickwellError("The settings file " + FilePath + " could not be read (" + error +
                             ") and could not be moved aside: " + ErrnoText());
    Remember(TIdentity{}, TRegData());
    PendingNotice = "The settings file " + FilePath + " could not be read (" + error +
                    ").\nIt was kept as " + kept +
                    " and Tickwell goes on with the default settings.";
}

void TRegistryFile::TellDamage() {
    // Told only after the lock is released: a notice on screen waits for the
    // user, and other processes must not wait with it.
    if (PendingNotice.empty())
        return;
    std::string text;
    std::swap(text, PendingNotice);
    Notice(text);
}

TRegData TRegistryFile::ReadLocked() {
    TRegData data;
    std::string error;
    if (!TryRead(data, error))
        KeepDamaged(error);
    return data;
}

TRegData TRegistryFile::Load() {
    TRegData data;
    std::string error;
    if (TryRead(data, error))
        return data;
    // Look again under the lock: a writer may have just replaced the file,
    // and only one process may move a damaged one aside.
    CreateParentFolder(FilePath);
    {
        TFileLock lock(FilePath + ".lock");
        data = ReadLocked();
    }
    TellDamage();
    return data;
}

void TRegistryFile::Update(const std::function<void(TRegData&)>& change) {
    CreateParentFolder(FilePath);
    {
        TFileLock lock(FilePath + ".lock");
        TRegData data = ReadLocked();
        const TRegData before = data;
        change(data);
        if (data != before || !std::filesystem::exists(FilePath))
            WriteLocked(data);
    }
    TellDamage();
}

void TRegistryFile::WriteLocked(const TRegData& data) {
    std::string why;
    if (!WriteFileAtomic(FilePath, FormatRegFile(data), why, kPrivateFileMode))
        throw TTickwellError("Unable to save the settings to " + FilePath + ": " + why);
    // Under the lock no other writer can have replaced it since.
    struct stat st;
    if (::stat(FilePath.c_str(), &st) == 0)
        Remember(IdentityOf(st), data);
}

void InstallRegistryFile(TRegistryFile::TDamageNotice notice) {
    SetRegistryBackend(std::make_shared<TRegistryFile>(RegistryFilePath(), std::move(notice)));
}
