#include "core/DateFormat.h"
#include "core/Clock.h"
#include "core/HalvaneDates.h"

#include <cctype>
#include <cmath>

namespace {

struct TTimeParts {
    int Hour;
    int Minute;
    int Second;
};

TTimeParts DecodeTime(TDateTime d) {
    if (!std::isfinite(d)) {
        return {0, 0, 0};
    }
    const double frac = std::fabs(d - std::trunc(d));
    long long ms = std::llround(frac * 86400000.0);
    // Rounding the last half millisecond up must not give hour 24.
    if (ms > 86399999) {
        ms = 86399999;
    }
    const long long secs = ms / 1000;
    return {static_cast<int>(secs / 3600), static_cast<int>(secs / 60 % 60),
            static_cast<int>(secs % 60)};
}

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

void AppendNumber(std::string& out, int value, int width) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width) {
        out.append(width - digits.size(), '0');
    }
    out += digits;
}

bool StartsWithNoCase(const std::string& s, size_t pos, const char* word) {
    for (size_t i = 0; word[i] != '\0'; ++i) {
        if (pos + i >= s.size() || Lower(s[pos + i]) != word[i]) {
            return false;
        }
    }
    return true;
}

// An "ampm" anywhere later in the pattern makes the hour a 12-hour one.
bool HasAmPmFrom(const std::string& pattern, size_t pos) {
    for (size_t k = pos; k < pattern.size(); ++k) {
        if (StartsWithNoCase(pattern, k, "ampm")) {
            return true;
        }
    }
    return false;
}

// A short or long date format that names itself must not recurse forever.
constexpr int kMaxNesting = 2;

void AppendFormatted(std::string& out, const std::string& pattern, TDateTime d,
                     const TFormatSettings& fs, int depth) {
    const TYmd ymd = DecodeDate(d);
    const TTimeParts time = DecodeTime(d);
    TDateTime decoded = 0;
    TryEncodeDate(ymd.Year, ymd.Month, ymd.Day, decoded);
    const int dow = DayOfWeek(decoded) - 1;
    // The last letter token, so that m after h means minutes ("hh:mm").
    char lastToken = '\0';

    size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        const char lc = Lower(c);
        if (c == '"' || c == '\'') {
            const size_t end = pattern.find(c, i + 1);
            const size_t stop = end == std::string::npos ? pattern.size() : end;
            out.append(pattern, i + 1, stop - i - 1);
            i = end == std::string::npos ? pattern.size() : end + 1;
            continue;
        }
        if (c == '/') {
            out += fs.DateSeparator;
            ++i;
            continue;
        }
        if (c == ':') {
            out += fs.TimeSeparator;
            ++i;
            continue;
        }
        if (lc == 'a' && StartsWithNoCase(pattern, i, "ampm")) {
            out += time.Hour < 12 ? fs.TimeAMString : fs.TimePMString;
            lastToken = 'a';
            i += 4;
            continue;
        }
        if (lc != 'd' && lc != 'm' && lc != 'y' && lc != 'h' && lc != 'n' && lc != 's') {
            out += c;
            if (std::isalpha(static_cast<unsigned char>(c))) {
                lastToken = lc;
            }
            ++i;
            continue;
        }
        size_t n = 1;
        while (i + n < pattern.size() && Lower(pattern[i + n]) == lc) {
            ++n;
        }
        switch (lc) {
        case 'd':
            if (n == 1) {
                AppendNumber(out, ymd.Day, 1);
            } else if (n == 2) {
                AppendNumber(out, ymd.Day, 2);
            } else if (n == 3) {
                out += fs.ShortDayNames[dow];
            } else if (n == 4) {
                out += fs.LongDayNames[dow];
            } else if (depth < kMaxNesting) {
                AppendFormatted(out, n == 5 ? fs.ShortDateFormat : fs.LongDateFormat, d, fs,
                                depth + 1);
            }
            break;
        case 'm':
            if (lastToken == 'h' && n <= 2) {
                AppendNumber(out, time.Minute, static_cast<int>(n));
            } else if (n <= 2) {
                AppendNumber(out, ymd.Month, static_cast<int>(n));
            } else if (n == 3) {
                out += fs.ShortMonthNames[ymd.Month - 1];
            } else {
                out += fs.LongMonthNames[ymd.Month - 1];
            }
            break;
        case 'y':
            if (n <= 2) {
                AppendNumber(out, ymd.Year % 100, 2);
            } else {
                AppendNumber(out, ymd.Year, 4);
            }
            break;
        case 'h': {
            int hour = time.Hour;
            if (HasAmPmFrom(pattern, i + n)) {
                hour %= 12;
                if (hour == 0) {
                    hour = 12;
                }
            }
            AppendNumber(out, hour, n == 1 ? 1 : 2);
            break;
        }
        case 'n':
            AppendNumber(out, time.Minute, n == 1 ? 1 : 2);
            break;
        case 's':
            AppendNumber(out, time.Second, n == 1 ? 1 : 2);
            break;
        default:
            break;
        }
        lastToken = lc;
        i += n;
    }
}

enum TDateOrder { doMDY, doDMY, doYMD };

TDateOrder DateOrderOf(const std::string& format) {
    for (const char c : format) {
        switch (Lower(c)) {
        case 'd':
            return doDMY;
        case 'm':
            return doMDY;
        case 'y':
            return doYMD;
        default:
            break;
        }
    }
    return doMDY;
}

void SkipBlanks(const std::string& s, size_t& pos) {
    while (pos < s.size() && s[pos] == ' ') {
        ++pos;
    }
}

// Digits are taken while the value is below 1000, so at most four of them
// count and a fifth is left over, which then fails the caller's next check.
bool ScanNumber(const std::string& s, size_t& pos, int& value) {
    SkipBlanks(s, pos);
    const size_t start = pos;
    int v = 0;
    while (pos < s.size() && v < 1000 && std::isdigit(static_cast<unsigned char>(s[pos]))) {
        v = v * 10 + (s[pos] - '0');
        ++pos;
    }
    if (pos == start) {
        return false;
    }
    value = v;
    return true;
}

bool ScanSeparator(const std::string& s, size_t& pos, char sep) {
    if (sep != ' ') {
        SkipBlanks(s, pos);
    }
    if (pos < s.size() && s[pos] == sep) {
        ++pos;
        return true;
    }
    return false;
}

// Up to two digits, no more than max.
bool ReadTwoDigits(const std::string& text, size_t& pos, int max, int& out) {
    const size_t start = pos;
    out = 0;
    while (pos < text.size() && pos - start < 2 && text[pos] >= '0' && text[pos] <= '9')
        out = out * 10 + (text[pos++] - '0');
    return pos > start && out <= max;
}

} // namespace

std::string FormatDateTime(const std::string& pattern, TDateTime d, const TFormatSettings& fs) {
    std::string out;
    AppendFormatted(out, pattern, d, fs, 0);
    return out;
}

std::string DateToStr(TDateTime d, const TFormatSettings& fs) {
    return FormatDateTime(fs.ShortDateFormat, d, fs);
}

bool TryStrToDate(const std::string& text, TDateTime& out, const TFormatSettings& fs) {
    size_t pos = 0;
    int n1 = 0;
    int n2 = 0;
    int n3 = 0;
    if (!ScanNumber(text, pos, n1) || !ScanSeparator(text, pos, fs.DateSeparator) ||
        !ScanNumber(text, pos, n2)) {
        return false;
    }
    const TDateOrder order = DateOrderOf(fs.ShortDateFormat);
    int y = 0;
    int m = 0;
    int d = 0;
    if (ScanSeparator(text, pos, fs.DateSeparator)) {
        if (!ScanNumber(text, pos, n3)) {
            return false;
        }
        switch (order) {
        case doDMY:
            d = n1, m = n2, y = n3;
            break;
        case doMDY:
            m = n1, d = n2, y = n3;
            break;
        case doYMD:
            y = n1, m = n2, d = n3;
            break;
        }
        if (y <= 99) {
            y += 1900;
        }
    } else {
        y = YearOf(Today());
        if (order == doDMY) {
            d = n1, m = n2;
        } else {
            m = n1, d = n2;
        }
    }
    SkipBlanks(text, pos);
    if (pos != text.size()) {
        return false;
    }
    return TryEncodeDate(y, m, d, out);
}

std::string IsoDate(TDateTime d) {
    const TYmd ymd = DecodeDate(d);
    std::string out;
    AppendNumber(out, ymd.Year, 4);
    out += '-';
    AppendNumber(out, ymd.Month, 2);
    out += '-';
    AppendNumber(out, ymd.Day, 2);
    return out;
}

bool TryParseIsoDate(const std::string& text, TDateTime& out) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return false;
    }
    int parts[3] = {0, 0, 0};
    const size_t starts[3] = {0, 5, 8};
    const size_t lengths[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p) {
        for (size_t k = 0; k < lengths[p]; ++k) {
            const char c = text[starts[p] + k];
            if (!std::isdigit(static_cast<unsigned char>(c))) {
                return false;
            }
            parts[p] = parts[p] * 10 + (c - '0');
        }
    }
    return TryEncodeDate(parts[0], parts[1], parts[2], out);
}

bool TryReadTimeOfDay(const std::string& text, TDateTime& out) {
    const char sep = FormatSettings().TimeSeparator;
    auto isSep = [&](size_t pos) {
        return pos < text.size() && (text[pos] == ':' || text[pos] == sep);
    };
    size_t pos = 0;
    int h = 0, m = 0, s = 0;
    if (!ReadTwoDigits(text, pos, 23, h) || !isSep(pos))
        return false;
    ++pos;
    if (!ReadTwoDigits(text, pos, 59, m))
        return false;
    if (isSep(pos)) {
        ++pos;
        if (!ReadTwoDigits(text, pos, 59, s))
            return false;
    }
    if (pos != text.size())
        return false;
    out = ((h * 60.0 + m) * 60.0 + s) / 86400.0;
    return true;
}
