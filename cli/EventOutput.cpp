#include "cli/EventOutput.h"
#include "cli/Json.h"
#include "core/Clock.h"
#include "core/DateFormat.h"
#include "core/EventId.h"
#include "core/EventsByDay.h"
#include "core/HalvaneDates.h"
#include "core/Snooze.h"
#include <charconv>
#include <cmath>

namespace {

// Writes a JSON array item by item, so no output is held whole in memory.
class TJsonArrayWriter {
public:
    explicit TJsonArrayWriter(std::ostream& out) : Out(out) {}
    void Add(const std::string& item) {
        Out << (Empty ? "[\n  " : ",\n  ") << item;
        Empty = false;
    }
    ~TJsonArrayWriter() { Out << (Empty ? "[]\n" : "\n]\n"); }
    TJsonArrayWriter(const TJsonArrayWriter&) = delete;
    TJsonArrayWriter& operator=(const TJsonArrayWriter&) = delete;

private:
    std::ostream& Out;
    bool Empty = true;
};

// Day 0 stands for "none" in the stored fields.
void AddDate(TJsonObject& o, std::string_view name, TDateTime d) {
    if (d == 0)
        o.AddRaw(name, "null");
    else
        o.Add(name, IsoDate(d));
}

void AppendNumber(std::string& out, long long n) {
    char digits[24];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, n);
    out.append(digits, end);
}

// RowText appended to a line being built.
void AppendRowText(std::string& out, const std::string& description) {
    const size_t from = out.size();
    out.append(description, 0, description.find("\r\n"));
    for (char *c = out.data() + from, *end = out.data() + out.size(); c != end; ++c)
        if (static_cast<unsigned char>(*c) < 0x20 || *c == 0x7F)
            *c = ' ';
}

} // namespace

std::string RowText(const std::string& description) {
    std::string line;
    AppendRowText(line, description);
    return line;
}

long long DaysFromToday(TDateTime d) {
    return static_cast<long long>(std::nearbyint(d - Today()));
}

std::string ListRow(const TTickwellItem& e, int index) {
    return std::to_string(index) + '\t' + EventId(e) + '\t' + IsoDate(e.NextDate) + '\t' +
           e.DaysToNextText() + '\t' + e.TypeName() + '\t' + e.IntervalText() + '\t' +
           (e.AckDate == 0 ? std::string() : IsoDate(e.AckDate)) + '\t' + RowText(e.Description);
}

std::string EventJson(const TTickwellItem& e, int index) {
    TJsonObject o;
    if (index >= 0)
        o.Add("index", index);
    o.Add("id", EventId(e))
        .Add("description", e.Description)
        .Add("eventType", static_cast<int>(e.EventType))
        .Add("simple", e.Simple)
        .Add("rank", e.Rank)
        .Add("interval", e.Interval)
        .Add("weekday", e.Weekday);
    AddDate(o, "startDate", e.StartDate);
    AddDate(o, "endDate", e.EndDate);
    o.Add("noticePeriod", e.NoticePeriod)
        .Add("keepFlag", e.KeepFlag)
        .Add("noEndPoint", e.NoEndPoint);
    AddDate(o, "ackDate", e.AckDate);
    AddDate(o, "nextDate", e.NextDate);
    AddDate(o, "prevDate", e.PrevDate);
    o.Add("dueKind", static_cast<int>(e.DueState()));
    return o.Str();
}

std::string EventName(const TTickwellItem& e, TDateTime date) {
    return RowText(e.Description) + " (" + IsoDate(date) + ")";
}

namespace {

// Scan date, days from today (negative when past), due kind, first line.
void AppendDueRow(std::string& out, const TTickwellItem& e) {
    out += IsoDate(e.ScanDate);
    out += '\t';
    AppendNumber(out, DaysFromToday(e.ScanDate));
    out += '\t';
    AppendNumber(out, e.DueKind);
    out += '\t';
    AppendRowText(out, e.Description);
}

TJsonObject DueObject(const TTickwellItem& e, int index) {
    TJsonObject o;
    o.Add("index", index)
        .Add("id", EventId(e))
        .Add("scanDate", IsoDate(e.ScanDate))
        .Add("dueKind", static_cast<int>(e.DueKind))
        .Add("days", DaysFromToday(e.ScanDate))
        .Add("description", e.Description);
    return o;
}

} // namespace

void WriteList(std::ostream& out, const TMyList& list, bool json) {
    if (!json) {
        for (int i = 0; i < list.Count(); ++i)
            out << ListRow(*list[i], i) << '\n';
        return;
    }
    TJsonArrayWriter items(out);
    for (int i = 0; i < list.Count(); ++i)
        items.Add(EventJson(*list[i], i));
}

void WriteDue(std::ostream& out, const TMyList& list, const TScanList& due, bool json,
              const std::vector<TTickwellItem*>& snoozed) {
    const std::vector<int> indexes = list.IndexesOf(due.All());
    const std::vector<int> snoozedIndexes = list.IndexesOf(snoozed);
    if (!json) {
        // Built in one buffer and written a piece at a time: a stream
        // insertion per field costs more than the rest of a small due.
        std::string rows;
        for (int k = 0; k < due.Count(); ++k) {
            AppendNumber(rows, indexes[static_cast<size_t>(k)]);
            rows += '\t';
            rows += EventId(*due[k]);
            rows += '\t';
            AppendDueRow(rows, *due[k]);
            rows += '\n';
            if (rows.size() >= 65536) {
                out << rows;
                rows.clear();
            }
        }
        // Snoozed events are not due until their snooze ends: a script that
        // reads these rows takes each for one due now.
        out << rows;
        return;
    }
    TJsonArrayWriter items(out);
    for (int k = 0; k < due.Count(); ++k)
        items.Add(DueObject(*due[k], indexes[static_cast<size_t>(k)]).Str());
    for (size_t k = 0; k < snoozed.size(); ++k)
        items.Add(DueObject(*snoozed[k], snoozedIndexes[k])
                      .Add("snoozedUntil", SnoozeEndText(snoozed[k]->SnoozeEnd()))
                      .Str());
}

void WriteMonth(std::ostream& out, const TMyList& list, int year, int month, bool json) {
    const int days = DaysInMonth(month, year);
    const TDateTime first = EncodeDate(year, month, 1);
    // Gathered event by event, written day by day. Each day holds list
    // indexes (JSON) or the number of the event's row text, taken once while
    // the event is at hand: a million events do not fit in any cache, and
    // going back to each for every day it occurs on costs more than the
    // text does.
    std::vector<std::vector<uint32_t>> onDay(static_cast<size_t>(days));
    std::string texts;
    std::vector<size_t> textStart{0};
    ForEachOccurring(list, first, days, [&](int i, const std::vector<TDateTime>& hits) {
        auto entry = static_cast<uint32_t>(i);
        if (!json) {
            entry = static_cast<uint32_t>(textStart.size() - 1);
            AppendRowText(texts, list[i]->Description);
            textStart.push_back(texts.size());
        }
        for (const TDateTime day : hits)
            onDay[static_cast<size_t>(day - first)].push_back(entry);
    });
    if (json)
        out << '{';
    std::string rows;
    for (int day = 0; day < days; ++day) {
        const std::string iso = IsoDate(first + day);
        const std::vector<uint32_t>& entries = onDay[static_cast<size_t>(day)];
        if (!json) {
            for (const uint32_t k : entries) {
                rows += iso;
                rows += '\t';
                rows.append(texts, textStart[k], textStart[k + 1] - textStart[k]);
                rows += '\n';
                if (rows.size() >= 65536) {
                    out << rows;
                    rows.clear();
                }
            }
            continue;
        }
        out << (day ? ",\n  " : "\n  ") << JsonString(iso) << ": [";
        for (size_t k = 0; k < entries.size(); ++k)
            out << (k ? ", " : "") << entries[k];
        out << ']';
    }
    out << rows;
    if (json)
        out << "\n}\n";
}
