// tickwell-cli's export and import choose iCalendar by the file's extension.
#include "CliTestSupport.h"
#include <fstream>

TEST_F(CliTest, ICalendarFilesGoOutAndComeBackByTheirExtension) {
    AddEvents({{"--desc", "Bins", "--start", "2025-01-03", "--weekly"}});
    EXPECT_EQ(Run({"export", Path("out.ICS")}).Out, "Export successful\n");
    EXPECT_EQ(ReadText(Path("out.ICS")).rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
    const TCliRun again = Run({"import", Path("out.ICS")});
    EXPECT_EQ(again.Code, 0) << again.Err;
    EXPECT_EQ(again.Out, "Import Successful\n1 event(s) already in your list\n");
    EXPECT_EQ(StoredDescriptions(), std::vector<std::string>{"Bins"});
}

// A script can tell a partial import from a whole one and from none.
TEST_F(CliTest, ImportExitsByHowMuchCameIn) {
    const std::string bad =
        "BEGIN:VEVENT\r\nUID:b\r\nSUMMARY:Zero\r\nDTSTART;VALUE=DATE:20250106\r\n"
        "RRULE:FREQ=DAILY;INTERVAL=0\r\nEND:VEVENT\r\n";
    const std::string good =
        "BEGIN:VEVENT\r\nUID:g\r\nSUMMARY:Gym\r\nDTSTART;VALUE=DATE:20250107\r\n"
        "END:VEVENT\r\n";
    for (const auto& [events, code] : {std::pair(good + bad, 1), std::pair(bad, 2)}) {
        std::ofstream(Path("in.ics"), std::ios::binary | std::ios::trunc)
            << "BEGIN:VCALENDAR\r\n" + events + "END:VCALENDAR\r\n";
        EXPECT_EQ(Run({"import", Path("in.ics")}).Code, code) << events;
    }
}
