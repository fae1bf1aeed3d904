#include "core/FormatSettings.h"

#include <cctype>

TFormatSettings& FormatSettings() {
    static TFormatSettings settings;
    return settings;
}

void SetFormatSettings(const TFormatSettings& settings) {
    FormatSettings() = settings;
}

std::string FixShortDateFormat(const std::string& systemFormat, char separator) {
    const char first =
        systemFormat.empty()
            ? '\0'
            : static_cast<char>(std::toupper(static_cast<unsigned char>(systemFormat[0])));
    const std::string sep(1, separator);
    if (first == 'M') {
        return "mm" + sep + "dd" + sep + "yyyy";
    }
    if (first == 'Y') {
        return "yyyy" + sep + "mm" + sep + "dd";
    }
    return "dd" + sep + "mm" + sep + "yyyy";
}
