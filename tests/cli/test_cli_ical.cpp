// tickwell-cli's export and import choose iCalendar by the file's extension.
#include "CliTestSupport.h"

TEST_F(CliTest, ICalendarFilesGoOutAndComeBackByTheirExtension) {
    AddEvents({{"--desc", "Bins", "--start", "2025-01-03", "--weekly"},
               {"--desc", "Dentist", "--start", "2025-01-20"}});
    const TCliRun exp = Run({"export", Path("out.ICS")});
    EXPECT_EQ(exp.Out, "Export successful\n");
    EXPECT_EQ(ReadText(Path("out.ICS")).rfind("BEGIN:VCALENDAR\r\n", 0), 0u);

    const TCliRun again = Run({"import", Path("out.ICS")});
    EXPECT_EQ(again.Code, 0) << again.Err;
    EXPECT_EQ(again.Out, "Import Successful\n2 event(s) already in your list\n");

    // Without a terminal the question about an inexact rule is answered No.
    std::ofstream(Path("other.ics"))
        << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:1@example.com\r\n"
           "DTSTART;VALUE=DATE:20250106\r\nRRULE:FREQ=WEEKLY;BYDAY=MO,WE\r\nSUMMARY:Gym\r\n"
           "END:VEVENT\r\nBEGIN:VEVENT\r\nUID:2@example.com\r\nDTSTART;VALUE=DATE:20250201\r\n"
           "SUMMARY:Party\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    const TCliRun other = Run({"import", Path("other.ics")});
    EXPECT_EQ(other.Code, 1);
    EXPECT_EQ(other.Out, "Import Successful\n1 event(s) added\n1 event(s) left out\n");
    EXPECT_EQ(StoredDescriptions(), (std::vector<std::string>{"Bins", "Dentist", "Party"}));
}
