// The companion beside a data file, as any other program may leave it: it
// never changes what the records say, gives every event an id of its own,
// and what loads saves back and loads with the same ids and texts.
#include "FuzzSupport.h"
#include "core/EventId.h"
#include "core/EventLists.h"
#include "store/DataFile.h"
#include <set>
#include <vector>

namespace {

// Three records: two that the companion may give a longer text, and one
// that holds its text exactly.
const char* const kTexts[] = {"Γενέθλια 生日", "Dentist", "Caf\xc3\xa9 \xe2\x82\xac"};

std::vector<std::string> Seen(const TListSorted& list) {
    std::vector<std::string> out;
    for (const TTickwellItem* e : list.All())
        out.push_back(FormatEventId(e->Id) + "\t" + e->Description);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FixTheDay();
    const std::string path = fuzz::ScratchFile("in.dat");
    {
        TMyList records;
        for (int i = 0; i < 3; ++i) {
            EventRecord rec;
            DefaultRecord(rec);
            rec.SetDescription(kTexts[i]);
            rec.StartDate = EncodeDate(2026, 3, 10 + i);
            records.AddSorted(new TTickwellItem(rec));
        }
        WriteEventsFile(records, path, nullptr);
    }
    fuzz::WriteScratch("in.dat.ext", {reinterpret_cast<const char*>(data), size});

    TMyList first;
    FUZZ_CHECK(LoadEvents(first, path));
    FUZZ_CHECK(first.Count() == 3);
    std::set<std::uint64_t> ids;
    EventRecord rec, stored;
    for (int i = 0; i < 3; ++i) {
        FUZZ_CHECK(first[i]->Id != 0);
        ids.insert(first[i]->Id);
        first[i]->ToRecord(rec);
        stored.SetDescription(kTexts[i]);
        FUZZ_CHECK(std::string_view(rec.DescriptionBytes, rec.DescriptionLength) ==
                   std::string_view(stored.DescriptionBytes, stored.DescriptionLength));
    }
    FUZZ_CHECK(ids.size() == 3);

    const std::string saved = fuzz::ScratchFile("out.dat");
    WriteEventsFile(first, saved, nullptr);
    TMyList second;
    FUZZ_CHECK(LoadEvents(second, saved));
    FUZZ_CHECK(Seen(second) == Seen(first));
    return 0;
}
