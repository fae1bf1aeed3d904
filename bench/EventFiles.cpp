#include "bench/EventFiles.h"
#include "core/Clock.h"
#include "core/EventLists.h"
#include "core/HalvaneDates.h"
#include "store/DataFile.h"
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <unistd.h>

void WriteEventFile(const std::string& path, const TEventMix& mix) {
    const double today = Today();
    std::mt19937 rng(mix.Seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    static const char* const kExtras[] = {
        "",
        "",
        "",
        "",
        "",
        " \xce\x93\xce\xb5\xce\xbd\xce\xad\xce\xb8\xce\xbb\xce\xb9\xce\xb1",
        " caf\xc3\xa9",
        " \xe2\x80\x93 note",
        "\r\nsecond line",
        "\r\nmore\r\nlines"};
    std::vector<TTickwellItem*> items;
    items.reserve(static_cast<size_t>(mix.Count));
    for (int i = 0; i < mix.Count; ++i) {
        EventRecord r;
        std::string desc = "Event " + std::to_string(i) + " ";
        desc.append(static_cast<size_t>(pick(0, 50)), static_cast<char>('a' + pick(0, 25)));
        desc += kExtras[pick(0, 9)];
        r.SetDescription(desc);
        r.Simple = pick(0, 6) == 0;
        r.EventType = static_cast<uint8_t>(pick(0, 5));
        r.StartDate = today - pick(0, 55 * 365);
        r.EndDate = r.Simple ? r.StartDate : AddYears(100, r.StartDate);
        r.Interval = static_cast<int16_t>(pick(1, 3));
        r.Rank = static_cast<int16_t>(r.EventType == etMonthlyDay ? pick(0, 4) : pick(0, 23));
        r.Weekday = static_cast<int16_t>(pick(1, 7));
        r.NoticePeriod = static_cast<int16_t>(pick(0, mix.MaxNotice));
        r.KeepFlag = pick(0, 1);
        r.NoEndPoint = 1;
        // As the editor and the import create them.
        auto* e = new TTickwellItem(r);
        AckPastOnCreate(*e);
        items.push_back(e);
    }
    TMyList list;
    list.AddSortedAll(items);
    SaveEvents(list, path);
}

namespace {

void RemoveBenchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(BenchFolder(), ec);
}

} // namespace

const std::string& BenchFolder() {
    static const std::string folder = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string tmpl = std::string(tmp && *tmp ? tmp : "/tmp") + "/tickwell-bench-XXXXXX";
        if (!mkdtemp(tmpl.data()))
            std::abort();
        return tmpl;
    }();
    // Registered once the name exists, so the removal runs before the name is
    // destroyed at exit.
    static const bool removedAtExit = std::atexit(RemoveBenchFolder) == 0;
    (void)removedAtExit;
    return folder;
}

std::string BenchEventFile(int count) {
    static std::map<int, std::string> made;
    auto& path = made[count];
    if (path.empty()) {
        path = BenchFolder() + "/events-" + std::to_string(count) + ".dat";
        WriteEventFile(path, {.Count = count});
    }
    return path;
}

void UseBenchHome() {
    const std::string home = BenchFolder() + "/home";
    std::filesystem::create_directories(home);
    setenv("TICKWELL_HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    setenv("XDG_DATA_HOME", home.c_str(), 1);
}
