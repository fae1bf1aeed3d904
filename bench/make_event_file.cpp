// Writes a data file of mixed events for measuring the program at scale:
//   make_event_file [--today YYYY-MM-DD] [--seed N] [--notice DAYS] COUNT FILE
#include "bench/EventFiles.h"
#include "core/Clock.h"
#include "core/DateFormat.h"
#include "core/Messages.h"
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: make_event_file [--today YYYY-MM-DD] [--seed N] "
                         "[--notice MAX_DAYS] COUNT FILE\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    TEventMix mix;
    std::string path;
    int operands = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--today" && hasValue) {
            TDateTime day = 0;
            if (!TryParseIsoDate(argv[++i], day))
                return Usage();
            FixToday(day);
        } else if (arg == "--seed" && hasValue) {
            mix.Seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        } else if (arg == "--notice" && hasValue) {
            mix.MaxNotice = std::atoi(argv[++i]);
        } else if (operands == 0) {
            mix.Count = std::atoi(arg.c_str());
            ++operands;
        } else if (operands == 1) {
            path = arg;
            ++operands;
        } else {
            return Usage();
        }
    }
    if (operands != 2 || mix.Count < 0 || mix.MaxNotice < 0)
        return Usage();
    try {
        WriteEventFile(path, mix);
    } catch (const TTickwellError& e) {
        std::fprintf(stderr, "make_event_file: %s\n", e.what());
        return 1;
    }
    return 0;
}
