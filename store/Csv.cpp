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

namespace {

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Past one line end (CR LF counts as one) at p, counting it.
size_t PastLineEnd(std::string_view text, size_t p, int& line) {
    if (p < text.size() && IsLineEnd(text[p])) {
        ++line;
        if (text[p] == '\r' && p + 1 < text.size() && text[p + 1] == '\n')
            ++p;
        ++p;
    }
    return p;
}

size_t LineEndFrom(std::string_view text, size_t p) {
    const size_t end = text.find_first_of("\r\n", p);
    return end == std::string_view::npos ? text.size() : end;
}

// One record's values from p: a quoted value may run over line ends (its
// line ends are kept in it); anywhere else a line end ends the record. A
// quote that is never closed runs to the end of its own line, and a NUL
// ends its line. Returns where the next record starts.
size_t ReadRecord(std::string_view text, size_t p, std::vector<std::string>& values, int& line) {
    values.clear();
    const size_t n = text.size();
    auto skipBlanks = [&] {
        while (p < n && IsBlank(text[p]) && !IsLineEnd(text[p]))
            ++p;
    };
    skipBlanks();
    while (p < n && !IsLineEnd(text[p])) {
        if (text[p] == '\0') {
            p = LineEndFrom(text, p);
            break;
        }
        std::string value;
        if (text[p] == '"') {
            size_t q = p + 1;
            const size_t nul = text.find('\0', q);
            bool closed = false;
            int lines = 0;
            std::string quoted;
            while (q < n && q != nul) {
                if (text[q] == '"') {
                    if (q + 1 < n && text[q + 1] == '"') {
                        quoted += '"';
                        q += 2;
                        continue;
                    }
                    closed = true;
                    ++q;
                    break;
                }
                if (text[q] == '\n' || (text[q] == '\r' && (q + 1 >= n || text[q + 1] != '\n')))
                    ++lines;
                quoted += text[q++];
            }
            if (closed) {
                value = std::move(quoted);
                line += lines;
                p = q;
            } else {
                // As on one line: the rest of the line, quotes as they come.
                const size_t end = std::min(LineEndFrom(text, p), std::min(nul, n));
                for (q = p + 1; q < end; ++q) {
                    value += text[q];
                    if (text[q] == '"' && q + 1 < end && text[q + 1] == '"')
                        ++q;
                }
                p = end;
            }
        } else {
            const size_t start = p;
            while (p < n && text[p] != ',' && !IsBlank(text[p]) && text[p] != '\0')
                ++p;
            value.assign(text.substr(start, p - start));
        }
        values.push_back(std::move(value));
        skipBlanks();
        if (p < n && text[p] == ',') {
            ++p;
            skipBlanks();
        }
    }
    return PastLineEnd(text, p, line);
}

} // namespace

std::vector<std::string> SplitCsvLine(std::string_view line) {
    std::vector<std::string> values;
    int lines = 0;
    ReadRecord(line, 0, values, lines);
    return values;
}

std::vector<TCsvRecord> SplitCsvRecords(std::string_view text) {
    std::vector<TCsvRecord> records;
    int line = 1;
    for (size_t p = 0; p < text.size();) {
        TCsvRecord r;
        r.Line = line;
        p = ReadRecord(text, p, r.Values, line);
        r.LastLine = std::max(r.Line, line - 1);
        records.push_back(std::move(r));
    }
    return records;
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
    // A first description that starts with U+FEFF would read back as a
    // byte-order mark and lose it; a mark of our own in front keeps it.
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.insert(0, "\xEF\xBB\xBF");
    return WriteFileAtomic(path, bytes, errorText);
}

TImportLine ParseImportValues(const std::vector<std::string>& v, EventRecord& rec,
                              std::string* why) {
    if (v.size() < 2 || !IsValidDateString(v[1]))
        return TImportLine::Skipped;
    if (const std::string bad = FirstUnstorable(v[0]); !bad.empty()) {
        if (why)
            *why = "holds " + bad + ", which a description cannot hold";
        return TImportLine::Unstorable;
    }
    const auto fail = [&](const char* what, const std::string& value) {
        if (why)
            *why = std::string("the ") + what + " \"" + value + "\" cannot be read";
        return TImportLine::Error;
    };
    DefaultRecord(rec);
    rec.SetDescription(v[0]);
    if (!TryStrToDate(v[1], rec.StartDate))
        return fail("start date", v[1]);

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
            return fail("type", v[2]);
        rec.EventType = static_cast<uint8_t>(number);
    }
    if (present(3))
        rec.Simple = v[3].empty() || IsTrue(v[3]) ? 1 : 0;
    if (present(4)) {
        if (!readInt(4, 1))
            return fail("interval", v[4]);
        rec.Interval = Low16(number);
    }
    if (present(5)) {
        if (v[5].empty())
            rec.EndDate = 0;
        else if (!TryStrToDate(v[5], rec.EndDate))
            return fail("end date", v[5]);
    }
    if (present(6)) {
        if (!readInt(6, 7))
            return fail("notice period", v[6]);
        rec.NoticePeriod = Low16(number);
    }
    if (present(7))
        rec.KeepFlag = v[7].empty() || IsTrue(v[7]) ? 1 : 0;
    if (present(8)) {
        if (!readInt(8, 0))
            return fail("rank", v[8]);
        rec.Rank = Low16(number);
    }
    if (present(9)) {
        if (!readInt(9, DayOfWeek(rec.StartDate)))
            return fail("weekday", v[9]);
        rec.Weekday = Low16(number);
    }
    rec.NoEndPoint = rec.EndDate == 0 ? 1 : 0;
    rec.AckDate = 0;
    return TImportLine::Event;
}

TImportLine ParseImportLine(std::string_view utf8Line, EventRecord& rec) {
    return ParseImportValues(SplitCsvLine(utf8Line), rec, nullptr);
}

namespace {

// UTF-16 text (a spreadsheet's "Unicode text") as UTF-8; a lone half of a
// surrogate pair becomes U+FFFD, which no event can store, so the line
// holding it is reported.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    auto unit = [&](size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            } else {
                c = 0xFFFD;
            }
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

// The file's text as UTF-8, whatever a byte-order mark says it is; without
// one, UTF-8 when it is well-formed, otherwise the original program's
// Windows-1252.
std::string ImportText(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    else if (bytes.starts_with("\xFF\xFE"))
        return Utf16ToUtf8(bytes.substr(2), false);
    else if (bytes.starts_with("\xFE\xFF"))
        return Utf16ToUtf8(bytes.substr(2), true);
    return IsUtf8(bytes) ? std::string(bytes) : Cp1252ToUtf8(bytes);
}

} // namespace

bool ParseImportFile(const std::string& path, std::vector<EventRecord>& records,
                     std::string* error) {
    records.clear();
    TFileBytes bytes;
    std::string readError;
    const auto fail = [&](const std::string& why) {
        if (error)
            *error = "Import Error\n" + why + ": " + path;
        return false;
    };
    if (!ReadWholeFile(path, bytes, readError))
        return fail(readError);
    const std::string text = ImportText(bytes.View());
    std::vector<EventRecord> parsed;
    for (const TCsvRecord& r : SplitCsvRecords(text)) {
        EventRecord rec;
        std::string why;
        const std::string where = "Line " + std::to_string(r.Line);
        switch (ParseImportValues(r.Values, rec, &why)) {
        case TImportLine::Skipped:
            // A line that is not an event is passed over, as a header is;
            // but several lines joined by a quote that never closed where
            // it should would drop every event they hold without a word.
            if (r.LastLine > r.Line)
                return fail(where + ": the quoted text starting here runs to line " +
                            std::to_string(r.LastLine) + " and leaves no event");
            break;
        case TImportLine::Event:
            parsed.push_back(rec);
            break;
        case TImportLine::Error:
        case TImportLine::Unstorable:
            return fail(where + ": " + why);
        }
    }
    records = std::move(parsed);
    return true;
}
