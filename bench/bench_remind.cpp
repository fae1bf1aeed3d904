// tickwell-cli due against Remind on the same events, each a whole process
// as a shell prompt or a status bar starts it: 1,000, 100,000 and 1,000,000
// mixed events, each rule written for Remind as near as its language says it
// (a monthly rule every N months as a monthly one, the quarter days as four
// yearly ones), with the notice period as Remind's advance warning. The two
// run by turns, output to /dev/null; medians of the wall-clock times and the
// peak resident memory. Targets: due within 0.5 times Remind's time at 1,000
// events and 0.4 times at 100,000 and 1,000,000; at 1,000,000 a peak
// resident memory within 0.8 times the file's size. tickwell-cli-full, the
// whole program (tickwell-cli as it was), shows what the start without Qt,
// ICU and libical saves, in time and in memory. "cpu" is the ratio of the
// processor time the two took, which a busy machine disturbs less.
#include "Timing.h"
#include "bench/EventFiles.h"
#include "core/Clock.h"
#include "core/DateFormat.h"
#include "core/HalvaneDates.h"
#include "store/DataFile.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const char* const kToday = "2026-12-06";

struct TRun {
    double Seconds = 0;
    // User and system time: what a busy machine's waiting leaves out.
    double CpuSeconds = 0;
    double PeakBytes = 0;
};

double SecondsOf(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

// One whole process, its output to /dev/null.
TRun Exec(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& a : command)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    TRun r;
    r.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    r.CpuSeconds = SecondsOf(usage.ru_utime) + SecondsOf(usage.ru_stime);
    r.PeakBytes = static_cast<double>(usage.ru_maxrss) * 1024;
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 127) {
        std::fprintf(stderr, "%s could not be run\n", argv[0]);
        std::exit(1);
    }
    return r;
}

// Remind's message text takes % and [ as its own.
std::string RemindText(const std::string& description) {
    std::string text = description.substr(0, description.find("\r\n"));
    std::replace(text.begin(), text.end(), '[', '(');
    std::replace(text.begin(), text.end(), '%', '#');
    return text;
}

std::string RemindLine(const TTickwellItem& e) {
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const TYmd start = DecodeDate(e.StartDate);
    const std::string warn = " +" + std::to_string(e.NoticePeriod);
    const std::string span = " FROM " + IsoDate(e.StartDate) +
                             (e.NoEndPoint ? std::string() : " UNTIL " + IsoDate(e.EndDate));
    const std::string msg = " MSG " + RemindText(e.Description) + '\n';
    if (e.Simple)
        return "REM " + IsoDate(e.StartDate) + warn + msg;
    switch (e.EventType) {
    case etDaily:
    case etWeekly:
        return "REM " + IsoDate(e.StartDate) + " *" +
               std::to_string(e.Interval * (e.EventType == etDaily ? 1 : 7)) + warn +
               (e.NoEndPoint ? std::string() : " UNTIL " + IsoDate(e.EndDate)) + msg;
    case etMonthlyDate:
        return "REM " + std::to_string(start.Day) + warn + span + msg;
    case etMonthlyDay: {
        const std::string day = kDays[std::clamp(e.Weekday - 1, 0, 6)];
        return e.Rank >= 4
                   ? "REM " + day + " 1 --7" + warn + span + msg
                   : "REM " + day + ' ' + std::to_string(1 + 7 * e.Rank) + warn + span + msg;
    }
    case etYearly:
        return "REM " + std::to_string(start.Day) + ' ' + kMonths[start.Month - 1] + warn + span +
               msg;
    default: {
        std::string lines;
        for (const char* day : {"25 Mar", "24 Jun", "29 Sep", "25 Dec"})
            lines += std::string("REM ") + day + warn + span + msg;
        return lines;
    }
    }
}

void WriteRemindFile(const std::string& data, const std::string& path) {
    TMyList list;
    if (!LoadEvents(list, data))
        std::exit(1);
    std::ofstream out(path, std::ios::binary);
    for (const TTickwellItem* e : list.All())
        out << RemindLine(*e);
}

} // namespace

// bench_remind [COUNT...]: other numbers of events.
int main(int argc, char** argv) {
    std::vector<int> counts{1000, 100000, 1000000};
    if (argc > 1)
        counts.assign(argc - 1, 0);
    for (int i = 1; i < argc; ++i)
        counts[static_cast<size_t>(i - 1)] = std::atoi(argv[i]);
    // Never the real home folder.
    UseBenchHome();
    std::printf("%-9s %14s %14s %14s %7s %7s %7s  %s\n", "events", "tickwell-cli", "remind",
                "cli-full", "ratio", "target", "cpu", "peak memory / file size");
    for (const int count : counts) {
        FixToday(EncodeDate(2026, 12, 6));
        const std::string data = BenchFolder() + "/events-" + std::to_string(count) + ".dat";
        WriteEventFile(data, {.Count = count});
        const std::string reminders = BenchFolder() + "/events-" + std::to_string(count) + ".rem";
        WriteRemindFile(data, reminders);
        SetClockSource({});
        const int runs = count >= 1000000 ? 5 : count >= 100000 ? 11 : 31;
        std::vector<double> light, remind, full, ratios, cpuRatios, lightPeak, remindPeak, fullPeak;
        for (int i = 0; i < runs; ++i) {
            const TRun l = Exec({TICKWELL_CLI, "--data", data, "--date", kToday, "due"});
            const TRun r = Exec({"remind", "-q", reminders, kToday});
            const TRun f = Exec({TICKWELL_CLI_FULL, "--data", data, "--date", kToday, "due"});
            light.push_back(l.Seconds);
            remind.push_back(r.Seconds);
            full.push_back(f.Seconds);
            ratios.push_back(l.Seconds / r.Seconds);
            cpuRatios.push_back(l.CpuSeconds / r.CpuSeconds);
            lightPeak.push_back(l.PeakBytes);
            remindPeak.push_back(r.PeakBytes);
            fullPeak.push_back(f.PeakBytes);
        }
        const double dataSize = static_cast<double>(std::filesystem::file_size(data));
        const double remindSize = static_cast<double>(std::filesystem::file_size(reminders));
        std::printf(
            "%-9d %11.1f ms %11.1f ms %11.1f ms %7.2f %7s %7.2f  tickwell-cli %.2f of %.0f MB%s, "
            "cli-full %.2f, remind %.2f of %.0f MB\n",
            count, Median(light) * 1e3, Median(remind) * 1e3, Median(full) * 1e3, Median(ratios),
            count < 100000 ? "<= 0.5" : "<= 0.4", Median(cpuRatios), Median(lightPeak) / dataSize,
            dataSize / 1e6, count == 1000000 ? " (target <= 0.8)" : "", Median(fullPeak) / dataSize,
            Median(remindPeak) / remindSize, remindSize / 1e6);
        std::fflush(stdout);
        std::filesystem::remove(data);
        std::filesystem::remove(reminders);
    }
    return 0;
}
