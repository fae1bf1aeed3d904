// tickwell-cli's export and import choose iCalendar by the file's extension.
#include "CliTestSupport.h"

TEST_F(CliTest, ICalendarFilesGoOutAndComeBackByTheirExtension) {
    AddEvents({{"--desc", "Bins", "--start", "2025-01-03", "--weekly"}});
    EXPECT_EQ(Run({"export", Path("out.ICS")}).Out, "Export successful\n");
    EXPECT_EQ(ReadText(Path("out.ICS")).rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
    const TCliRun again = Run({"import", Path("out.ICS")});
    EXPECT_EQ(again.Code, 0) << again.Err;
    EXPECT_EQ(again.Out, "Import Successful\n1 event(s) already in your list\n");
    EXPECT_EQ(StoredDescriptions(), std::vector<std::string>{"Bins"});
}
