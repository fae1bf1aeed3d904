// The data file at scale: load and due scan of 100,000 events against reading
// the file's bytes (target: at most 4x), saving them against writing and
// syncing the same bytes (target: at most 3x), and the memory a loaded event
// costs beyond its description (target: at most 200 bytes). Each benchmark
// times its own baseline in the same iterations; the ratios are printed at
// the end. Files go to $TMPDIR (default /tmp).
#include "core/Clock.h"
#include "core/Globals.h"
#include "core/HalvaneDates.h"
#include "store/DataFile.h"
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <malloc.h>
#include <memory>
#include <new>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// ---- Counting allocator: live heap bytes, by the allocator's own block sizes.
// It hands out malloc blocks, so freeing them with free is the matching call.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
std::atomic<long long> liveBytes{0};
}

void* operator new(size_t n) {
    void* p = std::malloc(n == 0 ? 1 : n);
    if (!p)
        throw std::bad_alloc();
    liveBytes += static_cast<long long>(malloc_usable_size(p));
    return p;
}
void* operator new[](size_t n) {
    return operator new(n);
}
void operator delete(void* p) noexcept {
    if (p) {
        liveBytes -= static_cast<long long>(malloc_usable_size(p));
        std::free(p);
    }
}
void operator delete[](void* p) noexcept {
    operator delete(p);
}
void operator delete(void* p, size_t) noexcept {
    operator delete(p);
}
void operator delete[](void* p, size_t) noexcept {
    operator delete(p);
}

namespace {

constexpr int kEvents = 100000;
using Clock = std::chrono::steady_clock;

struct TRatios {
    double LoadScan = 0, Save = 0, BytesPerEvent = 0;
    double LoadMs = 0, ReadMs = 0, SaveMs = 0, WriteMs = 0;
} results;

std::string Folder() {
    static std::string folder = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string tmpl = std::string(tmp && *tmp ? tmp : "/tmp") + "/tickwell-bench-XXXXXX";
        if (!mkdtemp(tmpl.data()))
            std::abort();
        return tmpl;
    }();
    return folder;
}

std::string DataPath() {
    return Folder() + "/tickwell.dat";
}

// Mixed rules, starts up to 60 years back, descriptions of 5..60 characters.
void MakeFile() {
    static bool made = false;
    if (made)
        return;
    made = true;
    std::mt19937 rng(7);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const double today = Today();
    TMyList list;
    std::vector<TTickwellItem*> items;
    for (int i = 0; i < kEvents; ++i) {
        EventRecord r;
        std::string desc = "Event " + std::to_string(i) + " ";
        desc.append(static_cast<size_t>(pick(0, 50)), static_cast<char>('a' + pick(0, 25)));
        r.SetDescription(desc);
        r.Simple = pick(0, 6) == 0;
        r.EventType = static_cast<uint8_t>(pick(0, 5));
        r.StartDate = today - pick(0, 60 * 365);
        r.EndDate = r.Simple ? r.StartDate : AddYears(100, r.StartDate);
        r.Interval = static_cast<int16_t>(pick(1, 3));
        r.Rank = static_cast<int16_t>(r.EventType == etMonthlyDay ? pick(0, 4) : pick(0, 23));
        r.Weekday = static_cast<int16_t>(pick(1, 7));
        r.NoticePeriod = static_cast<int16_t>(pick(0, 30));
        r.KeepFlag = pick(0, 1);
        r.NoEndPoint = 1;
        // As the editor and the import create them.
        auto* e = new TTickwellItem(r);
        AckPastOnCreate(*e);
        items.push_back(e);
    }
    list.AddSortedAll(items);
    SaveEvents(list, DataPath());
}

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

struct TBytes {
    std::unique_ptr<char[]> Data;
    size_t Size = 0;
};

// The plainest way to get a file into memory: its size, one buffer, read.
TBytes ReadBytes(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY);
    struct stat st;
    fstat(fd, &st);
    TBytes bytes{std::make_unique_for_overwrite<char[]>(static_cast<size_t>(st.st_size)),
                 static_cast<size_t>(st.st_size)};
    size_t have = 0;
    while (have < bytes.Size) {
        const ssize_t n = read(fd, bytes.Data.get() + have, bytes.Size - have);
        if (n <= 0)
            break;
        have += static_cast<size_t>(n);
    }
    close(fd);
    return bytes;
}

void BM_LoadAndScan(benchmark::State& state) {
    MakeFile();
    TScanList due;
    DueList = &due;
    double base = 0, target = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        {
            auto bytes = ReadBytes(DataPath());
            benchmark::DoNotOptimize(bytes.Data.get());
        }
        const auto t1 = Clock::now();
        auto list = std::make_unique<TMyList>();
        LoadEvents(*list, DataPath());
        list->Scan();
        const auto t2 = Clock::now();
        const int count = list->Count();
        due.Clear();
        list.reset();
        base += Ms(t1 - t0);
        target += Ms(t2 - t1);
        state.SetIterationTime((t2 - t1).count() * 1e-9);
        if (count != kEvents)
            state.SkipWithError("wrong count");
    }
    DueList = nullptr;
    results.LoadScan = target / base;
    results.LoadMs = target / static_cast<double>(state.iterations());
    results.ReadMs = base / static_cast<double>(state.iterations());
    state.counters["baseline_ms"] = results.ReadMs;
    state.counters["ratio"] = results.LoadScan;
}
BENCHMARK(BM_LoadAndScan)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_Save(benchmark::State& state) {
    MakeFile();
    TMyList list;
    LoadEvents(list, DataPath());
    const TBytes bytes = ReadBytes(DataPath());
    const std::string plain = Folder() + "/plain.dat";
    const std::string saved = Folder() + "/saved.dat";
    double base = 0, target = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        {
            const int fd = open(plain.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            size_t done = 0;
            while (done < bytes.Size) {
                const ssize_t n = write(fd, bytes.Data.get() + done, bytes.Size - done);
                if (n <= 0)
                    break;
                done += static_cast<size_t>(n);
            }
            fsync(fd);
            close(fd);
        }
        const auto t1 = Clock::now();
        SaveEvents(list, saved);
        const auto t2 = Clock::now();
        base += Ms(t1 - t0);
        target += Ms(t2 - t1);
        state.SetIterationTime((t2 - t1).count() * 1e-9);
    }
    results.Save = target / base;
    results.SaveMs = target / static_cast<double>(state.iterations());
    results.WriteMs = base / static_cast<double>(state.iterations());
    state.counters["baseline_ms"] = results.WriteMs;
    state.counters["ratio"] = results.Save;
}
BENCHMARK(BM_Save)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_MemoryPerEvent(benchmark::State& state) {
    MakeFile();
    double perEvent = 0;
    for (auto _ : state) {
        const long long before = liveBytes.load();
        auto* list = new TMyList;
        LoadEvents(*list, DataPath());
        const long long after = liveBytes.load();
        long long descriptions = 0;
        for (const TTickwellItem* e : list->All()) {
            const char* text = e->Description.data();
            const auto* self = reinterpret_cast<const char*>(e);
            const bool inline_ = text >= self && text < self + sizeof(TTickwellItem);
            if (!inline_)
                descriptions += static_cast<long long>(malloc_usable_size(const_cast<char*>(text)));
        }
        perEvent = static_cast<double>(after - before - descriptions) / list->Count();
        delete list;
    }
    results.BytesPerEvent = perEvent;
    state.counters["bytes_per_event"] = perEvent;
}
BENCHMARK(BM_MemoryPerEvent)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    FixToday(EncodeDate(2026, 12, 6));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\nload+scan of %d events: %.2f ms, reading the bytes: %.2f ms, ratio %.2f "
                "(target <= 4)\n",
                kEvents, results.LoadMs, results.ReadMs, results.LoadScan);
    std::printf("save of %d events: %.2f ms, writing and syncing the bytes: %.2f ms, ratio %.2f "
                "(target <= 3)\n",
                kEvents, results.SaveMs, results.WriteMs, results.Save);
    std::printf("memory per loaded event beyond its description: %.1f bytes (target <= 200)\n",
                results.BytesPerEvent);
    std::error_code ec;
    std::filesystem::remove_all(Folder(), ec);
    return 0;
}
