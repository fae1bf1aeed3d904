#include "store/Csv.h"
#include "core/Cp1252.h"
#include "core/DateFormat.h"
#include "core/HalvaneDates.h"
#include "store/AtomicFile.h"
#include <cerrno>
#include <charconv>
#include <cstdint>

namespace {

bool IsBlank(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

// A decimal integer as the 32-bit conversion reads it: optional sign, digits,
// nothing else (blanks around it allowed).
bool ParseInt(std::string_view text, int32_t& out) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || text.front() == '+')
        return false;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end;
}

int16_t Low16(int32_t v) {
    return static_cast<int16_t>(static_cast<uint16_t>(v));
}

bool IsTrue(const std::string& v) {
    return v[0] == 'T' || v[0] == 't';
}

} // namespace

const std::string& CsvHeaderLine() {
    static const std::string header =
        "\"EVENT DESCRIPTION\",\"START DATE\",\"TYPE\",\"SIMPLE\",\"INTERVAL\",\"END "
        "DATE\",\"NOTICE PERIOD\",\"KEEP FLAG\",\"RANK\",\"WEEKDAY\"";
    return header;
}

std::vector<std::string> SplitCsvLine(std::string_view line) {
    if (const size_t nul = line.find('\0'); nul != std::string_view::npos)
        line = line.substr(0, nul);
    std::vector<std::string> values;
    size_t p = 0;
    const size_t n = line.size();
    while (p < n && IsBlank(line[p]))
        ++p;
    while (p < n) {
        std::string value;
        if (line[p] == '"') {
            ++p;
            while (p < n) {
                if (line[p] == '"') {
                    if (p + 1 < n && line[p + 1] == '"') {
                        value += '"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                value += line[p++];
            }
        } else {
            const size_t start = p;
            while (p < n && line[p] != ',' && !IsBlank(line[p]))
                ++p;
            value.assign(line.substr(start, p - start));
        }
        values.push_back(std::move(value));
        while (p < n && IsBlank(line[p]))
            ++p;
        if (p < n && line[p] == ',') {
            ++p;
            while (p < n && IsBlank(line[p]))
                ++p;
        }
    }
    return values;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t p = 0;
    while (p < text.size()) {
        const size_t end = text.find_first_of("\r\n", p);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(p));
            break;
        }
        lines.push_back(text.substr(p, end - p));
        p = end + 1;
        if (text[end] == '\r' && p < text.size() && text[p] == '\n')
            ++p;
    }
    return lines;
}

bool WriteCsvFile(const std::string& path, const std::vector<std::string>& lines, bool withHeader,
                  std::string& errorText) {
    std::string bytes;
    if (withHeader)
        bytes += CsvHeaderLine() + "\r\n";
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return WriteFileAtomic(path, bytes, errorText);
}

TImportLine ParseImportLine(std::string_view utf8Line, EventRecord& rec) {
    const std::vector<std::string> v = SplitCsvLine(utf8Line);
    if (v.size() < 2 || !IsValidDateString(v[1]))
        return TImportLine::Skipped;
    if (!IsCp1252Representable(v[0]))
        return TImportLine::Unstorable;
    DefaultRecord(rec);
    rec.SetDescription(v[0]);
    if (!TryStrToDate(v[1], rec.StartDate))
        return TImportLine::Error;

    const size_t count = v.size();
    auto present = [&](size_t pos) { return pos < count; };
    int32_t number = 0;
    auto readInt = [&](size_t pos, int32_t emptyValue) {
        if (v[pos].empty()) {
            number = emptyValue;
            return true;
        }
        return ParseInt(v[pos], number);
    };

    if (present(2)) {
        if (!readInt(2, 0))
            return TImportLine::Error;
        rec.EventType = static_cast<uint8_t>(number);
    }
    if (present(3))
        rec.Simple = v[3].empty() || IsTrue(v[3]) ? 1 : 0;
    if (present(4)) {
        if (!readInt(4, 1))
            return TImportLine::Error;
        rec.Interval = Low16(number);
    }
    if (present(5)) {
        if (v[5].empty())
            rec.EndDate = 0;
        else if (!TryStrToDate(v[5], rec.EndDate))
            return TImportLine::Error;
    }
    if (present(6)) {
        if (!readInt(6, 7))
            return TImportLine::Error;
        rec.NoticePeriod = Low16(number);
    }
    if (present(7))
        rec.KeepFlag = v[7].empty() || IsTrue(v[7]) ? 1 : 0;
    if (present(8)) {
        if (!readInt(8, 0))
            return TImportLine::Error;
        rec.Rank = Low16(number);
    }
    if (present(9)) {
        if (!readInt(9, DayOfWeek(rec.StartDate)))
            return TImportLine::Error;
        rec.Weekday = Low16(number);
    }
    rec.NoEndPoint = rec.EndDate == 0 ? 1 : 0;
    rec.AckDate = 0;
    return TImportLine::Event;
}

bool ParseImportFile(const std::string& path, std::vector<EventRecord>& records,
                     std::string* error) {
    records.clear();
    TFileBytes bytes;
    std::string readError;
    if (!ReadWholeFile(path, bytes, readError))
        return false;
    std::string_view view = bytes.View();
    if (view.starts_with("\xEF\xBB\xBF"))
        view.remove_prefix(3);
    const std::string text = IsUtf8(view) ? std::string(view) : Cp1252ToUtf8(view);
    std::vector<EventRecord> parsed;
    int number = 0;
    for (std::string_view line : SplitLines(text)) {
        ++number;
        EventRecord rec;
        switch (ParseImportLine(line, rec)) {
        case TImportLine::Skipped:
            break;
        case TImportLine::Event:
            parsed.push_back(rec);
            break;
        case TImportLine::Error:
            return false;
        case TImportLine::Unstorable:
            if (error)
                *error = "Import Error: line " + std::to_string(number) + " holds " +
                         FirstUnstorable(SplitCsvLine(line)[0]) +
                         ", a character the events file cannot store";
            return false;
        }
    }
    records = std::move(parsed);
    return true;
}
