// Dates typed or read as text, in each order of day, month and year the
// system may give and with each separator: a text that reads as a date
// writes back as one that reads as the same date.
#include "FuzzSupport.h"
#include "core/DateFormat.h"
#include "core/HalvaneDates.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    static const char* const kOrders[] = {"dd/mm/yyyy", "mm/dd/yyyy", "yyyy/mm/dd"};
    static const char kSeparators[] = {'/', '-', '.', ' '};
    TFormatSettings fs;
    fs.ShortDateFormat = kOrders[data[0] % 3];
    fs.DateSeparator = kSeparators[(data[0] / 3) % 4];
    SetFormatSettings(fs);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    IsValidDateString(text);
    TDateTime date;
    if (TryStrToDate(text, date)) {
        TDateTime again;
        FUZZ_CHECK(TryStrToDate(DateToStr(date), again));
        FUZZ_CHECK(again == date);
    }
    if (TryParseIsoDate(text, date)) {
        TDateTime again;
        FUZZ_CHECK(TryParseIsoDate(IsoDate(date), again));
        FUZZ_CHECK(again == date);
    }
    return 0;
}
