// Every day of one month asked of 10,000 mixed events (the calendar's
// question), with starts up to 60 years back. Target: under 10 ms.
#include "core/Clock.h"
#include "core/HalvaneDates.h"
#include "core/TickwellItem.h"
#include <benchmark/benchmark.h>
#include <memory>
#include <random>
#include <vector>

namespace {

std::vector<std::unique_ptr<TTickwellItem>> MixedEvents(int n, double today) {
    std::mt19937 rng(42);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::vector<std::unique_ptr<TTickwellItem>> out;
    for (int i = 0; i < n; ++i) {
        EventRecord r;
        r.Simple = pick(0, 6) == 0;
        r.EventType = static_cast<uint8_t>(pick(0, 5));
        r.StartDate = today - pick(0, 60 * 365);
        r.EndDate = AddYears(100, r.StartDate);
        r.Interval = static_cast<int16_t>(pick(1, 3));
        r.Rank = static_cast<int16_t>(r.EventType == etMonthlyDay ? pick(0, 4) : pick(0, 23));
        r.Weekday = static_cast<int16_t>(pick(1, 7));
        r.NoticePeriod = 7;
        out.push_back(std::make_unique<TTickwellItem>(r));
    }
    return out;
}

void BM_OccursOnMonth(benchmark::State& state) {
    const double today = EncodeDate(2026, 12, 6);
    FixToday(today);
    const auto events = MixedEvents(10000, today);
    const double first = FirstDayOfMonth(today);
    const int days = DaysInMonthOf(today);
    for (auto _ : state) {
        int hits = 0;
        for (int d = 0; d < days; ++d)
            for (const auto& e : events)
                hits += e->OccursOn(first + d);
        benchmark::DoNotOptimize(hits);
    }
    state.counters["target_ms"] = 10;
}
BENCHMARK(BM_OccursOnMonth)->Unit(benchmark::kMillisecond);

void BM_Recalc(benchmark::State& state) {
    const double today = EncodeDate(2026, 12, 6);
    FixToday(today);
    auto events = MixedEvents(10000, today);
    for (auto _ : state)
        for (auto& e : events)
            e->Recalc();
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(events.size()));
}
BENCHMARK(BM_Recalc)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
