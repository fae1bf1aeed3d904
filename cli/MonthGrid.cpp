#include "cli/MonthGrid.h"
#include "cli/EventOutput.h"
#include "core/Clock.h"
#include "core/DateTime.h"
#include "core/EventsByDay.h"
#include "core/HalvaneDates.h"
#include <algorithm>
#include <vector>

namespace {

std::string Padded(const std::string& text, size_t width) {
    const std::string cut = CutToWidth(text, width);
    return cut + std::string(width - TextWidth(cut), ' ');
}

std::string Centred(const std::string& text, size_t width) {
    const std::string cut = CutToWidth(text, width);
    return Padded(std::string((width - TextWidth(cut)) / 2, ' ') + cut, width);
}

// The lines a day's box shows: its events, or as many as fit and a count of
// the rest.
std::vector<std::string> BoxLines(const std::vector<std::string>& events) {
    if (events.size() <= kMonthGridLines)
        return events;
    std::vector<std::string> lines(events.begin(), events.begin() + kMonthGridLines - 1);
    lines.push_back("+" + std::to_string(events.size() - lines.size()) + " more");
    return lines;
}

} // namespace

void WriteMonthGrid(std::ostream& out, const TMyList& list, int year, int month,
                    const TTerminalStyle& style) {
    const int days = DaysInMonth(month, year);
    const TDateTime first = EncodeDate(year, month, 1);
    std::vector<std::vector<std::string>> onDay(static_cast<size_t>(days));
    ForEachOccurring(list, first, days, [&](int i, const std::vector<TDateTime>& hits) {
        const std::string text = RowText(list[i]->Description);
        for (const TDateTime day : hits)
            onDay[static_cast<size_t>(day - first)].push_back(text);
    });

    const size_t width = static_cast<size_t>(std::max(4, (style.Columns - 1) / 7 - 1));
    std::string rule = "+";
    for (int d = 0; d < 7; ++d)
        rule += std::string(width, '-') + '+';
    const size_t lineWidth = TextWidth(rule);
    const std::string title =
        style.Names.LongMonths[static_cast<size_t>(month - 1)] + ' ' + std::to_string(year);
    out << std::string((lineWidth - std::min(lineWidth, TextWidth(title))) / 2, ' ')
        << (style.Colour ? kBold : "") << title << (style.Colour ? kPlain : "") << '\n'
        << rule << '\n'
        << '|';
    for (int d = 0; d < 7; ++d)
        out << Centred(
                   style.Names.ShortDays[static_cast<size_t>((style.Names.FirstWeekday + d) % 7)],
                   width)
            << '|';
    out << '\n' << rule << '\n';

    // Day 1's column counts from the first day of the week.
    const int lead = ((DayOfWeek(first) - 1) - style.Names.FirstWeekday + 7) % 7;
    const TDateTime today = DateOf(Today());
    for (int weekStart = -lead; weekStart < days; weekStart += 7) {
        std::vector<std::vector<std::string>> boxes(7);
        size_t height = 0;
        for (int d = 0; d < 7; ++d) {
            const int day = weekStart + d;
            if (day >= 0 && day < days)
                boxes[static_cast<size_t>(d)] = BoxLines(onDay[static_cast<size_t>(day)]);
            height = std::max(height, boxes[static_cast<size_t>(d)].size());
        }
        out << '|';
        for (int d = 0; d < 7; ++d) {
            const int day = weekStart + d;
            const std::string number =
                day >= 0 && day < days ? std::to_string(day + 1) : std::string();
            if (style.Colour && first + day == today && !number.empty())
                out << kReverse << number << kPlain << std::string(width - number.size(), ' ');
            else
                out << Padded(number, width);
            out << '|';
        }
        out << '\n';
        for (size_t line = 0; line < height; ++line) {
            out << '|';
            for (const std::vector<std::string>& box : boxes)
                out << Padded(line < box.size() ? box[line] : std::string(), width) << '|';
            out << '\n';
        }
        out << rule << '\n';
    }
}
