#include "cli/EventOutput.h"
#include "cli/Json.h"
#include "core/Clock.h"
#include "core/DateFormat.h"
#include "core/HalvaneDates.h"
#include <cmath>

namespace {

std::string JsonArray(const std::vector<std::string>& items) {
    if (items.empty())
        return "[]";
    std::string out = "[\n";
    for (size_t i = 0; i < items.size(); ++i) {
        out += "  ";
        out += items[i];
        out += i + 1 < items.size() ? ",\n" : "\n";
    }
    out += "]";
    return out;
}

} // namespace

std::string RowText(const std::string& description) {
    std::string line = FirstLine(description);
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return line;
}

long long DaysFromToday(TDateTime d) {
    return static_cast<long long>(std::nearbyint(d - Today()));
}

std::string ListRow(const TTickwellItem& e) {
    return IsoDate(e.NextDate) + '\t' + e.DaysToNextText() + '\t' + e.TypeName() + '\t' +
           e.IntervalText() + '\t' + (e.AckDate == 0 ? std::string() : IsoDate(e.AckDate)) + '\t' +
           RowText(e.Description);
}

std::string EventJson(const TTickwellItem& e, int index) {
    TJsonObject o;
    if (index >= 0)
        o.Add("index", index);
    o.Add("description", e.Description)
        .Add("eventType", static_cast<int>(e.EventType))
        .Add("simple", e.Simple)
        .Add("rank", e.Rank)
        .Add("interval", e.Interval)
        .Add("weekday", e.Weekday)
        .Add("startDate", IsoDate(e.StartDate))
        .Add("endDate", IsoDate(e.EndDate))
        .Add("noticePeriod", e.NoticePeriod)
        .Add("keepFlag", e.KeepFlag)
        .Add("noEndPoint", e.NoEndPoint)
        .Add("ackDate", IsoDate(e.AckDate))
        .Add("nextDate", IsoDate(e.NextDate))
        .Add("prevDate", IsoDate(e.PrevDate))
        .Add("dueKind", static_cast<int>(e.DueState()));
    return o.Str();
}

std::string DueRow(const TTickwellItem& e) {
    return IsoDate(e.ScanDate) + '\t' + std::to_string(DaysFromToday(e.ScanDate)) + '\t' +
           std::to_string(e.DueKind) + '\t' + RowText(e.Description);
}

std::string DueJson(const TTickwellItem& e, int index) {
    return TJsonObject()
        .Add("index", index)
        .Add("scanDate", IsoDate(e.ScanDate))
        .Add("dueKind", static_cast<int>(e.DueKind))
        .Add("days", DaysFromToday(e.ScanDate))
        .Add("description", e.Description)
        .Str();
}

void WriteList(std::ostream& out, const TMyList& list, bool json) {
    if (!json) {
        for (const TTickwellItem* e : list.All())
            out << ListRow(*e) << '\n';
        return;
    }
    std::vector<std::string> items;
    items.reserve(list.All().size());
    for (int i = 0; i < list.Count(); ++i)
        items.push_back(EventJson(*list[i], i));
    out << JsonArray(items) << '\n';
}

void WriteDue(std::ostream& out, const TMyList& list, const TScanList& due, bool json) {
    if (!json) {
        for (const TTickwellItem* e : due.All())
            out << DueRow(*e) << '\n';
        return;
    }
    std::vector<std::string> items;
    for (const TTickwellItem* e : due.All())
        items.push_back(DueJson(*e, list.IndexOf(e)));
    out << JsonArray(items) << '\n';
}

void WriteMonth(std::ostream& out, const TMyList& list, int year, int month, bool json) {
    const int days = DaysInMonth(month, year);
    const TDateTime first = EncodeDate(year, month, 1);
    std::string text = json ? "{" : "";
    for (int day = 0; day < days; ++day) {
        const TDateTime date = first + day;
        const std::string iso = IsoDate(date);
        std::string indexes;
        for (int i = 0; i < list.Count(); ++i) {
            const TTickwellItem& e = *list[i];
            if (!e.OccursOn(date))
                continue;
            if (json) {
                if (!indexes.empty())
                    indexes += ", ";
                indexes += std::to_string(i);
            } else {
                text += iso + '\t' + RowText(e.Description) + '\n';
            }
        }
        if (json)
            text += std::string(day ? ",\n  " : "\n  ") + JsonString(iso) + ": [" + indexes + "]";
    }
    if (json)
        text += "\n}\n";
    out << text;
}
