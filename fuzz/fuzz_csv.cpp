// Comma-separated files as the import reads them: the events read export to
// a file that imports as the same events.
#include "FuzzSupport.h"
#include "core/TickwellItem.h"
#include "store/Csv.h"
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FixTheDay();
    const std::string path =
        fuzz::WriteScratch("in.csv", {reinterpret_cast<const char*>(data), size});
    std::vector<EventRecord> first;
    if (!ParseImportFile(path, first))
        return 0;

    std::vector<std::string> lines;
    for (const EventRecord& rec : first)
        lines.push_back(TTickwellItem(rec).ToCsvLine());
    std::string error;
    const std::string saved = fuzz::ScratchFile("out.csv");
    FUZZ_CHECK(WriteCsvFile(saved, lines, (size & 1) != 0, error));
    std::vector<EventRecord> second;
    FUZZ_CHECK(ParseImportFile(saved, second));
    FUZZ_CHECK(second.size() == first.size());
    for (size_t i = 0; i < first.size(); ++i)
        fuzz::CheckSameRecord(second[i], first[i]);
    return 0;
}
