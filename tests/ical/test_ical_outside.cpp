// Files that python icalendar keeps for its own tests (see
// files/outside/ORIGIN.md): written by other programs and by hand, with
// quirks none of the other samples has. A file must never cost more than
// its bad events, and a second import must find every event again.
#include "ICalTestSupport.h"
#include "ical/ICalImport.h"
#include "store/EventBook.h"

using namespace icaltest;

TEST_F(ICalTest, FilesOfPythonICalendarImportOnceEach) {
    // Questions about days the program cannot repeat exactly take each
    // event as its first occurrence, so that every event counts.
    DefaultAnswer = anYes;
    const struct {
        const char* File;
        int Events;
    } cases[] = {
        {"america_new_york.ics", 1}, // DTSTART twice, a custom zone name
        {"pacific_fiji.ics", 1},     // the same, an offset in seconds
        {"encoding.ics", 1},
        {"issue_112_missing_tzinfo_on_exdate.ics", 1},
        {"issue_53_parsing_failure.ics", 3},
        // Two calendars in one file. The first folds every line after a
        // blank one, so its event reads as one without a start and is left
        // out; python icalendar takes all three.
        {"multiple.ics", 2},
        {"recurrence.ics", 2},
        {"time.ics", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.File);
        TEventBook book;
        TMyList& list = book.MasterList;
        list.FileName = Path(std::string(c.File) + ".dat");
        const std::string file = SampleFile(std::string("outside/") + c.File);
        for (int round = 0; round < 2; ++round) {
            SCOPED_TRACE(round ? "second import" : "first import");
            Shown.clear();
            TDataResult result;
            EXPECT_NO_THROW(result = ImportICalendarCommand(book, file));
            EXPECT_EQ(list.Count(), c.Events);
            ASSERT_FALSE(Shown.empty());
            if (c.Events == 0) {
                EXPECT_FALSE(result.ListChanged);
                EXPECT_EQ(Shown.back().Kind, mkError) << Shown.back().Text;
            } else {
                EXPECT_TRUE(result.Succeeded) << Shown.back().Text;
                EXPECT_NE(Shown.back().Kind, mkError) << Shown.back().Text;
            }
        }
    }
}
