// The sync folder at 10,000 events: filling a new folder (target: under
// 2 s) against writing the same files' bytes, a step in with nothing changed
// (target: under 10 ms) against loading the events, and how many items one
// edit writes (target: one). Baselines are timed in the same iterations.
#include "Timing.h"
#include "bench/EventFiles.h"
#include "core/Clock.h"
#include "ical/ICalExport.h"
#include "ical/VdirSync.h"
#include "store/DataFile.h"
#include "store/DataFileSync.h"
#include "store/EventBook.h"
#include "store/VdirState.h"
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kEvents = 10000;
using Clock = std::chrono::steady_clock;

struct TResults {
    std::vector<double> Fill, FillBase, StepIn, StepInBase;
    int WrittenByOneEdit = -1;
} results;

std::string FreshFolder(const std::string& name) {
    const std::string folder = BenchFolder() + "/" + name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

void BM_FillFolder(benchmark::State& state) {
    TEventBook book;
    book.MasterList.FileName = BenchEventFile(kEvents);
    LoadSynced(book.MasterList);
    std::vector<std::string> texts;
    for (const TTickwellItem* e : book.MasterList.All())
        texts.push_back(ICalItems(*e, VdirUid(*e)).front().Text);
    for (auto _ : state) {
        const std::string base = FreshFolder("base");
        const auto t0 = Clock::now();
        for (size_t i = 0; i < texts.size(); ++i)
            std::ofstream(base + "/" + std::to_string(i) + ".ics") << texts[i];
        const auto t1 = Clock::now();
        const std::string folder = FreshFolder("calendar");
        std::filesystem::remove(VdirStatePath(book.FileName()));
        const TVdirStep out = VdirOut(book.MasterList, folder, VdirStatePath(book.FileName()));
        const auto t2 = Clock::now();
        if (out.Written < kEvents)
            state.SkipWithError("not every event was written");
        results.FillBase.push_back(Ms(t1 - t0));
        results.Fill.push_back(Ms(t2 - t1));
        state.SetIterationTime(std::chrono::duration<double>(t2 - t1).count());
    }
}
BENCHMARK(BM_FillFolder)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_StepInUnchanged(benchmark::State& state) {
    TEventBook book;
    book.MasterList.FileName = BenchEventFile(kEvents);
    LoadSynced(book.MasterList);
    const std::string folder = BenchFolder() + "/calendar";
    const std::string statePath = VdirStatePath(book.FileName());
    VdirIn(book, folder, statePath); // notes the folder after the fill's writes
    for (auto _ : state) {
        const auto t0 = Clock::now();
        {
            TMyList list;
            LoadEvents(list, book.FileName());
        }
        const auto t1 = Clock::now();
        const TVdirStep in = VdirIn(book, folder, statePath);
        const auto t2 = Clock::now();
        if (in.Any())
            state.SkipWithError("an unchanged folder changed the events");
        results.StepInBase.push_back(Ms(t1 - t0));
        results.StepIn.push_back(Ms(t2 - t1));
        state.SetIterationTime(std::chrono::duration<double>(t2 - t1).count());
    }
    // One edit, one item.
    TVdirLink link(book, folder);
    TTickwellItem* e = book.MasterList.At(0);
    EventRecord rec;
    e->ToRecord(rec);
    rec.SetDescription(rec.Description() + " (edited)");
    book.Edit(e, rec);
    const std::string out = ReadVdirState(statePath, folder).LastOut;
    results.WrittenByOneEdit = std::atoi(out.c_str());
}
BENCHMARK(BM_StepInUnchanged)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    FixToday(EncodeDate(2026, 12, 6));
    UseBenchHome();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const auto& r = results;
    std::printf("\nfilling a sync folder with %d events: %.0f ms (target < 2000), writing the "
                "same files' bytes: %.0f ms (medians), ratio %.2f\n",
                kEvents, Median(r.Fill), Median(r.FillBase),
                Median(r.Fill) / std::max(Median(r.FillBase), 1e-9));
    std::printf("a step in with nothing changed: %.3f ms (target < 10), loading the events: "
                "%.2f ms (medians), ratio %.3f\n",
                Median(r.StepIn), Median(r.StepInBase),
                Median(r.StepIn) / std::max(Median(r.StepInBase), 1e-9));
    std::printf("items written by one edit: %d (target 1)\n", r.WrittenByOneEdit);
    return 0;
}
