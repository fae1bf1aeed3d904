#include "platform/RegistryFile.h"
#include "store/AtomicFile.h"

#include "core/Messages.h"
#include "core/TrNoop.h"
#include "platform/Paths.h"
#include "store/SettingsSchema.h"
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
            throw TTickwellError(
                TW_TRANSLATE_NOOP("Messages", "Unable to lock the settings file ") + path + ": " +
                ErrnoText());
        while (::flock(Fd, LOCK_EX) != 0) {
            if (errno != EINTR) {
                std::string why = ErrnoText();
                ::close(Fd);
                throw TTickwellError(
                    TW_TRANSLATE_NOOP("Messages", "Unable to lock the settings file ") + path +
                    ": " + why);
            }
        }
    }
    ~TFileLock() { ::close(Fd); }
    TFileLock(const TFileLock&) = delete;
    TFileLock& operator=(const TFileLock&) = delete;

private:
    int Fd;
};

// So many lines of a notice list what cannot be used; the rest are counted.
constexpr long kNoticeLines = 8;

// A hand-edited line can be of any length; the notice shows its start.
std::string Shortened(const std::string& text) {
    return text.size() <= 80 ? text : text.substr(0, 77) + "...";
}

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

void TRegistryFile::Remember(const TIdentity& id, const TRegData& data, bool partlyRead) {
    std::lock_guard guard(CacheLock);
    Cached = true;
    CachedIdentity = id;
    CachedData = data;
    CachedPartlyRead = partlyRead;
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
        throw TTickwellError(TW_TRANSLATE_NOOP("Messages", "Unable to read the settings file ") +
                             FilePath + ": " + ErrnoText());
    }
    const auto fail = [&](const std::string& why) {
        ::close(fd);
        throw TTickwellError(TW_TRANSLATE_NOOP("Messages", "Unable to read the settings file ") +
                             FilePath + ": " + why);
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

bool TRegistryFile::TryRead(TRegData& out, bool& partlyRead, std::string& error) {
    TIdentity now;
    if (struct stat st; ::stat(FilePath.c_str(), &st) == 0)
        now = IdentityOf(st);
    else if (errno != ENOENT)
        throw TTickwellError(TW_TRANSLATE_NOOP("Messages", "Unable to read the settings file ") +
                             FilePath + ": " + ErrnoText());
    {
        std::lock_guard guard(CacheLock);
        if (Cached && CachedIdentity == now) {
            out = CachedData;
            partlyRead = CachedPartlyRead;
            return true;
        }
    }
    std::string text;
    TIdentity id;
    bool steady;
    if (!ReadText(text, id, steady, error))
        return false;
    TRegData data;
    std::vector<TRegFileSkip> skipped;
    if (id.Exists && !ParseRegFile(text, data, skipped, error))
        return false;
    NoteUnusable(skipped, SettingsOutOfRange(data));
    partlyRead = !skipped.empty();
    if (steady)
        Remember(id, data, partlyRead);
    out = std::move(data);
    return true;
}

void TRegistryFile::NoteUnusable(const std::vector<TRegFileSkip>& skipped,
                                 const std::vector<std::string>& outOfRange) {
    // Each told once in this process, though the file is read again after
    // every change another program makes to it.
    std::vector<std::string> lines;
    for (const TRegFileSkip& s : skipped)
        lines.push_back("line " + std::to_string(s.Line) + ": " + Shortened(s.Text) + " (" + s.Why +
                        ")");
    lines.insert(lines.end(), outOfRange.begin(), outOfRange.end());
    std::lock_guard guard(CacheLock);
    std::string told;
    int more = 0;
    for (const std::string& line : lines) {
        if (!Told.insert(line).second)
            continue;
        if (std::count(told.begin(), told.end(), '\n') < kNoticeLines)
            told += line + "\n";
        else
            ++more;
    }
    if (told.empty())
        return;
    if (more)
        told += "and " + std::to_string(more) + " more\n";
    std::string text = "Some settings in " + FilePath +
                       " cannot be used, and Tickwell uses the default for each:\n" + told +
                       "Every other setting is kept.";
    if (!skipped.empty())
        text += "\nBefore the settings are next saved, the file as it is now is copied beside it, "
                "as " +
                std::filesystem::path(FilePath).filename().string() +
                ".damaged- with the date and time.";
    PendingNotice += (PendingNotice.empty() ? "" : "\n\n") + text;
}

void TRegistryFile::KeepDamaged(const std::string& error) {
    const std::string kept = DamagedCopyName(FilePath);
    if (::rename(FilePath.c_str(), kept.c_str()) != 0)
        throw TTickwellError(TW_TRANSLATE_NOOP("Messages", "The settings file ") + FilePath +
                             TW_TRANSLATE_NOOP("Messages", " could not be read (") + error +
                             TW_TRANSLATE_NOOP("Messages", ") and could not be moved aside: ") +
                             ErrnoText());
    Remember(TIdentity{}, TRegData(), false);
    std::lock_guard guard(CacheLock);
    PendingNotice = "The settings file " + FilePath + " could not be read (" + error +
                    ").\nIt was kept as " + kept +
                    " and Tickwell goes on with the default settings.";
}

void TRegistryFile::KeepPartlyRead() {
    const std::string kept = DamagedCopyName(FilePath);
    TFileBytes bytes;
    std::string why;
    if (!ReadWholeFile(FilePath, bytes, why) ||
        !WriteFileAtomic(kept, bytes.View(), why, kPrivateFileMode))
        throw TTickwellError(
            TW_TRANSLATE_NOOP("Messages", "Unable to save the settings to ") + FilePath +
            TW_TRANSLATE_NOOP("Messages",
                              ": the lines of it Tickwell cannot read would be lost, and a copy "
                              "could not be kept as ") +
            kept + ": " + why);
}

void TRegistryFile::TellDamage() {
    // Told only after the lock is released: a notice on screen waits for the
    // user, and other processes must not wait with it.
    std::string text;
    {
        std::lock_guard guard(CacheLock);
        std::swap(text, PendingNotice);
    }
    if (!text.empty())
        Notice(text);
}

TRegData TRegistryFile::ReadLocked(bool& partlyRead) {
    TRegData data;
    std::string error;
    partlyRead = false;
    if (!TryRead(data, partlyRead, error))
        KeepDamaged(error);
    return data;
}

TRegData TRegistryFile::Load() {
    TRegData data;
    std::string error;
    bool partlyRead;
    if (TryRead(data, partlyRead, error)) {
        TellDamage();
        return data;
    }
    // Look again under the lock: a writer may have just replaced the file,
    // and only one process may move a damaged one aside.
    CreateParentFolder(FilePath);
    {
        TFileLock lock(FilePath + ".lock");
        data = ReadLocked(partlyRead);
    }
    TellDamage();
    return data;
}

void TRegistryFile::Update(const std::function<void(TRegData&)>& change) {
    CreateParentFolder(FilePath);
    {
        TFileLock lock(FilePath + ".lock");
        bool partlyRead;
        TRegData data = ReadLocked(partlyRead);
        const TRegData before = data;
        change(data);
        if (data != before || !std::filesystem::exists(FilePath)) {
            // What could not be read is not written back: the file as it was
            // is kept first, once, as the notice said.
            if (partlyRead)
                KeepPartlyRead();
            WriteLocked(data);
        }
    }
    TellDamage();
}

void TRegistryFile::WriteLocked(const TRegData& data) {
    std::string why;
    if (!WriteFileAtomic(FilePath, FormatRegFile(data), why, kPrivateFileMode))
        throw TTickwellError(TW_TRANSLATE_NOOP("Messages", "Unable to save the settings to ") +
                             FilePath + ": " + why);
    // Under the lock no other writer can have replaced it since.
    struct stat st;
    if (::stat(FilePath.c_str(), &st) == 0)
        Remember(IdentityOf(st), data, false);
}

void InstallRegistryFile(TRegistryFile::TDamageNotice notice) {
    SetRegistryBackend(std::make_shared<TRegistryFile>(RegistryFilePath(), std::move(notice)));
}
