// Every repeat type and rank exported, the file read by two expanders of
// other programs, recurring_ical_events and ical.js, and expanded over ten
// years, compared day by day with OccursOn.
#include "ICalTestSupport.h"
#include "core/HalvaneDates.h"
#include "ical/ICalExport.h"
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <sys/wait.h>

using namespace storetest;
using namespace icaltest;

namespace {

struct TCase {
    std::string Name;
    TRecSpec Spec;
};

std::vector<TCase> Cases() {
    const TDateTime jan15 = D(2025, 1, 15);
    std::vector<TCase> cases = {
        {"once", TRecSpec{}},
        {"every 3 days until 2027", Repeating(etDaily, jan15, 3, 0, 0, D(2027, 3, 1))},
        {"fortnightly", Repeating(etWeekly, D(2025, 1, 17), 2)},
        {"monthly on the 29th", Repeating(etMonthlyDate, D(2025, 1, 29))},
        {"monthly on the 30th", Repeating(etMonthlyDate, D(2025, 1, 30))},
        {"monthly on the 31st", Repeating(etMonthlyDate, D(2025, 1, 31))},
        {"every 5 months on the 30th", Repeating(etMonthlyDate, D(2024, 8, 30), 5)},
        {"1st working day every 3 months, after January's", Repeating(etMonthlyDate, jan15, 3, 1)},
        {"2nd Monday every 2 months, after January's",
         Repeating(etMonthlyDay, D(2025, 1, 20), 2, 1, 2)},
        {"yearly from 29 February", Repeating(etYearly, D(2024, 2, 29))},
        {"every 4 years from 29 February", Repeating(etYearly, D(2024, 2, 29), 4)},
        {"quarter days from May until 2031",
         Repeating(etAccounting, D(2025, 5, 1), 1, 0, 0, D(2031, 10, 1))},
        {"ended before its first day",
         Repeating(etMonthlyDay, D(2025, 1, 20), 1, 0, 0, D(2025, 1, 25))},
        {"interval 0 behaves as once only", Repeating(etWeekly, D(2025, 1, 17), 0)},
    };
    for (int rank = 1; rank <= 23; ++rank)
        cases.push_back(
            {"working day " + std::to_string(rank), Repeating(etMonthlyDate, jan15, 1, rank)});
    for (int rank = 0; rank <= 4; ++rank)
        for (int weekday = 1; weekday <= 7; ++weekday)
            cases.push_back({"rank " + std::to_string(rank) + " weekday " + std::to_string(weekday),
                             Repeating(etMonthlyDay, D(2025, 1, 1), 1, rank, weekday)});
    return cases;
}

// The case's file and the days Tickwell gives it over ten years from its start.
struct TExported {
    std::string Text;
    TDateTime To;
    std::set<TDateTime> Own;
};

TExported Exported(const TCase& c) {
    TMyList list;
    TTickwellItem* e = MakeEvent(c.Spec);
    list.AddSorted(e);
    TExported x{ICalendarText(list), AddYears(10, c.Spec.Start), {}};
    for (TDateTime d = c.Spec.Start; d <= x.To; d += 1)
        if (e->OccursOn(d))
            x.Own.insert(d);
    if (x.Own.empty()) // never occurs: stands for its start date, as its row shows
        x.Own.insert(c.Spec.Start);
    return x;
}

// An expander's lines "<name> YYYY-MM-DD ...", one a file of the folder.
std::map<std::string, std::set<TDateTime>> Expand(const std::string& command, int& code) {
    std::map<std::string, std::set<TDateTime>> out;
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        const int status = pclose(pipe);
        code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::istringstream lines(text);
    for (std::string line, name, day; std::getline(lines, line);) {
        std::istringstream words(line);
        if (!(words >> name))
            continue;
        std::set<TDateTime>& days = out[name];
        for (TDateTime d; words >> day && TryParseIsoDate(day, d);)
            days.insert(d);
    }
    return out;
}

// The days `a` has and `b` lacks: how many, and the first few.
std::string Lacking(const std::string& label, const std::set<TDateTime>& a,
                    const std::set<TDateTime>& b) {
    std::string days;
    int n = 0;
    for (TDateTime d : a)
        if (!b.count(d) && ++n <= 4)
            days += " " + IsoDate(d);
    return n ? label + " " + std::to_string(n) + ":" + days + (n > 4 ? " ...; " : "; ") : "";
}

} // namespace

// CI installs both expanders (scripts/deps.sh --test): one missing fails.
TEST_F(ICalTest, OtherExpandersGiveOccursOnsDaysForTenYears) {
    const std::vector<TCase> cases = Cases();
    const std::string folder = Path("expand");
    std::filesystem::create_directory(folder);
    std::vector<TExported> files;
    TDateTime first = cases[0].Spec.Start, last = first;
    for (size_t i = 0; i < cases.size(); ++i) {
        files.push_back(Exported(cases[i]));
        WriteBytes(folder + "/" + std::to_string(i) + ".ics", files[i].Text);
        // Readers that never produced a day warn about every EXDATE for it;
        // without an UNTIL other calendars go on where the program stops.
        std::string unfolded = files[i].Text;
        for (size_t at; (at = unfolded.find("\r\n ")) != std::string::npos;)
            unfolded.erase(at, 3);
        EXPECT_EQ(unfolded.find("EXDATE"), std::string::npos) << cases[i].Name;
        for (size_t at = 0; (at = unfolded.find("\nRRULE:", at)) != std::string::npos; ++at)
            EXPECT_NE(unfolded.substr(at, unfolded.find('\n', at + 1) - at).find("UNTIL="),
                      std::string::npos)
                << cases[i].Name;
        first = std::min(first, cases[i].Spec.Start);
        last = std::max(last, files[i].To);
    }
    const std::pair<std::string, std::string> expanders[] = {
        {"recurring_ical_events", "'" TICKWELL_PYTHON "' '" TICKWELL_EXPANDERS "/expand.py'"},
        {"ical.js", "'" TICKWELL_NODE "' '" TICKWELL_EXPANDERS "/expand.mjs'"}};
    for (const auto& [expander, program] : expanders) {
        int code = -1;
        const auto days =
            Expand(program + " '" + folder + "' " + IsoDate(first) + " " + IsoDate(last), code);
        if (code != 0) {
            ADD_FAILURE() << expander << " did not run (" << program << ", exit " << code
                          << "); scripts/deps.sh --test installs it";
            continue;
        }
        for (size_t i = 0; i < cases.size(); ++i) {
            const auto line = days.find(std::to_string(i));
            std::set<TDateTime> theirs;
            if (line != days.end())
                for (TDateTime d : line->second)
                    if (d >= cases[i].Spec.Start && d <= files[i].To)
                        theirs.insert(d);
            const std::string diff = line == days.end()
                                         ? "no line"
                                         : Lacking("only Tickwell", files[i].Own, theirs) +
                                               Lacking("only " + expander, theirs, files[i].Own);
            EXPECT_TRUE(diff.empty()) << cases[i].Name << " in " << expander << ": " << diff;
        }
    }
}
