#pragma once
// Data files of mixed events for measuring: every repeat rule, starts up to
// 55 years back, descriptions of 8..70 characters (some with a second line or
// accented letters), acknowledgements as the editor sets them.
#include "core/DateTime.h"
#include <string>

struct TEventMix {
    int Count = 100000;
    unsigned Seed = 7;
    // Notice periods are drawn from 0..MaxNotice days: more notice, more due
    // events.
    int MaxNotice = 30;
};

// Writes the file in master-list order as of the clock's today, replacing what
// was there. Throws TTickwellError when it cannot be written.
void WriteEventFile(const std::string& path, const TEventMix& mix);

// A folder under $TMPDIR (default /tmp) for this process's files, removed at
// exit.
const std::string& BenchFolder();
// Points TICKWELL_HOME and the XDG data and settings folders at a folder in
// BenchFolder(), so a benchmark never touches the real home folder.
void UseBenchHome();
// The file of `count` events in BenchFolder(), made on the first call.
std::string BenchEventFile(int count);
