#pragma once
// What every harness shares: a check that stops the run (libFuzzer then keeps
// the input that broke it), a fixed day, a scratch folder in memory for the
// readers that take a file, and the comparison of stored event fields.
#include "core/Clock.h"
#include "core/DateTime.h"
#include "core/EventRecord.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "property broken: %s (%s:%d)\n", #cond, __FILE__, __LINE__);      \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace fuzz {

// Every run on the same day, so a finding repeats.
inline void FixTheDay() {
    static const bool done = [] {
        FixToday(EncodeDate(2026, 3, 10));
        return true;
    }();
    (void)done;
}

// A folder of this process, on tmpfs where there is one, removed at exit
// (the name outlives every static, so the removal can still read it).
inline const std::string& ScratchFolder() {
    static const std::string* folder = [] {
        const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        auto* name = new std::string(std::string(base) + "/tickwell-fuzz-XXXXXX");
        if (!::mkdtemp(name->data()))
            std::abort();
        return name;
    }();
    static const bool removed = [] {
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(*folder, ec);
        });
        return true;
    }();
    (void)removed;
    return *folder;
}

inline std::string ScratchFile(const std::string& name) {
    return ScratchFolder() + "/" + name;
}

inline std::string WriteScratch(const std::string& name, std::string_view bytes) {
    const std::string path = ScratchFile(name);
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
    return path;
}

inline bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

inline std::string Describe(const EventRecord& r) {
    char dates[96];
    std::snprintf(dates, sizeof dates, " start %a end %a ack %a", r.StartDate, r.EndDate,
                  r.AckDate);
    return "\"" + r.Description() + "\" type " + std::to_string(r.EventType) + " once " +
           std::to_string(r.Simple) + " rank " + std::to_string(r.Rank) + " weekday " +
           std::to_string(r.Weekday) + " interval " + std::to_string(r.Interval) + " notice " +
           std::to_string(r.NoticePeriod) + " keep " + std::to_string(r.KeepFlag) + " noend " +
           std::to_string(r.NoEndPoint) + dates;
}

// The stored fields the same, dates bit for bit (a NaN read must write back
// as itself); stops the run showing both otherwise.
inline void CheckSameRecord(const EventRecord& got, const EventRecord& want) {
    if (got.Description() == want.Description() && got.EventType == want.EventType &&
        got.Rank == want.Rank && got.Weekday == want.Weekday && got.Interval == want.Interval &&
        SameBits(got.StartDate, want.StartDate) && SameBits(got.EndDate, want.EndDate) &&
        got.NoticePeriod == want.NoticePeriod && got.Simple == want.Simple &&
        got.KeepFlag == want.KeepFlag && got.NoEndPoint == want.NoEndPoint &&
        SameBits(got.AckDate, want.AckDate))
        return;
    std::fprintf(stderr, "property broken: read back as\n  %s\ninstead of\n  %s\n",
                 Describe(got).c_str(), Describe(want).c_str());
    std::abort();
}

} // namespace fuzz
