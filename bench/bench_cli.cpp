// tickwell-cli over 1,000,000 events: due, due --json, list and month, each
// against the command line loading and scanning the same file (an ack of an
// event that is not due: it loads, scans and writes one line), run one right
// after the other in the same iterations. Targets: each command within 3 times
// its baseline, and its heap at its peak within 1.5 times the file's size.
// Output goes to /dev/null, the way a pipe takes it.
#include "Timing.h"
#include "bench/CountingAllocator.h"
#include "bench/EventFiles.h"
#include "cli/RunCli.h"
#include "core/Clock.h"
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kEvents = 1000000;
const char* const kToday = "2026-12-06";
using Clock = std::chrono::steady_clock;

struct TFigures {
    std::vector<double> Base, Target;
    double PeakBytes = 0;
};
std::map<std::string, TFigures> results;
double baselinePeak = 0;

const std::string& DataFile() {
    static const std::string path = [] {
        FixToday(EncodeDate(2026, 12, 6));
        std::string p = BenchEventFile(kEvents);
        SetClockSource({});
        return p;
    }();
    return path;
}

std::vector<std::string> Args(const std::string& command) {
    std::vector<std::string> args{"--data", DataFile(), "--date", kToday};
    std::istringstream words(command);
    for (std::string w; words >> w;)
        args.push_back(w);
    return args;
}

// The first event of the list is long past and acknowledged.
const char* const kBaseline = "ack 0";

double RunMs(const std::string& command) {
    std::ofstream out("/dev/null");
    std::istringstream in;
    std::ostringstream err;
    const auto t0 = Clock::now();
    RunCli(Args(command), in, out, err, false);
    out.flush();
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

double PeakOf(const std::string& command) {
    StartHeapCount();
    RunMs(command);
    StopHeapCount();
    return static_cast<double>(PeakHeapBytes());
}

void BM_Cli(benchmark::State& state, const std::string& command) {
    TFigures& f = results[command];
    for (auto _ : state) {
        const double base = RunMs(kBaseline);
        const double target = RunMs(command);
        f.Base.push_back(base);
        f.Target.push_back(target);
        state.SetIterationTime(target / 1000);
    }
    f.PeakBytes = PeakOf(command);
    if (baselinePeak == 0)
        baselinePeak = PeakOf(kBaseline);
    std::vector<double> ratios;
    for (size_t i = 0; i < f.Base.size(); ++i)
        ratios.push_back(f.Target[i] / f.Base[i]);
    state.counters["baseline_ms"] = Median(f.Base);
    state.counters["ratio"] = Median(ratios);
}

} // namespace

int main(int argc, char** argv) {
    // Never the real home folder.
    UseBenchHome();
    DataFile();
    for (const char* command : {"due", "due --json", "list", "month 2026-12"})
        benchmark::RegisterBenchmark(command, BM_Cli, std::string(command))
            ->UseManualTime()
            ->Iterations(5)
            ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double fileBytes = static_cast<double>(std::filesystem::file_size(DataFile()));
    std::printf("\n%d events, %.0f MB file; baseline: load and scan (%s), heap at its peak %.2f "
                "times the file\n",
                kEvents, fileBytes / 1e6, kBaseline, baselinePeak / fileBytes);
    for (const auto& [command, f] : results) {
        std::vector<double> ratios;
        for (size_t i = 0; i < f.Base.size(); ++i)
            ratios.push_back(f.Target[i] / f.Base[i]);
        std::printf("%-14s %8.0f ms, baseline %6.0f ms (medians), ratio %.2f (target <= 3); heap "
                    "at its peak %.2f times the file (target <= 1.5)\n",
                    command.c_str(), Median(f.Target), Median(f.Base), Median(ratios),
                    f.PeakBytes / fileBytes);
    }
    return 0;
}
