// The settings file: what parses writes back in the same form and parses to
// the same registry; every value read in every way a window reads one.
#include "FuzzSupport.h"
#include "store/RegFileFormat.h"
#include "store/SettingsSchema.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TRegData first;
    std::vector<TRegFileSkip> skipped;
    std::string error;
    if (!ParseRegFile(text, first, skipped, error))
        return 0;
    const std::string written = FormatRegFile(first);
    TRegData second;
    FUZZ_CHECK(ParseRegFile(written, second, skipped, error) && skipped.empty());
    FUZZ_CHECK(second == first);
    FUZZ_CHECK(FormatRegFile(second) == written);

    for (const TRegData::TKey& key : first.Keys())
        for (const auto& [name, value] : key.Values) {
            std::uint32_t number;
            std::string textValue;
            double date;
            RegNumber(value, number);
            RegDate(value, date);
            if (RegText(value, textValue)) {
                std::int32_t n;
                ParseRegInteger(textValue, n);
                ParseIntList(textValue);
            }
        }
    return 0;
}
