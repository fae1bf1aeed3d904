#include "cli/TerminalText.h"
#include "cli/EventOutput.h"
#include "core/Clock.h"
#include "core/DateTime.h"
#include "core/EventId.h"
#include "core/Snooze.h"
#include <algorithm>
#include <vector>

namespace {

// Rows of cells lined up in columns two blanks apart; the last column is not
// padded, so a long description runs on instead of being cut.
class TTextTable {
public:
    explicit TTextTable(std::vector<bool> rightAligned) : Right(std::move(rightAligned)) {}

    void Add(std::vector<std::string> cells, const char* colour = nullptr) {
        Widths.resize(std::max(Widths.size(), cells.size()));
        for (size_t i = 0; i + 1 < cells.size(); ++i)
            Widths[i] = std::max(Widths[i], TextWidth(cells[i]));
        Rows.push_back({std::move(cells), colour});
    }

    void Write(std::ostream& out) const {
        for (const TRow& row : Rows) {
            std::string line;
            for (size_t i = 0; i < row.Cells.size(); ++i) {
                const std::string& cell = row.Cells[i];
                const bool last = i + 1 == row.Cells.size();
                const std::string fill(last ? 0 : Widths[i] - TextWidth(cell), ' ');
                line += Right[i] ? fill + cell : last ? cell : cell + fill;
                if (!last)
                    line += "  ";
            }
            if (row.Colour)
                out << row.Colour << line << kPlain << '\n';
            else
                out << line << '\n';
        }
    }

private:
    struct TRow {
        std::vector<std::string> Cells;
        const char* Colour;
    };
    std::vector<bool> Right;
    std::vector<size_t> Widths;
    std::vector<TRow> Rows;
};

} // namespace

size_t TextWidth(const std::string& utf8) {
    return static_cast<size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string CutToWidth(const std::string& utf8, size_t width) {
    size_t seen = 0;
    for (size_t i = 0; i < utf8.size(); ++i)
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80 && seen++ == width)
            return utf8.substr(0, i);
    return utf8;
}

std::string DayWords(TDateTime d, const TCalendarNames& names, bool withYear) {
    const TYmd date = DecodeDate(d);
    std::string text = names.ShortDays[static_cast<size_t>(DayOfWeek(d) - 1)] + ' ' +
                       std::to_string(date.Day) + ' ' +
                       names.ShortMonths[static_cast<size_t>(date.Month - 1)];
    if (withYear || date.Year != DecodeDate(Today()).Year)
        text += ' ' + std::to_string(date.Year);
    return text;
}

std::string WhenWords(long long days) {
    if (days == 0)
        return "today";
    if (days == 1)
        return "tomorrow";
    if (days > 1)
        return "in " + std::to_string(days) + " days";
    return std::to_string(-days) + (days == -1 ? " day overdue" : " days overdue");
}

void WriteDueWords(std::ostream& out, const TScanList& due,
                   const std::vector<TTickwellItem*>& snoozed, const TTerminalStyle& style) {
    if (due.Count() == 0 && snoozed.empty()) {
        out << "Nothing is due.\n";
        return;
    }
    TTextTable table({false, false, false, false});
    for (int k = 0; k < due.Count(); ++k) {
        const TTickwellItem& e = *due[k];
        const long long days = DaysFromToday(e.ScanDate);
        const char* colour = !style.Colour ? nullptr
                             : days < 0    ? kRed
                             : days == 0   ? kBold
                                           : nullptr;
        table.Add({DayWords(e.ScanDate, style.Names), WhenWords(days), EventId(e),
                   RowText(e.Description)},
                  colour);
    }
    for (const TTickwellItem* e : snoozed)
        table.Add({DayWords(e->ScanDate, style.Names),
                   "snoozed until " + SnoozeEndText(e->SnoozeEnd()), EventId(*e),
                   RowText(e->Description)},
                  style.Colour ? kDim : nullptr);
    table.Write(out);
}

void WriteListWords(std::ostream& out, const TMyList& list, const TTerminalStyle& style) {
    if (list.Count() == 0) {
        out << "No events.\n";
        return;
    }
    TTextTable table({true, false, false, true, false, true, false, false});
    table.Add({"#", "Id", "Next", "Days", "Repeats", "Every", "Acknowledged", "Description"},
              style.Colour ? kBold : nullptr);
    for (int i = 0; i < list.Count(); ++i) {
        const TTickwellItem& e = *list[i];
        const std::string ack = e.AckDate == 0 ? "" : DayWords(e.AckDate, style.Names, true);
        const TDueKind kind = e.DueState();
        const char* colour = !style.Colour                            ? nullptr
                             : kind == dkOverdue || kind == dkPastEnd ? kRed
                             : kind == dkToday                        ? kBold
                                                                      : nullptr;
        table.Add({std::to_string(i), EventId(e), DayWords(e.NextDate, style.Names, true),
                   e.DaysToNextText(), e.TypeName(), e.IntervalText(), ack, RowText(e.Description)},
                  colour);
    }
    table.Write(out);
}
