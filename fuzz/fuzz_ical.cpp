// iCalendar files of any calendar program: the events read export as a file
// that reads as the same events.
#include "FuzzSupport.h"
#include "core/Messages.h"
#include "ical/ICalExport.h"
#include "ical/ICalImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FixTheDay();
    TICalContents first;
    try {
        first = ReadICalendar({reinterpret_cast<const char*>(data), size}, TICalDefaults{});
    } catch (const TTickwellError&) {
        return 0;
    }
    TMyList list;
    for (const TICalEvent& e : first.Events)
        list.AddSorted(new TTickwellItem(e.Record));
    TICalContents second;
    try {
        second = ReadICalendar(ICalendarText(list), TICalDefaults{});
    } catch (const TTickwellError& e) {
        std::fprintf(stderr, "the export does not read back: %s\n", e.what());
        std::abort();
    }
    FUZZ_CHECK(second.Events.size() == first.Events.size());
    for (size_t i = 0; i < static_cast<size_t>(list.Count()); ++i) {
        EventRecord rec;
        list[static_cast<int>(i)]->ToRecord(rec);
        fuzz::CheckSameRecord(second.Events[i].Record, rec);
    }
    return 0;
}
