// Import: a round trip through the export, a second import of the same
// file, files in the style of other calendar programs, and damaged files.
#include "ical/ICalImport.h"
#include "ICalTestSupport.h"
#include "core/HalvaneDates.h"
#include "ical/ICalExport.h"
#include "store/DataFile.h"

using namespace storetest;
using namespace icaltest;

namespace {

// Every stored field, readable in a failure.
std::vector<std::string> StoredFields(const TMyList& list) {
    std::vector<std::string> out;
    for (const TTickwellItem* e : list.All())
        out.push_back(e->Description + " | " + e->ToCsvLine() + " | noend " +
                      std::to_string(e->NoEndPoint) + " | ack " + std::to_string(e->AckDate));
    std::sort(out.begin(), out.end());
    return out;
}

class ICalImportTest : public ICalTest {
protected:
    TMyList List;
    void SetUp() override {
        ICalTest::SetUp();
        List.FileName = Path("tickwell.dat");
    }
    void Add(const TRecSpec& s) { List.AddSorted(MakeEvent(s)); }
    TRecSpec Repeating(int type, TDateTime start, int interval = 1, int rank = 0) {
        TRecSpec s;
        s.Simple = false;
        s.Type = static_cast<uint8_t>(type);
        s.Start = start;
        s.Interval = static_cast<int16_t>(interval);
        s.Rank = static_cast<int16_t>(rank);
        s.Weekday = static_cast<int16_t>(DayOfWeek(start));
        return s;
    }
};

} // namespace

TEST_F(ICalImportTest, ARoundTripKeepsEveryStoredField) {
    TRecSpec once;
    once.Description = "Dentist\r\nBring the card, and \"cash\"; 20\xe2\x82\xac";
    once.Type = etMonthlyDay; // hidden behind the once-only flag
    once.Interval = 5;
    once.Notice = 0;
    once.Keep = true;
    once.Ack = once.Start;
    Add(once);
    TRecSpec monthlyDay = Repeating(etMonthlyDay, D(2024, 1, 20), 2, 1); // 2nd Saturday
    monthlyDay.Description = "Market";
    Add(monthlyDay);
    TRecSpec rank22 = Repeating(etMonthlyDate, D(2024, 3, 1), 1, 22);
    rank22.End = D(2030, 12, 31);
    rank22.Ack = D(2024, 5, 31);
    Add(rank22);
    TRecSpec leap = Repeating(etYearly, D(2024, 2, 29));
    leap.Keep = true;
    Add(leap);
    Add(Repeating(etAccounting, D(2024, 5, 1)));
    Add(Repeating(etMonthlyDate, D(2024, 1, 30)));
    TRecSpec ended = Repeating(etDaily, D(2024, 7, 1), 3);
    ended.End = D(2024, 6, 1);
    Add(ended);
    Add(Repeating(etWeekly, D(2024, 7, 1), 0));
    ASSERT_TRUE(ExportICalendarCommand(List, Path("out.ics")).Succeeded);

    TMyList back;
    back.FileName = Path("back.dat");
    ASSERT_TRUE(ImportICalendarCommand(back, Path("out.ics")).Succeeded);
    EXPECT_EQ(Shown.back().Text, "Import Successful\n8 event(s) added");
    EXPECT_TRUE(Asked.empty());
    EXPECT_EQ(StoredFields(back), StoredFields(List));
    TMyList saved;
    ASSERT_TRUE(LoadEvents(saved, back.FileName));
    EXPECT_EQ(StoredFields(saved), StoredFields(List));
}

TEST_F(ICalImportTest, ASecondImportUpdatesInsteadOfAddingCopies) {
    TRecSpec weekly = Repeating(etWeekly, D(2024, 6, 3));
    weekly.Description = "Choir";
    Add(weekly);
    TRecSpec once;
    once.Description = "Dentist";
    Add(once);
    ASSERT_TRUE(WriteICalendarFile(List, Path("out.ics")));
    const std::string text = ReadBytes(Path("out.ics"));

    // The same file again; then acknowledged here and edited in another
    // calendar (its text and step), which keeps the UID.
    ImportICalendarCommand(List, Path("out.ics"));
    EXPECT_EQ(Shown.back().Text, "Import Successful\n2 event(s) already in your list");
    List[0]->AckDate = List[0]->PrevDate;
    std::string edited = text;
    edited.replace(edited.find("SUMMARY:Choir"), 13, "SUMMARY:Choir practice");
    edited.replace(edited.find("DESCRIPTION:Choir"), 17, "DESCRIPTION:Choir practice");
    edited.replace(edited.find("FREQ=WEEKLY"), 11, "FREQ=WEEKLY;INTERVAL=2");
    WriteBytes(Path("edited.ics"), edited);
    const TDateTime ack = List[0]->AckDate;
    ImportICalendarCommand(List, Path("edited.ics"));
    EXPECT_EQ(Shown.back().Text,
              "Import Successful\n1 event(s) updated\n1 event(s) already in your list");
    ASSERT_EQ(List.Count(), 2);
    const TTickwellItem* choir = List[0]->Description == "Dentist" ? List[1] : List[0];
    EXPECT_EQ(choir->Description, "Choir practice");
    EXPECT_EQ(choir->Interval, 2);
    EXPECT_EQ(choir->AckDate, ack);

    WriteBytes(Path("other.ics"), Ics({"BEGIN:VCALENDAR", "VERSION:2.0", "BEGIN:VEVENT",
                                       "UID:x1@example.com", "DTSTART;VALUE=DATE:20240701",
                                       "SUMMARY:Picnic", "END:VEVENT", "END:VCALENDAR"}));
    // A file of another program, again after the user changed the notice
    // period here: the event is found by its text and days and keeps it.
    ImportICalendarCommand(List, Path("other.ics"));
    TTickwellItem* picnic = *std::find_if(List.All().begin(), List.All().end(),
                                          [](auto* e) { return e->Description == "Picnic"; });
    picnic->NoticePeriod = 1;
    ImportICalendarCommand(List, Path("other.ics"));
    EXPECT_EQ(Shown.back().Text, "Import Successful\n1 event(s) already in your list");
    EXPECT_EQ(List.Count(), 3);
    EXPECT_EQ(picnic->NoticePeriod, 1);
}

namespace {

struct TExpected {
    const char* Description;
    bool Simple;
    int Type;
    int Rank;
    int Weekday;
    int Interval;
    TDateTime Start;
    TDateTime End; // 0: no end point
    int Notice;
};

struct TOtherFile {
    const char* Style;
    std::string Text;
    TAnswer Answer;
    std::vector<TExpected> Events;
    std::vector<std::string> Notices;
};

std::vector<TOtherFile> OtherFiles() {
    return {
        {"Google: zones, UTC times, an EXDATE, minutes-before reminders",
         Ics({"BEGIN:VCALENDAR", "PRODID:-//Google Inc//Google Calendar 70.9054//EN", "VERSION:2.0",
              "CALSCALE:GREGORIAN", "METHOD:PUBLISH", "X-WR-CALNAME:Home", kNewYork, "BEGIN:VEVENT",
              // 19:00 in New York is already Tuesday in Berlin.
              "DTSTART;TZID=America/New_York:20250106T190000",
              "DTEND;TZID=America/New_York:20250106T200000", "RRULE:FREQ=WEEKLY;BYDAY=MO",
              "EXDATE;TZID=America/New_York:20250120T190000", "UID:a1@google.com",
              "SUMMARY:Call Sam", "BEGIN:VALARM", "ACTION:DISPLAY",
              "DESCRIPTION:This is an event reminder", "TRIGGER:-P0DT0H30M0S", "END:VALARM",
              "END:VEVENT", "BEGIN:VEVENT", "DTSTART:20250110T233000Z", "DTEND:20250111T003000Z",
              "UID:a2@google.com", "SUMMARY:Late train", "DESCRIPTION:Platform 4", "END:VEVENT",
              "BEGIN:VEVENT", "DTSTART;VALUE=DATE:20250314", "DTEND;VALUE=DATE:20250315",
              "RRULE:FREQ=YEARLY", "UID:a3@google.com", "SUMMARY:Mum's birthday", "BEGIN:VALARM",
              "ACTION:DISPLAY", "TRIGGER:-P2D", "END:VALARM", "END:VEVENT", "END:VCALENDAR"}),
         anYes,
         {{"Call Sam", true, 0, 0, 3, 1, D(2025, 1, 7), D(2025, 1, 7), 0},
          {"Late train\r\nPlatform 4", true, 0, 0, 7, 1, D(2025, 1, 11), D(2025, 1, 11), 7},
          {"Mum's birthday", false, etYearly, 0, 6, 1, D(2025, 3, 14), 0, 2}},
         {"Tickwell cannot repeat these events on exactly the days of the file:\n"
          "\"Call Sam\": FREQ=WEEKLY;BYDAY=MO with dates left out\n"
          "Import each of them as its first occurrence only?\n"
          "(No leaves them out; Cancel imports nothing.)",
          "Import Successful\n3 event(s) added\n1 event(s) imported as their first occurrence "
          "only"}},
        {"Thunderbird: last day and last Friday, a to-do, reminders before and after",
         Ics({"BEGIN:VCALENDAR",
              "PRODID:-//Mozilla.org/NONSGML Mozilla Calendar V1.1//EN",
              "VERSION:2.0",
              kBerlin,
              "BEGIN:VEVENT",
              "UID:b1",
              "SUMMARY:Rent",
              "RRULE:FREQ=MONTHLY;BYMONTHDAY=-1",
              "DTSTART;VALUE=DATE:20250131",
              "DTEND;VALUE=DATE:20250201",
              "X-MOZ-GENERATION:1",
              "BEGIN:VALARM",
              "ACTION:DISPLAY",
              "TRIGGER;VALUE=DURATION:-PT15M",
              "DESCRIPTION:Default Mozilla Description",
              "END:VALARM",
              "END:VEVENT",
              "BEGIN:VEVENT",
              "UID:b2",
              "SUMMARY:Book club",
              "RRULE:FREQ=MONTHLY;UNTIL=20251231T230000Z;BYDAY=-1FR",
              "DTSTART;TZID=Europe/Berlin:20250131T193000",
              "DTEND;TZID=Europe/Berlin:20250131T213000",
              "BEGIN:VALARM",
              "ACTION:DISPLAY",
              "TRIGGER:PT1H",
              "END:VALARM",
              "BEGIN:VALARM",
              "ACTION:DISPLAY",
              "TRIGGER;RELATED=END:-P3DT2H",
              "END:VALARM",
              "END:VEVENT",
              "BEGIN:VTODO",
              "UID:b3",
              "SUMMARY:Tax return",
              "END:VTODO",
              "END:VCALENDAR"}),
         anYes,
         {{"Rent", false, etMonthlyDate, 0, 6, 1, D(2025, 1, 31), 0, 1},
          {"Book club", false, etMonthlyDay, 4, 6, 1, D(2025, 1, 31), D(2025, 12, 26), 3}},
         {"Import Successful\n2 event(s) added\n1 to-do(s) ignored"}},
        {"Apple: a counted weekly rule, last working day, moved occurrence, no reminder",
         Ics({"BEGIN:VCALENDAR",
              "VERSION:2.0",
              "PRODID:-//Apple Inc.//macOS 14.0//EN",
              "CALSCALE:GREGORIAN",
              "BEGIN:VEVENT",
              "TRANSP:TRANSPARENT",
              "DTSTART;VALUE=DATE:20250303",
              "DTEND;VALUE=DATE:20250304",
              "RRULE:FREQ=WEEKLY;COUNT=4",
              "UID:c1",
              "SUMMARY:Physio",
              "BEGIN:VALARM",
              "X-WR-ALARMUID:c1a",
              "TRIGGER:-PT15H",
              "ACTION:DISPLAY",
              "END:VALARM",
              "END:VEVENT",
              "BEGIN:VEVENT",
              "DTSTART;VALUE=DATE:20250131",
              "RRULE:FREQ=MONTHLY;INTERVAL=1;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1",
              "UID:c2",
              "SUMMARY:Payroll",
              "END:VEVENT",
              "BEGIN:VEVENT",
              "UID:c2",
              "RECURRENCE-ID;VALUE=DATE:20250228",
              "DTSTART;VALUE=DATE:20250227",
              "SUMMARY:Payroll (early)",
              "END:VEVENT",
              "END:VCALENDAR"}),
         anYes,
         {{"Physio", false, etWeekly, 0, 2, 1, D(2025, 3, 3), D(2025, 3, 24), 1},
          {"Payroll", false, etMonthlyDate, 23, 6, 1, D(2025, 1, 31), 0, 7}},
         {"Import Successful\n2 event(s) added\n"
          "1 changed occurrence(s) of repeating events ignored"}},
        {"KDE: the 31st of every month and two weekdays, answered No",
         Ics({"BEGIN:VCALENDAR",
              "PRODID:-//K Desktop Environment//NONSGML libkcal 4.3//EN",
              "VERSION:2.0",
              "BEGIN:VEVENT",
              "UID:d1",
              "DTSTART;VALUE=DATE:20250131",
              "RRULE:FREQ=MONTHLY;BYMONTHDAY=31",
              "SUMMARY:Meter reading",
              "END:VEVENT",
              "BEGIN:VEVENT",
              "UID:d2",
              "DTSTART:20250106T180000",
              "RRULE:FREQ=WEEKLY;BYDAY=MO,WE",
              "SUMMARY:Gym",
              "END:VEVENT",
              "BEGIN:VEVENT",
              "UID:d3",
              "DTSTART;VALUE=DATE:20250201",
              "SUMMARY:Party",
              "END:VEVENT",
              "END:VCALENDAR"}),
         anNo,
         {{"Party", true, 0, 0, 7, 1, D(2025, 2, 1), D(2025, 2, 1), 7}},
         {"Tickwell cannot repeat these events on exactly the days of the file:\n"
          "\"Meter reading\": FREQ=MONTHLY;BYMONTHDAY=31\n"
          "\"Gym\": FREQ=WEEKLY;BYDAY=MO,WE\n"
          "Import each of them as its first occurrence only?\n"
          "(No leaves them out; Cancel imports nothing.)",
          "Import Successful\n1 event(s) added\n2 event(s) left out"}},
        {"the same, answered Cancel",
         Ics({"BEGIN:VCALENDAR", "VERSION:2.0", "BEGIN:VEVENT", "UID:e1",
              "DTSTART;VALUE=DATE:20250106", "RRULE:FREQ=WEEKLY;BYDAY=MO,WE", "SUMMARY:Gym",
              "END:VEVENT", "BEGIN:VEVENT", "UID:e2", "DTSTART;VALUE=DATE:20250201",
              "SUMMARY:Party", "END:VEVENT", "END:VCALENDAR"}),
         anCancel,
         {},
         {"Tickwell cannot repeat these events on exactly the days of the file:\n"
          "\"Gym\": FREQ=WEEKLY;BYDAY=MO,WE\n"
          "Import each of them as its first occurrence only?\n"
          "(No leaves them out; Cancel imports nothing.)"}},
    };
}

} // namespace

TEST_F(ICalImportTest, FilesOfOtherProgramsImportWithTheirReports) {
    for (const TOtherFile& f : OtherFiles()) {
        TMyList list;
        list.FileName = Path("list.dat");
        WriteBytes(Path("in.ics"), f.Text);
        Shown.clear();
        Asked.clear();
        Answers = {f.Answer};
        ImportICalendarCommand(list, Path("in.ics"));
        std::vector<std::string> texts = Asked;
        for (const std::string& t : ShownTexts())
            texts.push_back(t);
        EXPECT_EQ(texts, f.Notices) << f.Style;
        ASSERT_EQ(list.Count(), static_cast<int>(f.Events.size())) << f.Style;
        for (const TExpected& x : f.Events) {
            const auto it = std::find_if(list.All().begin(), list.All().end(),
                                         [&](auto* e) { return e->Description == x.Description; });
            ASSERT_NE(it, list.All().end()) << f.Style << ": " << x.Description;
            const TTickwellItem& e = **it;
            EXPECT_EQ(
                std::make_tuple(e.Simple, e.Simple ? 0 : int{e.EventType}, e.Rank, e.Weekday,
                                e.Interval, e.StartDate, e.NoticePeriod),
                std::make_tuple(x.Simple, x.Type, x.Rank, x.Weekday, x.Interval, x.Start, x.Notice))
                << f.Style << ": " << x.Description;
            EXPECT_EQ(e.NoEndPoint, x.End == 0 || x.Simple) << x.Description;
            EXPECT_EQ(e.EndDate, x.End ? x.End : AddYears(100, x.Start)) << x.Description;
        }
    }
}

TEST_F(ICalImportTest, ADamagedFileChangesNothing) {
    Add(Repeating(etWeekly, D(2024, 6, 3)));
    ASSERT_TRUE(SaveEvents(List, List.FileName));
    const std::string before = ReadBytes(List.FileName);
    const std::string good = Ics({"BEGIN:VCALENDAR", "VERSION:2.0", "BEGIN:VEVENT", "UID:g1",
                                  "DTSTART;VALUE=DATE:20250106", "SUMMARY:Fine", "END:VEVENT"});
    struct {
        const char* File;
        std::string Text;
        std::string Notice;
    } cases[] = {
        {"list.csv", "Dentist,20/06/2024\r\n",
         "Import Error\nThe file is not a complete iCalendar file."},
        {"empty.ics", "", "Import Error\nThe file is not a complete iCalendar file."},
        {"cut.ics", good, "Import Error\nThe file is not a complete iCalendar file."},
        {"rule.ics",
         good + Ics({"BEGIN:VEVENT", "UID:g2", "DTSTART;VALUE=DATE:20250106",
                     "RRULE:FREQ=SOMETIMES", "SUMMARY:Odd", "END:VEVENT", "END:VCALENDAR"}),
         "Import Error\nThe event \"Odd\" cannot be read: Can't parse as RECUR value in RRULE "
         "property. Removing entire property: FREQ=SOMETIMES"},
        {"nostart.ics",
         good + Ics({"BEGIN:VEVENT", "UID:g3", "SUMMARY:Someday", "END:VEVENT", "END:VCALENDAR"}),
         "Import Error\nThe event \"Someday\" has no start date."},
        {"todo.ics",
         Ics({"BEGIN:VCALENDAR", "VERSION:2.0", "BEGIN:VTODO", "UID:t1", "SUMMARY:Taxes",
              "END:VTODO", "END:VCALENDAR"}),
         "No events in iCalendar file\n1 to-do(s) ignored"},
    };
    for (const auto& c : cases) {
        WriteBytes(Path(c.File), c.Text);
        Shown.clear();
        EXPECT_FALSE(ImportICalendarCommand(List, Path(c.File)).ListChanged) << c.File;
        ASSERT_EQ(Shown.size(), 1u) << c.File;
        EXPECT_EQ(Shown[0].Text, c.Notice);
        EXPECT_EQ(Shown[0].Kind, mkError);
        EXPECT_EQ(List.Count(), 1);
        EXPECT_EQ(ReadBytes(List.FileName), before);
    }
}
