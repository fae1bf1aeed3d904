#pragma once
// Comma-separated text files: the export with its header line, the archive
// without one, and reading lines back for the import. On disk the text is
// UTF-8, this system's text encoding, with CR LF line ends; files from the
// original program, in Windows-1252, still import.
#include "core/EventRecord.h"
#include <string>
#include <string_view>
#include <vector>

// The ten quoted column names, comma-separated, without a line end.
const std::string& CsvHeaderLine();

// The values of one line: leading characters 1..32 skipped; a value opening
// with a double quote runs to the next lone double quote ("" stands for one,
// a missing closing quote takes the rest of the line); any other value runs
// to the next comma or character 1..32. Blanks after a value and one comma
// with the blanks after it are skipped, so ",," gives an empty value and a
// trailing comma none. A NUL character ends the line.
std::vector<std::string> SplitCsvLine(std::string_view line);

// The records of a text, read as SplitCsvLine reads a line, except that a
// quoted value may run over line ends, which it then holds. Line ends are
// CR LF, LF or CR; a quote never closed in the rest of the text is read as
// on one line. Line and LastLine count from 1.
struct TCsvRecord {
    std::vector<std::string> Values;
    int Line = 0;
    int LastLine = 0;
};
std::vector<TCsvRecord> SplitCsvRecords(std::string_view text);

// Writes the UTF-8 lines (no byte-order mark), each followed by CR LF, the
// header line first when asked, replacing the file crash-safe. False with the
// system's error text when it cannot be written (the old file is then intact).
bool WriteCsvFile(const std::string& path, const std::vector<std::string>& lines, bool withHeader,
                  std::string& errorText);

enum class TImportLine {
    Skipped, // fewer than two values, or the second is not a date
    Event,   // the record was filled
    Error,   // a number or the end date cannot be read
    // The description holds a character the data file cannot store.
    Unstorable,
};

// One import line's values into a record: DefaultRecord, then the values by
// position (description, start date, type, simple, interval, end date,
// notice period, keep flag, rank, weekday); NoEndPoint set exactly when the
// end date is 0, AckDate 0. On Error or Unstorable, why says which value.
TImportLine ParseImportValues(const std::vector<std::string>& values, EventRecord& rec,
                              std::string* why);
TImportLine ParseImportLine(std::string_view utf8Line, EventRecord& rec);

// Every qualifying record of a CSV file, in file order. The file is UTF-8,
// or UTF-16 when a byte-order mark says so, or Windows-1252 when it is not
// well-formed UTF-8. All or nothing: false when the file cannot be read, a
// record holds a value that cannot be read or stored, or a quoted value runs
// over several lines and leaves no event; records is then empty and `error`
// is "Import Error" with the line, the reason and the path on a second line.
bool ParseImportFile(const std::string& path, std::vector<EventRecord>& records,
                     std::string* error = nullptr);
