#include "StoreTestSupport.h"
#include "core/HalvaneDates.h"
#include <csignal>
#include <sys/resource.h>

namespace storetest {

TTickwellItem* MakeEvent(const TRecSpec& s) {
    EventRecord r;
    r.SetDescription(s.Description);
    r.StartDate = s.Start;
    r.Simple = s.Simple;
    r.EventType = s.Type;
    r.Interval = s.Interval;
    r.EndDate = s.End != 0 ? s.End : (s.Simple ? s.Start : AddYears(100, s.Start));
    r.NoticePeriod = s.Notice;
    r.KeepFlag = s.Keep;
    r.Rank = s.Rank;
    r.Weekday = s.Weekday;
    r.NoEndPoint = s.End == 0;
    r.AckDate = s.Ack;
    return new TTickwellItem(r);
}

TTickwellItem* ExpiredEvent(const std::string& desc) {
    return MakeEvent({.Description = desc, .Start = D(2020, 1, 1)});
}

TTickwellItem* CurrentEvent(const std::string& desc) {
    return MakeEvent({.Description = desc, .Start = D(2024, 1, 3), .Simple = false, .Type = 1});
}

void WithFileSizeLimit(size_t bytes, const std::function<void()>& write) {
    rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit small{bytes, old.rlim_max};
    auto oldSignal = std::signal(SIGXFSZ, SIG_IGN); // a failed write, not a killed test
    setrlimit(RLIMIT_FSIZE, &small);
    write();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);
}

namespace {
template <typename T> void PutLE(std::string& out, size_t at, T v) {
    unsigned char b[sizeof(T)];
    std::memcpy(b, &v, sizeof(T));
    // The test machines are little-endian; a big-endian one would need a swap here.
    for (size_t i = 0; i < sizeof(T); ++i)
        out[at + i] = static_cast<char>(b[i]);
}
} // namespace

std::string RawRecord(const std::string& descBytes, uint8_t type, int16_t rank, int16_t weekday,
                      int16_t interval, double start, double end, int16_t notice, uint8_t simple,
                      uint8_t keep, uint8_t noEnd, double ack) {
    std::string r(292, '\0');
    r[0] = static_cast<char>(descBytes.size());
    descBytes.copy(r.data() + 1, std::min<size_t>(descBytes.size(), 255));
    r[256] = static_cast<char>(type);
    PutLE(r, 257, rank);
    PutLE(r, 259, weekday);
    PutLE(r, 261, interval);
    PutLE(r, 263, start);
    PutLE(r, 271, end);
    PutLE(r, 279, notice);
    r[281] = static_cast<char>(simple);
    r[282] = static_cast<char>(keep);
    r[283] = static_cast<char>(noEnd);
    PutLE(r, 284, ack);
    return r;
}

} // namespace storetest
