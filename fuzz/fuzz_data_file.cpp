// The event data file (and backups and merged files, which share its form):
// what loads saves back and loads as the same events.
#include "FuzzSupport.h"
#include "core/EventLists.h"
#include "store/DataFile.h"
#include <algorithm>
#include <vector>

namespace {

std::vector<std::string> Packed(const TListSorted& list) {
    std::vector<std::string> out;
    EventRecord rec;
    unsigned char bytes[kRecordSize];
    for (const TTickwellItem* e : list.All()) {
        e->ToRecord(rec);
        PackRecord(rec, bytes);
        out.emplace_back(reinterpret_cast<const char*>(bytes), kRecordSize);
    }
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FixTheDay();
    // An odd byte in front of whole records: a file of the version before 4.0,
    // as a merge reads it.
    const bool old = size % kRecordSize == 1;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (old)
        bytes.remove_prefix(1);
    const std::string path = fuzz::WriteScratch("in.dat", bytes);

    TScanList due;
    TMyList first;
    first.Due = &due;
    const bool whole = LoadEvents(first, path, old);
    first.Scan();
    if (!whole && first.Empty())
        return 0;

    const std::string saved = fuzz::ScratchFile("out.dat");
    SaveEvents(first, saved);
    TMyList second;
    FUZZ_CHECK(LoadEvents(second, saved));
    FUZZ_CHECK(Packed(second) == Packed(first));
    return 0;
}
