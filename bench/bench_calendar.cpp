// The calendar window's month view at scale: a full refresh (which days are
// marked, the events of each cell, the repaint of every cell with its lines)
// of 10,000 and of 100,000 mixed events, and the week lists and due list the
// window refreshes with it. Targets: the month view within one frame (16 ms)
// at 10,000 events and within 100 ms at 100,000; the ratio printed is the
// median refresh against one frame.
#include "Timing.h"
#include "bench/EventFiles.h"
#include "core/Clock.h"
#include "core/EventLists.h"
#include "store/DataFile.h"
#include "store/EventBook.h"
#include "ui/CalDueList.h"
#include "ui/EventBookSignals.h"
#include "ui/FrmCal.h"
#include "ui/MyCal.h"
#include <QApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <map>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kFrameMs = 16.0;

struct TFigures {
    std::vector<double> Month, Rest, Week;
};
std::map<int, TFigures> results;

// The master list of `count` events and a calendar window on it, shown on
// December 2026 with its busiest settings (text wrapped in the cells).
struct TSetup {
    TEventBook Book;
    TEventBookSignals Events{Book};
    TCalFrm* Window = nullptr;
    explicit TSetup(int count) {
        FixToday(EncodeDate(2026, 12, 6));
        LoadEvents(Book.MasterList, BenchEventFile(count));
        Window = new TCalFrm(Events);
        Window->resize(1000, 760);
        Window->show();
        QApplication::processEvents();
    }
    ~TSetup() { delete Window; }
};

void BM_MonthRefresh(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    TSetup setup(count);
    TFigures& f = results[count];
    for (auto _ : state) {
        const auto t0 = Clock::now();
        setup.Window->MarkMonth();
        setup.Window->Cal->repaint();
        const auto t1 = Clock::now();
        setup.Window->FillWeek();
        const auto tw = Clock::now();
        setup.Window->FillDueEvents();
        const auto t2 = Clock::now();
        f.Week.push_back(Ms(tw - t1));
        f.Month.push_back(Ms(t1 - t0));
        f.Rest.push_back(Ms(t2 - t1));
    }
    state.counters["month_ms"] = Median(f.Month);
    state.counters["ratio_to_frame"] = Median(f.Month) / kFrameMs;
    state.counters["week_ms"] = Median(f.Week);
    state.counters["week_and_due_ms"] = Median(f.Rest);
    state.counters["due_rows"] = setup.Window->DueEvents->RowCount();
}
BENCHMARK(BM_MonthRefresh)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\nCalendar month view, full refresh (median):\n");
    for (const auto& [count, f] : results) {
        const double target = count <= 10000 ? kFrameMs : 100.0;
        const double month = Median(f.Month);
        std::printf("  %7d events: %6.2f ms = %.2f frames (target %.2f: %s); then the week "
                    "lists %.2f ms, the due list %.2f ms\n",
                    count, month, month / kFrameMs, target / kFrameMs,
                    month <= target ? "met" : "MISSED", Median(f.Week),
                    Median(f.Rest) - Median(f.Week));
    }
    return 0;
}
