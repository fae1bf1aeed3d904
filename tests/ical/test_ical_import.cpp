// Import: a round trip through the export, a second import of the same
// file, the sample files of other calendar programs, and damaged files.
#include "ICalTestSupport.h"
#include "core/Cp1252.h"
#include "core/EventId.h"
#include "ical/ICalExport.h"
#include "ical/ICalImport.h"
#include "store/DataFile.h"
#include "store/EventBook.h"

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

std::vector<std::string> Described(const TMyList& list) {
    std::vector<std::string> out;
    for (const TTickwellItem* e : list.All())
        out.push_back(Describe(*e));
    std::sort(out.begin(), out.end());
    return out;
}

class ICalImportTest : public ICalTest {
protected:
    TEventBook Book;
    TMyList& List = Book.MasterList;
    void SetUp() override {
        ICalTest::SetUp();
        List.FileName = Path("tickwell.dat");
    }
    void Add(const TRecSpec& s) { List.AddSorted(MakeEvent(s)); }
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
    Add(Repeating(etMonthlyDay, D(2024, 1, 26), 2, 4, 6)); // the last Friday
    TRecSpec rank22 = Repeating(etMonthlyDate, D(2024, 3, 1), 1, 22, 0, D(2030, 12, 31));
    rank22.Ack = D(2024, 5, 31);
    Add(rank22);
    Add(Repeating(etMonthlyDate, D(2024, 1, 31)));
    Add(Repeating(etDaily, D(2024, 7, 1), 3, 0, 0, D(2024, 6, 1))); // ends before it starts
    Add(Repeating(etAccounting, D(2024, 7, 1))); // written as three linked events
    Add(Repeating(etYearly, D(2024, 2, 29), 4));
    Add(Repeating(etYearly, D(2024, 2, 29))); // its first day, then a linked event
    ASSERT_TRUE(ExportICalendarCommand(List, Path("out.ics")).Succeeded);

    TEventBook backBook;
    TMyList& back = backBook.MasterList;
    back.FileName = Path("back.dat");
    ASSERT_TRUE(ImportICalendarCommand(backBook, Path("out.ics")).Succeeded);
    EXPECT_EQ(Shown.back().Text, "Import Successful\n8 event(s) added");
    TMyList saved; // as stored, not only as listed
    ASSERT_TRUE(LoadEvents(saved, back.FileName));
    EXPECT_EQ(StoredFields(saved), StoredFields(List));
}

TEST_F(ICalImportTest, ASecondImportUpdatesInsteadOfAddingCopies) {
    TRecSpec choir = Repeating(etWeekly, D(2024, 6, 3));
    choir.Description = "Choir";
    Add(choir);
    Add(TRecSpec{});
    ASSERT_TRUE(WriteICalendarFile(List, Path("out.ics")));
    // Acknowledged here, then edited in another calendar, which keeps the UID.
    TTickwellItem* mine = List[0]->Description == "Choir" ? List[0] : List[1];
    mine->AckDate = mine->PrevDate;
    const TDateTime ack = mine->AckDate;
    std::string edited = ReadBytes(Path("out.ics"));
    edited.replace(edited.find("SUMMARY:Choir"), 13, "SUMMARY:Choir practice");
    edited.replace(edited.find("FREQ=WEEKLY"), 11, "FREQ=WEEKLY;INTERVAL=2");
    WriteBytes(Path("edited.ics"), edited);
    ImportICalendarCommand(Book, Path("edited.ics"));
    EXPECT_EQ(Shown.back().Text,
              "Import Successful\n1 event(s) updated\n1 event(s) already in your list");
    EXPECT_EQ(Describe(*mine), "Choir practice: Weekly every 2 from 2024-06-03 no end, notice 7");
    EXPECT_EQ(mine->AckDate, ack);

    // Another calendar's file, again after the notice period was changed
    // here: found by its text and days, and the notice stays.
    Answers = {anNo, anNo};
    ImportICalendarCommand(Book, SampleFile("kde.ics"));
    TTickwellItem* party = *std::find_if(List.All().begin(), List.All().end(),
                                         [](auto* e) { return e->Description == "Party"; });
    party->NoticePeriod = 1;
    ImportICalendarCommand(Book, SampleFile("kde.ics"));
    EXPECT_EQ(List.Count(), 12);
    EXPECT_EQ(party->NoticePeriod, 1);
}

TEST_F(ICalImportTest, FilesOfOtherProgramsImportWithTheirReports) {
    const std::string question =
        "Tickwell cannot repeat these events on exactly the days of the file:\n";
    const std::string offer = "\nImport each of them as its first occurrence only?\n"
                              "(No leaves them out; Cancel imports nothing.)";
    const auto timed = [](int n) {
        return std::to_string(n) +
               " event(s) at a time of day put on their day in this computer's time zone";
    };
    const std::string kdeQuestion =
        question + "\"Bins out\": FREQ=WEEKLY;BYDAY=TH with dates left out" + offer;
    std::vector<std::string> kdeEvents = {"Gym: Weekly every 1 from 2025-01-06 no end, notice 7",
                                          "Gym: Weekly every 1 from 2025-01-08 no end, notice 7"};
    for (int month : {1, 3, 5, 7, 8, 10, 12})
        kdeEvents.push_back("Meter reading: Yearly every 1 from " + IsoDate(D(2025, month, 31)) +
                            " no end, notice 7");
    kdeEvents.push_back("Party: Once Only from 2025-02-01, notice 7");
    const std::string kdeChanges =
        "\n2 event(s) imported as Tickwell can hold them:\n"
        "\"Meter reading\": it repeats on the 31st, which not every month has; it comes in as a "
        "yearly event for each month that has it\n"
        "\"Gym\": it repeats on 2 days of the week; it comes in as a weekly event for each\n" +
        timed(2);
    struct {
        const char* File;
        TAnswer Answer;
        std::vector<std::string> Events;
        std::vector<std::string> Messages;
    } cases[] = {
        // 19:00 in New York is already Tuesday in Berlin; so is 23:30 UTC.
        {"google.ics",
         anYes,
         {"Call Sam: Once Only from 2025-01-07, notice 0",
          "Late train: Once Only from 2025-01-11, notice 7",
          "Mum's birthday: Yearly every 1 from 2025-03-14 no end, notice 2"},
         {question + "\"Call Sam\": FREQ=WEEKLY;BYDAY=MO with dates left out" + offer,
          "Import Successful\n3 event(s) added\n"
          "1 event(s) imported as their first occurrence only\n" +
              timed(2)}},
        {"apple.ics",
         anYes,
         {"Payroll: Monthly - Date rank 23 every 1 from 2025-01-31 no end, notice 7",
          "Physio: Weekly every 1 from 2025-03-03 to 2025-03-24, notice 1"},
         {"Import Successful\n2 event(s) added\n"
          "1 changed occurrence(s) of repeating events ignored"}},
        {"kde.ics",
         anNo,
         kdeEvents,
         {kdeQuestion, "Import Successful\n10 event(s) added\n1 event(s) left out" + kdeChanges}},
        {"kde.ics", anCancel, {}, {kdeQuestion}},
    };
    for (const auto& c : cases) {
        TEventBook book;
        TMyList& list = book.MasterList;
        list.FileName = Path("list.dat");
        Shown.clear();
        Asked.clear();
        Answers = {c.Answer};
        ImportICalendarCommand(book, SampleFile(c.File));
        std::vector<std::string> messages = Asked;
        for (const std::string& t : ShownTexts())
            messages.push_back(t);
        EXPECT_EQ(messages, c.Messages) << c.File;
        EXPECT_EQ(Described(list), c.Events) << c.File;
    }
}

TEST_F(ICalImportTest, AFileWithNoEventToTakeChangesNothing) {
    Add(Repeating(etWeekly, D(2024, 6, 3)));
    ASSERT_TRUE(SaveEvents(List, List.FileName));
    const std::string before = ReadBytes(List.FileName);
    const std::string good = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:1\r\n"
                             "DTSTART;VALUE=DATE:20250106\r\nSUMMARY:Fine\r\nEND:VEVENT\r\n";
    struct {
        std::string Text;
        std::string Notice;
    } cases[] = {
        {good, "Import Error\nThe file is not a complete iCalendar file."},
        {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:Someday\r\nEND:VEVENT\r\n"
         "BEGIN:VTODO\r\nSUMMARY:Taxes\r\nEND:VTODO\r\nEND:VCALENDAR\r\n",
         "No events in iCalendar file\n1 to-do(s) ignored\n1 event(s) not imported:\n"
         "\"Someday\": it has no start date"},
    };
    for (const auto& c : cases) {
        WriteBytes(Path("in.ics"), c.Text);
        Shown.clear();
        EXPECT_FALSE(ImportICalendarCommand(Book, Path("in.ics")).ListChanged) << c.Notice;
        ASSERT_EQ(Shown.size(), 1u) << c.Notice;
        EXPECT_EQ(Shown[0].Text, c.Notice);
        EXPECT_EQ(Shown[0].Kind, mkError);
        EXPECT_EQ(ReadBytes(List.FileName), before);
    }
}

// What calcurse and hand edits leave: a bad alarm, a rule libical cannot
// read, a stray line. Each costs only itself, and the summary names it.
TEST_F(ICalImportTest, APartThatCannotBeReadCostsOnlyItself) {
    const std::string file = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
                             "BEGIN:VEVENT\r\nUID:1\r\nDTSTART;VALUE=DATE:20261210\r\n"
                             "SUMMARY:Dentist\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\n"
                             "TRIGGER:-P300S\r\nEND:VALARM\r\nEND:VEVENT\r\n"
                             "garbage line\r\n"
                             "BEGIN:VEVENT\r\nUID:2\r\nDTSTART;VALUE=DATE:20261211\r\n"
                             "RRULE:FREQ=DAILY;INTERVAL=0\r\nSUMMARY:Zero\r\nEND:VEVENT\r\n"
                             "BEGIN:VEVENT\r\nUID:3\r\nDTSTART;VALUE=DATE:30010106\r\n"
                             "SUMMARY:Far\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    WriteBytes(Path("in.ics"), file);
    ASSERT_TRUE(ImportICalendarCommand(Book, Path("in.ics")).ListChanged);
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0].Text,
              "Import Successful\n1 event(s) added\n"
              "2 event(s) not imported:\n"
              "\"Zero\": its repeat rule \"FREQ=DAILY;INTERVAL=0\" cannot be read\n"
              "\"Far\": it has days after the year 3000, which Tickwell cannot exchange in "
              "iCalendar files\n"
              "1 event(s) imported without a part that could not be read:\n"
              "\"Dentist\": a reminder whose time \"-P300S\" could not be read was left "
              "out\n"
              "1 line(s) that are not iCalendar passed over");
    EXPECT_EQ(Shown[0].Kind, mkWarning);
    ASSERT_EQ(List.Count(), 1);
    EXPECT_EQ(List[0]->Description, "Dentist");
    EXPECT_EQ(List[0]->NoticePeriod, TICalDefaults{}.Notice);
}

// A rule without an end, from another calendar: "No End Point", a century
// on from the start or, when the start has passed, from today. The round trip
// above keeps the end the program stored.
TEST_F(ICalImportTest, AnEndlessRuleEndsACenturyOn) {
    for (const auto& [start, end] :
         {std::pair("19250601", D(2124, 6, 15)), std::pair("20300101", D(2130, 1, 1))}) {
        const TICalContents read = ReadICalendar(
            std::string("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:1\r\nDTSTART;VALUE=DATE:") + start +
                "\r\nRRULE:FREQ=YEARLY\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n",
            TICalDefaults{});
        EXPECT_TRUE(read.Events.at(0).Record.NoEndPoint) << start;
        EXPECT_EQ(read.Events.at(0).Record.EndDate, end) << start;
    }
}

// Texts a record cannot carry, cut or cleaned as read; days past what can
// be written, refused on the way out as on the way in.
TEST_F(ICalImportTest, TextsAreCleanedAndFarDaysRefused) {
    const std::string head = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:1\r\n";
    const std::string tail = "END:VEVENT\r\nEND:VCALENDAR\r\n";
    struct {
        std::string Event;
        std::string Description;
    } cases[] = {
        {"DTSTART;VALUE=DATE:20250106\r\nSUMMARY:Gym\rclass\x01\r\n", "Gymclass"},
        {"DTSTART;VALUE=DATE:20250106\r\nSUMMARY:Gym  \r\nDESCRIPTION:Gym \\n\tbag\r\n",
         "Gym\r\n\tbag"},
        // Cut to the 255 characters a record holds, just after a blank.
        {"DTSTART;VALUE=DATE:20250106\r\nSUMMARY:" + std::string(254, 'x') + "  y\r\n",
         std::string(254, 'x')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Event);
        const TICalContents first = ReadICalendar(head + c.Event + tail, TICalDefaults{});
        EXPECT_EQ(first.Events.at(0).Record.Description(), c.Description);
    }
    Add(Repeating(etDaily, D(3001, 1, 1)));
    EXPECT_THROW(ICalendarText(List), TTickwellError);
}

// Text in any script goes out as UTF-8 and comes back whole, also when a
// long line is folded; the UID carries the event's id, so that an edit
// keeps it and a second import finds the event again.
TEST_F(ICalImportTest, TextInAnyScriptAndTheIdTravelBothWays) {
    const std::string birthday = "Γενέθλια 生日 🎂";
    std::string longText;
    for (int i = 0; longText.size() < 400; ++i)
        longText += "Ωραία μέρα " + std::to_string(i) + " ";
    longText.pop_back();
    Add({birthday});
    Add({longText, D(2024, 7, 1)});
    TTickwellItem* mine = List[0]->Description == birthday ? List[0] : List[1];
    const std::string uid = "UID:" + EventId(*mine) + "@tickwell\r\n";
    ASSERT_TRUE(WriteICalendarFile(List, Path("out.ics")));
    const std::string bytes = ReadBytes(Path("out.ics"));
    EXPECT_NE(bytes.find("SUMMARY:" + birthday + "\r\n"), std::string::npos);
    EXPECT_TRUE(IsUtf8(bytes));
    EXPECT_EQ(bytes.find('?'), std::string::npos);
    EXPECT_NE(bytes.find(uid), std::string::npos);

    TEventBook backBook;
    TMyList& back = backBook.MasterList;
    back.FileName = Path("back.dat");
    ASSERT_TRUE(ImportICalendarCommand(backBook, Path("out.ics")).Succeeded);
    TMyList saved;
    ASSERT_TRUE(LoadEvents(saved, back.FileName));
    EXPECT_EQ(StoredFields(saved), StoredFields(List));
    for (const TTickwellItem* e : saved.All()) // the ids of the UIDs, as no event held them
        EXPECT_TRUE(e->Id == List[0]->Id || e->Id == List[1]->Id) << e->Description;

    mine->Description = birthday + " 2";
    ASSERT_TRUE(WriteICalendarFile(List, Path("edited.ics")));
    EXPECT_NE(ReadBytes(Path("edited.ics")).find(uid), std::string::npos);
    ImportICalendarCommand(backBook, Path("edited.ics"));
    EXPECT_EQ(Shown.back().Text,
              "Import Successful\n1 event(s) updated\n1 event(s) already in your list");
    EXPECT_EQ(back.Count(), 2);
}

// An event of another calendar keeps its UID and SEQUENCE in the companion,
// and a later import of that calendar's file finds it by the UID even after
// its text changed there. Texts that differ only where the record holds "?"
// are two events. A file older than the last one (a lower SEQUENCE) changes
// nothing.
TEST_F(ICalImportTest, AnotherCalendarsUidFindsItsEventAgain) {
    const auto file = [](const std::string& summary, int sequence) {
        return "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:party-1@example.org\r\nSEQUENCE:" +
               std::to_string(sequence) + "\r\nDTSTART;VALUE=DATE:20250106\r\nSUMMARY:" + summary +
               "\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nUID:party-2@example.org\r\n"
               "DTSTART;VALUE=DATE:20250106\r\nSUMMARY:Πάρτι\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    };
    const auto uids = [&] {
        TMyList saved;
        EXPECT_TRUE(LoadEvents(saved, List.FileName));
        std::vector<std::string> out;
        for (const TTickwellItem* e : saved.All())
            out.push_back(e->Description + " " + (e->Extras ? e->Extras->ICalUid : "-") + " " +
                          std::to_string(e->Extras ? e->Extras->ICalSequence : -1));
        std::sort(out.begin(), out.end());
        return out;
    };
    WriteBytes(Path("in.ics"), file("Πάρτυ", 2));
    ImportICalendarCommand(Book, Path("in.ics"));
    EXPECT_EQ(uids(), (std::vector<std::string>{"Πάρτι party-2@example.org 0",
                                                "Πάρτυ party-1@example.org 2"}));
    WriteBytes(Path("in.ics"), file("Πάρτυ!", 3));
    ImportICalendarCommand(Book, Path("in.ics"));
    EXPECT_EQ(Shown.back().Text,
              "Import Successful\n1 event(s) updated\n1 event(s) already in your list");
    const std::vector<std::string> updated = {"Πάρτι party-2@example.org 0",
                                              "Πάρτυ! party-1@example.org 3"};
    EXPECT_EQ(uids(), updated);
    WriteBytes(Path("in.ics"), file("Πάρτυ", 2)); // older than the last one
    ImportICalendarCommand(Book, Path("in.ics"));
    EXPECT_EQ(uids(), updated);
    EXPECT_EQ(List.Count(), 2);
}

// What the program cannot hold as the file has it is either mapped to days
// it can hold or said in the summary; nothing changes silently.
TEST_F(ICalImportTest, WhatCannotBeHeldAsItIsIsMappedOrSaid) {
    const char* const events[] = {
        "SUMMARY:Trip\r\nDTSTART;VALUE=DATE:20250106\r\nDTEND;VALUE=DATE:20250109",
        "SUMMARY:Gala\r\nDTSTART;VALUE=DATE:20250106\r\nSTATUS:CANCELLED",
        "SUMMARY:Late\r\nDTSTART:20250106T100000\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\n"
        "DESCRIPTION:Late\r\nTRIGGER:PT1H\r\nEND:VALARM",
        "SUMMARY:Short\r\nDTSTART;VALUE=DATE:20250106\r\nRRULE:FREQ=WEEKLY;UNTIL=20250101",
        "SUMMARY:Rare\r\nDTSTART;VALUE=DATE:20250106\r\nRRULE:FREQ=YEARLY;INTERVAL=1000",
        "SUMMARY:Old\r\nDTSTART;VALUE=DATE:19200503\r\nRRULE:FREQ=YEARLY",
        "SUMMARY:February's end\r\nDTSTART;VALUE=DATE:20240229\r\n"
        "RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1",
        "SUMMARY:Caf\xe9\r\nDTSTART;VALUE=DATE:20250107",
        "SUMMARY:Leap\r\nDTSTART;VALUE=DATE:20240229\r\nRRULE:FREQ=YEARLY",
        // Never meets a common year.
        "SUMMARY:Century\r\nDTSTART;VALUE=DATE:20240229\r\nRRULE:FREQ=YEARLY;INTERVAL=100",
    };
    std::string file = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
    int uid = 0;
    for (const char* e : events)
        file += "BEGIN:VEVENT\r\nUID:" + std::to_string(++uid) + "\r\n" + e + "\r\nEND:VEVENT\r\n";
    WriteBytes(Path("in.ics"), file + "END:VCALENDAR\r\n");
    Answers = {anNo};
    ImportICalendarCommand(Book, Path("in.ics"));
    EXPECT_EQ(Asked, std::vector<std::string>{
                         "Tickwell cannot repeat these events on exactly the days of the file:\n"
                         "\"Rare\": FREQ=YEARLY;INTERVAL=1000\n"
                         "Import each of them as its first occurrence only?\n"
                         "(No leaves them out; Cancel imports nothing.)"});
    EXPECT_EQ(ShownTexts(),
              std::vector<std::string>{
                  "Import Successful\n8 event(s) added\n1 event(s) left out\n"
                  "The file is not UTF-8 text; it was read as Windows-1252\n"
                  "1 event(s) not imported:\n\"Gala\": it is cancelled\n"
                  "5 event(s) imported as Tickwell can hold them:\n"
                  "\"Trip\": it lasts 3 days; Tickwell reminds of its first day\n"
                  "\"Late\": its reminder goes off after it begins; Tickwell reminds on the day "
                  "itself\n"
                  "\"Short\": its repeat rule ends on 01/01/2025, before it begins; it comes in as "
                  "its first day alone\n"
                  "\"Old\": its repeat rule has no end and began on 03/05/1920; it begins on "
                  "03/05/2024 here, as Tickwell ends a repeat 100 years after it begins\n"
                  "\"Leap\": it falls on 29 February, which only leap years have; Tickwell repeats "
                  "it every 4 years, on 28 February from 2100, which is no leap year\n"
                  "1 event(s) at a time of day put on their day in this computer's time zone"});
    EXPECT_EQ(Described(List),
              (std::vector<std::string>{
                  "Caf\xc3\xa9: Once Only from 2025-01-07, notice 7",
                  "Century: Yearly every 100 from 2024-02-29 no end, notice 7",
                  "February's end: Monthly - Date rank 0 every 12 from 2024-02-29 no end, notice 7",
                  "Late: Once Only from 2025-01-06, notice 0",
                  "Leap: Yearly every 4 from 2024-02-29 no end, notice 7",
                  "Old: Yearly every 1 from 2024-05-03 no end, notice 7",
                  "Short: Once Only from 2025-01-06, notice 7",
                  "Trip: Once Only from 2025-01-06, notice 7"}));
}
