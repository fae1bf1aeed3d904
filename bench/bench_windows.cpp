// The windows at 100,000 events, offscreen: the main window built and its list
// shown against loading and scanning the file (target: at most 3 times);
// sorting by each column, changing a filter (with the list sorted by its
// descriptions), a find over every row, acknowledging one event with its
// save, and switching the due-events window's date style with some 50,000
// due rows (each target: under 100 ms, also given as a share of the load
// measured in the same run); and the heap an event costs beyond its
// description with both windows open (target: at most 400 bytes). Every
// timed action ends with the list painted.
#include "Timing.h"
#include "bench/EventFiles.h"
#include "core/Clock.h"
#include "core/EventLists.h"
#include "core/Messages.h"
#include "store/DataFile.h"
#include "store/EventBook.h"
#include "ui/EventBookSignals.h"
#include "ui/EventTableModel.h"
#include "ui/FrmFind.h"
#include "ui/FrmMain.h"
#include "ui/FrmScan.h"
#include "ui/WindowState.h"
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QTest>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <malloc.h>
#include <string>
#include <vector>

namespace {

// 100,000 events, or as many as $TICKWELL_BENCH_EVENTS asks for.
int Events() {
    static const int count = [] {
        const char* asked = std::getenv("TICKWELL_BENCH_EVENTS");
        return asked && std::atoi(asked) > 0 ? std::atoi(asked) : 100000;
    }();
    return count;
}
// Notice periods up to this many days make about half the events due.
constexpr int kMaxNotice = 51;
using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

const std::string& DataFile() {
    static const std::string path = [] {
        const std::string p = BenchFolder() + "/windows.dat";
        WriteEventFile(p, {.Count = Events(), .MaxNotice = kMaxNotice});
        return p;
    }();
    return path;
}

// The book the windows are measured on, made anew for each measurement.
std::unique_ptr<TEventBook> Book;
std::unique_ptr<TEventBookSignals> Signals;

void FreeLists() {
    Signals.reset();
    Book.reset();
}

// Fresh lists loaded from the file and scanned, as at start-up.
void LoadLists(const std::string& path) {
    Book = std::make_unique<TEventBook>();
    Signals = std::make_unique<TEventBookSignals>(*Book);
    Book->MasterList.FileName = path;
    LoadEvents(Book->MasterList, path);
    Book->MasterList.Scan();
}

// The baseline: the time to load and scan the file.
double LoadMs() {
    FreeLists();
    const auto t0 = Clock::now();
    LoadLists(DataFile());
    return MsSince(t0);
}

// Layout and paint of the list as the event loop would do them next.
void Shown(QAbstractItemView* view) {
    QCoreApplication::processEvents();
    view->viewport()->repaint();
}

struct TFigure {
    std::vector<double> Ms;
    std::vector<double> Load;
};
// In the order first recorded.
std::vector<std::pair<std::string, TFigure>> figures;
std::vector<double> loads;
double bytesPerEvent = 0;

void Record(const std::string& name, double ms, double load) {
    auto it = std::find_if(figures.begin(), figures.end(),
                           [&](const auto& f) { return f.first == name; });
    if (it == figures.end())
        it = figures.insert(figures.end(), {name, {}});
    it->second.Ms.push_back(ms);
    it->second.Load.push_back(load);
}

void BM_MainWindowShown(benchmark::State& state) {
    for (auto _ : state) {
        const double load = LoadMs();
        loads.push_back(load);
        const auto t0 = Clock::now();
        auto* w = new TMainFrm(*Signals);
        w->show();
        Shown(w->ListView());
        const double ms = MsSince(t0);
        Record("main window shown", ms, load);
        state.SetIterationTime(ms / 1000);
        delete w;
    }
}
BENCHMARK(BM_MainWindowShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The main window over a freshly loaded list.
struct TMainWindow {
    double Load = LoadMs();
    TMainFrm* W = new TMainFrm(*Signals);
    TMainWindow() {
        loads.push_back(Load);
        W->show();
        Shown(W->ListView());
    }
    ~TMainWindow() { delete W; }
    void ClickHeader(int column) {
        QHeaderView* h = W->ListView()->header();
        const int x = h->sectionViewportPosition(column) + h->sectionSize(column) / 2;
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(x, h->height() / 2));
    }
    double Timed(const std::function<void()>& action) {
        const auto t0 = Clock::now();
        action();
        Shown(W->ListView());
        return MsSince(t0);
    }
};

const char* const kColumns[] = {"Event Description", "Date", "When", "Type", "Interval",
                                "Last Acknowledged"};

void BM_SortByColumn(benchmark::State& state) {
    for (auto _ : state) {
        TMainWindow m;
        double worst = 0;
        for (int c = 0; c < 6; ++c) {
            const double ms = m.Timed([&] { m.ClickHeader(c); });
            Record(std::string("sort by ") + kColumns[c], ms, m.Load);
            worst = std::max(worst, ms);
        }
        state.SetIterationTime(worst / 1000);
    }
}
BENCHMARK(BM_SortByColumn)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ChangeFilter(benchmark::State& state) {
    for (auto _ : state) {
        TMainWindow m;
        m.ClickHeader(0);
        Shown(m.W->ListView());
        const double daily = m.Timed([&] { m.W->ViewMenuClick(2); });
        const double all = m.Timed([&] { m.W->ViewMenuClick(0); });
        const double old = m.Timed([&] { m.W->FilterMainClick(); });
        Record("filter: Daily, sorted by description", daily, m.Load);
        Record("filter: All, sorted by description", all, m.Load);
        Record("filter: old events, sorted by description", old, m.Load);
        state.SetIterationTime(std::max({daily, all, old}) / 1000);
    }
}
BENCHMARK(BM_ChangeFilter)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FindEveryRow(benchmark::State& state) {
    for (auto _ : state) {
        TMainWindow m;
        TFindDlg dlg(m.W, m.W->ListView());
        dlg.show();
        // Found nowhere: every row is read.
        dlg.FindText->setText(QStringLiteral("\xc3\xa9zz"));
        const double ms = m.Timed([&] { dlg.FindBtnClick(); });
        Record("find over every row", ms, m.Load);
        state.SetIterationTime(ms / 1000);
    }
}
BENCHMARK(BM_FindEveryRow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// Both windows open; the due-events window's first row acknowledged with
// Alt+K, which saves the file, scans again and updates both windows.
void BM_AcknowledgeOne(benchmark::State& state) {
    TMainWindow m;
    TScanFrm* due = ShowDueEventsWindow(*Signals);
    QAbstractItemView* view = due->ScanListView;
    Shown(view);
    for (auto _ : state) {
        view->setCurrentIndex(view->model()->index(0, 0));
        const auto t0 = Clock::now();
        QTest::keyClick(view, Qt::Key_K, Qt::AltModifier);
        Shown(view);
        Shown(m.W->ListView());
        const double ms = MsSince(t0);
        Record("acknowledge one event (with its save)", ms, m.Load);
        state.SetIterationTime(ms / 1000);
        // The save alone, which the acknowledgement begins with.
        const auto s0 = Clock::now();
        SaveEvents(Book->MasterList, Book->MasterList.FileName);
        Record("  of which the save of the file", MsSince(s0), m.Load);
    }
    delete due;
}
BENCHMARK(BM_AcknowledgeOne)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DueDateStyle(benchmark::State& state) {
    const double load = LoadMs();
    loads.push_back(load);
    TScanFrm* due = ShowDueEventsWindow(*Signals);
    QAbstractItemView* view = due->ScanListView;
    Shown(view);
    state.counters["due_rows"] = view->model()->rowCount();
    for (auto _ : state) {
        const auto t0 = Clock::now();
        due->LongDateAction->trigger();
        Shown(view);
        const double ms = MsSince(t0);
        Record("due window: switch the date style", ms, load);
        state.SetIterationTime(ms / 1000);
    }
    delete due;
}
BENCHMARK(BM_DueDateStyle)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

size_t HeapInUse() {
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

// The heap of the lists and both windows open on them, less the
// descriptions' own bytes.
double HeapWithWindows(const std::string& path, int& count) {
    FreeLists();
    malloc_trim(0);
    const size_t before = HeapInUse();
    LoadLists(path);
    auto* main = new TMainFrm(*Signals);
    main->show();
    Shown(main->ListView());
    TScanFrm* due = ShowDueEventsWindow(*Signals);
    Shown(due->ScanListView);
    // Each list's index of its rows, made by the first command that looks a
    // row up, counts too.
    main->ListView()->Rows()->RowOf(nullptr);
    due->ScanListView->Rows()->RowOf(nullptr);
    const size_t after = HeapInUse();
    size_t descriptions = 0;
    for (const TTickwellItem* e : Book->MasterList.All()) {
        const char* text = e->Description.data();
        const auto* self = reinterpret_cast<const char*>(e);
        if (text < self || text >= self + sizeof(TTickwellItem))
            descriptions += malloc_usable_size(const_cast<char*>(text));
    }
    count = Book->MasterList.Count();
    delete due;
    delete main;
    FreeLists();
    return static_cast<double>(after - before) - static_cast<double>(descriptions);
}

// What each further event costs: the heap at 100,000 events less the heap
// of the same windows over an empty list.
void BM_MemoryPerEvent(benchmark::State& state) {
    for (auto _ : state) {
        int none = 0;
        int count = 0;
        HeapWithWindows(BenchFolder() + "/none.dat", none);
        const double empty = HeapWithWindows(BenchFolder() + "/none.dat", none);
        const double full = HeapWithWindows(DataFile(), count);
        bytesPerEvent = (full - empty) / count;
    }
    state.counters["bytes_per_event"] = bytesPerEvent;
}
BENCHMARK(BM_MemoryPerEvent)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Never the real home folder, and no screen needed.
    UseBenchHome();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    FixToday(EncodeDate(2026, 12, 6));
    // Notices ("not found!") are never shown, and questions say yes.
    SetMessageHandlers({[](const std::string&, TMsgKind) {},
                        [](const std::string&) { return anYes; },
                        [](const std::string&) { return anOk; }, [] {}, [] {}});
    QApplication app(argc, argv);
    // Texts sort as on an English desktop, through the collator, not by
    // their character codes as in the C locale.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    // The offscreen platform's remarks on what it cannot do.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtWarningMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    StartMode = smTray;
    DataFile();
    std::fclose(std::fopen((BenchFolder() + "/none.dat").c_str(), "w"));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\n%d events; load and scan of the file: %.1f ms (median)\n", Events(),
                Median(loads));
    for (const auto& [name, f] : figures) {
        std::vector<double> ratios;
        for (size_t i = 0; i < f.Ms.size(); ++i)
            ratios.push_back(f.Ms[i] / f.Load[i]);
        const char* target = name == "main window shown" ? " (target <= 3)"
                             : name.starts_with(' ')     ? ""
                                                         : " (target under 100 ms)";
        std::printf("%-44s %9.1f ms (median), %.2f times the load%s\n", name.c_str(), Median(f.Ms),
                    Median(ratios), target);
    }
    if (bytesPerEvent > 0)
        std::printf("heap per event beyond its description, both windows open: %.0f bytes "
                    "(target <= 400)\n",
                    bytesPerEvent);
    return 0;
}
