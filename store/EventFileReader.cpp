#include "store/EventFileReader.h"
#include "core/Clock.h"
#include "core/EventArena.h"
#include "core/ParallelChunks.h"
#include <algorithm>
#include <cerrno>
#include <exception>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Days between 1 January of the year 1 and 30 December 1899.
constexpr double kOldFormatOffset = 693594;
// Records read at a time: a piece stays in the cache from the read to the
// decoding, and no buffer the size of the file is ever needed.
constexpr size_t kPieceRecords = 256;
// Records a thread decodes at a time, each stretch into a block of its own.
constexpr size_t kStretchRecords = 8 * kPieceRecords;
// What a source without a size of its own (a pipe, a device) may deliver, so
// an endless one cannot eat all memory.
constexpr size_t kStreamLimit = size_t{256} << 20;

class TFd {
public:
    explicit TFd(int fd) : Fd(fd) {}
    ~TFd() {
        if (Fd >= 0)
            ::close(Fd);
    }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    int Fd;
};

void FreeEvents(std::vector<TTickwellItem*>& items) {
    for (TTickwellItem* e : items)
        delete e;
    items.clear();
}

// What one stretch of the file gave.
struct TRun {
    std::vector<TTickwellItem*> Items;
    std::vector<TRecordCheck> Checks;
    // An unreadable record or a read error ended it.
    bool Damaged = false;
    // The file ended before the stretch did: it shrank while being read.
    bool Short = false;
    std::exception_ptr Error;
};

class TDecoder {
public:
    TDecoder(TDateTime today, bool oldFormat) : Today(today), OldFormat(oldFormat) {}

    // False when the record cannot be read.
    bool Decode(const unsigned char* bytes) {
        UnpackRecord(bytes, Rec);
        if (OldFormat) {
            Rec.StartDate -= kOldFormatOffset;
            Rec.EndDate -= kOldFormatOffset;
            Rec.AckDate -= kOldFormatOffset;
        }
        return IsValidDateValue(Rec.StartDate);
    }

    EventRecord Rec;
    const TDateTime Today;

private:
    const bool OldFormat;
};

// Bytes read at offset until `size` or the end of the file; -1 on an error.
ssize_t ReadAt(int fd, unsigned char* into, size_t size, off_t offset) {
    size_t have = 0;
    while (have < size) {
        const ssize_t n = ::pread(fd, into + have, size - have, offset + static_cast<off_t>(have));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        have += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(have);
}

// Records first..last-1 of a file whose size is known, into one arena.
void DecodeRange(int fd, size_t first, size_t last, TDecoder decoder, TRun& run) {
    try {
        TEventArena arena(last - first);
        run.Items.reserve(last - first);
        run.Checks.reserve(last - first);
        const auto piece =
            std::make_unique_for_overwrite<unsigned char[]>(kPieceRecords * kRecordSize);
        for (size_t r = first; r < last;) {
            const size_t want = std::min(kPieceRecords, last - r);
            const ssize_t got =
                ReadAt(fd, piece.get(), want * kRecordSize, static_cast<off_t>(r * kRecordSize));
            if (got < 0) {
                run.Damaged = true;
                return;
            }
            const size_t whole = static_cast<size_t>(got) / kRecordSize;
            for (size_t i = 0; i < whole; ++i) {
                if (!decoder.Decode(piece.get() + i * kRecordSize)) {
                    run.Damaged = true;
                    return;
                }
                run.Items.push_back(arena.Make(decoder.Rec, decoder.Today));
                run.Checks.push_back(CheckRecord(piece.get() + i * kRecordSize));
            }
            if (whole < want) {
                run.Short = true;
                return;
            }
            r += want;
        }
    } catch (...) {
        run.Error = std::current_exception();
    }
}

// Records from the current position to the end, for a source of unknown size
// and for what a file gained while it was being read. A trailing fragment
// shorter than a record is damage: the file was cut short or torn, and a
// save of what was read would drop the rest for good.
void DecodeStream(int fd, TDecoder decoder, TRun& run) {
    try {
        const auto piece =
            std::make_unique_for_overwrite<unsigned char[]>(kPieceRecords * kRecordSize);
        size_t held = 0;
        size_t total = 0;
        for (;;) {
            const ssize_t n = ::read(fd, piece.get() + held, kPieceRecords * kRecordSize - held);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 || total > kStreamLimit) {
                run.Damaged = true;
                return;
            }
            if (n == 0) {
                run.Damaged = held > 0;
                return;
            }
            held += static_cast<size_t>(n);
            total += static_cast<size_t>(n);
            const size_t whole = held / kRecordSize;
            for (size_t i = 0; i < whole; ++i) {
                if (!decoder.Decode(piece.get() + i * kRecordSize)) {
                    run.Damaged = true;
                    return;
                }
                run.Items.push_back(new TTickwellItem(decoder.Rec, decoder.Today));
                run.Checks.push_back(CheckRecord(piece.get() + i * kRecordSize));
            }
            held -= whole * kRecordSize;
            std::copy_n(piece.get() + whole * kRecordSize, held, piece.get());
        }
    } catch (...) {
        run.Error = std::current_exception();
    }
}

// The file's whole records in stretches, shared by several threads when the
// file is large.
std::vector<TRun> DecodeFile(int fd, size_t records, const TDecoder& decoder) {
    std::vector<TRun> runs(std::max<size_t>(1, (records + kStretchRecords - 1) / kStretchRecords));
    InChunks(records, kStretchRecords, [&](size_t begin, size_t end) {
        DecodeRange(fd, begin, end, decoder, runs[begin / kStretchRecords]);
    });
    return runs;
}

// Moves the runs' events to out in order, up to the first damage. False when
// a run was damaged.
bool Collect(std::vector<TRun>& runs, std::vector<TTickwellItem*>& out,
             std::vector<TRecordCheck>& checks) {
    bool damaged = false;
    for (TRun& run : runs) {
        if (damaged) {
            FreeEvents(run.Items);
            continue;
        }
        out.insert(out.end(), run.Items.begin(), run.Items.end());
        checks.insert(checks.end(), run.Checks.begin(), run.Checks.end());
        run.Items.clear();
        damaged = run.Damaged;
    }
    return !damaged;
}

void FreeRuns(std::vector<TRun>& runs) {
    for (TRun& run : runs)
        FreeEvents(run.Items);
}

} // namespace

bool ReadEventRecords(const std::string& path, bool oldFormat, std::vector<TTickwellItem*>& out,
                      std::vector<TRecordCheck>& checks) {
    out.clear();
    checks.clear();
    TFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Fd < 0)
        return errno == ENOENT;
    struct stat st;
    if (::fstat(fd.Fd, &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    const TDecoder decoder(Today(), oldFormat);
    std::vector<TRun> runs;
    const auto any = [&](auto pred) { return std::any_of(runs.begin(), runs.end(), pred); };
    if (S_ISREG(st.st_mode)) {
        const size_t records = static_cast<size_t>(st.st_size) / kRecordSize;
        runs = DecodeFile(fd.Fd, records, decoder);
        // A file that shrank while it was read is read again from the start;
        // one that grew goes on from where the size said it ended.
        off_t next = static_cast<off_t>(records * kRecordSize);
        if (any([](const TRun& r) { return r.Short; })) {
            FreeRuns(runs);
            runs.clear();
            next = 0;
        }
        if (::lseek(fd.Fd, next, SEEK_SET) != next) {
            FreeRuns(runs);
            return false;
        }
    }
    if (!any([](const TRun& r) { return r.Damaged || r.Error; })) {
        runs.emplace_back();
        DecodeStream(fd.Fd, decoder, runs.back());
    }
    for (const TRun& run : runs)
        if (run.Error) {
            const std::exception_ptr error = run.Error;
            FreeRuns(runs);
            std::rethrow_exception(error);
        }
    size_t count = 0;
    for (const TRun& run : runs)
        count += run.Items.size();
    try {
        out.reserve(count);
        checks.reserve(count);
    } catch (...) {
        FreeRuns(runs);
        throw;
    }
    return Collect(runs, out, checks);
}
