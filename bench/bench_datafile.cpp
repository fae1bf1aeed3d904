// The data file at scale: load and due scan of 100,000 events against reading
// the file's bytes (target: at most 3x), saving them against writing and
// syncing the same bytes (target: at most 3x), the memory a loaded event
// costs beyond its description (target: at most 200 bytes), and the load
// with the companion file against reading the records alone (target: at
// most 1.3x), with the companion's size per event. Each benchmark
// times its own baseline in the same iterations, one right after the other;
// the ratio quoted is the median of the iterations' ratios, which a busy
// machine disturbs least.
#include "Timing.h"
#include "bench/CountingAllocator.h"
#include "bench/EventFiles.h"
#include "core/Clock.h"
#include "store/DataFile.h"
#include "store/EventFileReader.h"
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <malloc.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kEvents = 100000;
using Clock = std::chrono::steady_clock;

struct TPairs {
    std::vector<double> Base, Target;
    void Add(Clock::duration base, Clock::duration target) {
        Base.push_back(std::chrono::duration<double, std::milli>(base).count());
        Target.push_back(std::chrono::duration<double, std::milli>(target).count());
    }
    double Ratio() const {
        std::vector<double> r;
        for (size_t i = 0; i < Base.size(); ++i)
            r.push_back(Target[i] / Base[i]);
        return Median(r);
    }
};

// Processor time of the whole process, every thread counted.
double CpuMs() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct TResults {
    // The load's processor time against the read's: what the load costs
    // when the second core is busy elsewhere.
    std::vector<double> LoadCpu, ReadCpu;
    TPairs LoadScan, Save, Companion;
    std::vector<double> OldFile; // the same records with no companion
    double BytesPerEvent = 0;
    double CompanionBytesPerEvent = 0;
} results;

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
    const std::string path = BenchEventFile(kEvents);
    TScanList due;
    for (auto _ : state) {
        const double c0 = CpuMs();
        const auto t0 = Clock::now();
        {
            auto bytes = ReadBytes(path);
            benchmark::DoNotOptimize(bytes.Data.get());
        }
        const auto t1 = Clock::now();
        const double c1 = CpuMs();
        auto list = std::make_unique<TMyList>();
        list->Due = &due;
        LoadEvents(*list, path);
        list->Scan();
        const auto t2 = Clock::now();
        results.ReadCpu.push_back(c1 - c0);
        results.LoadCpu.push_back(CpuMs() - c1);
        const int count = list->Count();
        due.Clear();
        list.reset();
        // The allocator tidies up after many frees at its next large request:
        // let that happen here rather than in the next timed part.
        std::free(std::malloc(size_t{1} << 16));
        results.LoadScan.Add(t1 - t0, t2 - t1);
        state.SetIterationTime(std::chrono::duration<double>(t2 - t1).count());
        if (count != kEvents)
            state.SkipWithError("wrong count");
    }
    state.counters["baseline_ms"] = Median(results.LoadScan.Base);
    state.counters["ratio"] = results.LoadScan.Ratio();
}
BENCHMARK(BM_LoadAndScan)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_Save(benchmark::State& state) {
    const std::string path = BenchEventFile(kEvents);
    TMyList list;
    LoadEvents(list, path);
    const TBytes bytes = ReadBytes(path);
    const std::string plain = BenchFolder() + "/plain.dat";
    const std::string saved = BenchFolder() + "/saved.dat";
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
        results.Save.Add(t1 - t0, t2 - t1);
        state.SetIterationTime(std::chrono::duration<double>(t2 - t1).count());
    }
    state.counters["baseline_ms"] = Median(results.Save.Base);
    state.counters["ratio"] = results.Save.Ratio();
}
BENCHMARK(BM_Save)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LoadWithCompanion(benchmark::State& state) {
    const std::string path = BenchEventFile(kEvents);
    const std::string old = BenchFolder() + "/no-companion.dat";
    if (!std::filesystem::exists(CompanionPath(path))) {
        TMyList list;
        LoadEvents(list, path);
        SaveEvents(static_cast<const TListSorted&>(list), path);
    }
    std::filesystem::copy_file(path, old, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::remove(CompanionPath(old));
    results.CompanionBytesPerEvent =
        static_cast<double>(std::filesystem::file_size(CompanionPath(path))) / kEvents;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        {
            // The load as it is without a companion to link.
            std::vector<TTickwellItem*> items;
            std::vector<TRecordCheck> checks;
            ReadEventRecords(path, false, items, checks);
            TMyList list;
            list.AddSortedAll(items);
        }
        std::free(std::malloc(size_t{1} << 16));
        const auto t1 = Clock::now();
        {
            TMyList list;
            LoadEvents(list, path);
            if (list.Count() != kEvents)
                state.SkipWithError("wrong count");
        }
        std::free(std::malloc(size_t{1} << 16));
        const auto t2 = Clock::now();
        {
            TMyList list;
            LoadEvents(list, old);
        }
        std::free(std::malloc(size_t{1} << 16));
        const auto t3 = Clock::now();
        results.Companion.Add(t1 - t0, t2 - t1);
        results.OldFile.push_back(std::chrono::duration<double, std::milli>(t3 - t2).count());
        state.SetIterationTime(std::chrono::duration<double>(t2 - t1).count());
    }
    state.counters["ratio"] = results.Companion.Ratio();
}
BENCHMARK(BM_LoadWithCompanion)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_MemoryPerEvent(benchmark::State& state) {
    const std::string path = BenchEventFile(kEvents);
    double perEvent = 0;
    for (auto _ : state) {
        StartHeapCount();
        auto* list = new TMyList;
        LoadEvents(*list, path);
        const long long used = LiveHeapBytes();
        long long descriptions = 0;
        for (const TTickwellItem* e : list->All()) {
            const char* text = e->Description.data();
            const auto* self = reinterpret_cast<const char*>(e);
            const bool inline_ = text >= self && text < self + sizeof(TTickwellItem);
            if (!inline_)
                descriptions += static_cast<long long>(malloc_usable_size(const_cast<char*>(text)));
        }
        perEvent = static_cast<double>(used - descriptions) / list->Count();
        delete list;
        StopHeapCount();
    }
    results.BytesPerEvent = perEvent;
    state.counters["bytes_per_event"] = perEvent;
}
BENCHMARK(BM_MemoryPerEvent)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Freed memory stays with the process and is used again, by the baseline
    // and the load alike: what is timed is the work, not which of them the
    // allocator happens to hand fresh pages from the system.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    FixToday(EncodeDate(2026, 12, 6));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const auto& l = results.LoadScan;
    const auto& s = results.Save;
    std::printf("\nload+scan of %d events: %.2f ms, reading the bytes: %.2f ms (medians), "
                "ratio %.2f (target <= 3)\n",
                kEvents, Median(l.Target), Median(l.Base), l.Ratio());
    std::printf("  processor time of both (every thread): %.2f ms against %.2f ms (medians)\n",
                Median(results.LoadCpu), Median(results.ReadCpu));
    std::printf("save of %d events: %.2f ms, writing and syncing the bytes: %.2f ms (medians), "
                "ratio %.2f (target <= 3)\n",
                kEvents, Median(s.Target), Median(s.Base), s.Ratio());
    std::printf("memory per loaded event beyond its description: %.1f bytes (target <= 200)\n",
                results.BytesPerEvent);
    const auto& c = results.Companion;
    std::printf("load of %d events with their companion: %.2f ms, without linking one: %.2f ms "
                "(medians), ratio %.2f (target <= 1.3); the same records with no companion: "
                "%.2f ms; companion %.1f bytes per event\n",
                kEvents, Median(c.Target), Median(c.Base), c.Ratio(), Median(results.OldFile),
                results.CompanionBytesPerEvent);
    return 0;
}
