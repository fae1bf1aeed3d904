// Two homes on one calendar folder, as vdirsyncer leaves it on each
// machine: every change on one reaches the other, and nothing is lost when
// both change, when an item cannot be shown, or when what the folder held
// is forgotten.
#include "ICalTestSupport.h"
#include "core/EventId.h"
#include "core/Snooze.h"
#include "ical/VdirConflict.h"
#include "ical/VdirSync.h"
#include "store/DataFileSync.h"
#include "store/EventBook.h"
#include "store/SettingsSchema.h"
#include "store/VdirState.h"
#include <filesystem>
#include <memory>

using namespace storetest;
using namespace icaltest;

namespace {

class VdirTest : public ICalTest {
protected:
    struct THome {
        TEventBook Book;
        std::unique_ptr<TVdirLink> Link;
        std::string Folder;
        std::vector<std::string> Notes;
        void In() {
            const TVdirStep s = VdirIn(Book, Folder, VdirStatePath(Book.FileName()));
            Notes.insert(Notes.end(), s.Notes.begin(), s.Notes.end());
            if (!s.Fault.empty())
                Notes.push_back(s.Fault);
        }
        std::vector<std::string> Events() const {
            std::vector<std::string> out;
            for (const TTickwellItem* e : Book.MasterList.All())
                out.push_back(EventId(*e) + " " + Describe(*e) + " ack " + IsoDate(e->AckDate) +
                              " snooze " + SnoozeEndText(e->SnoozeEnd()));
            std::sort(out.begin(), out.end());
            return out;
        }
        TTickwellItem* Find(const std::string& text) {
            for (TTickwellItem* e : Book.MasterList.All())
                if (e->Description == text)
                    return e;
            return nullptr;
        }
    };

    void SetUp() override {
        ICalTest::SetUp();
        TSettings().Set(kEventDeleteConfirm, false);
        Folder = Path("calendar");
        std::filesystem::create_directory(Folder);
        for (auto* home : {&A, &B}) {
            home->Folder = Folder;
            home->Book.MasterList.FileName = Path(home == &A ? "a.dat" : "b.dat");
            ASSERT_TRUE(LoadSynced(home->Book.MasterList));
            home->Link = std::make_unique<TVdirLink>(home->Book, Folder);
        }
    }

    std::string Folder;
    THome A, B;
};

} // namespace

TEST_F(VdirTest, ChangesOnEitherSideReachTheOther) {
    const auto named = [](TRecSpec spec, const char* text) {
        spec.Description = text;
        return MakeEvent(spec);
    };
    A.Book.Add(named({}, "Dentist"));
    A.Book.Add(named(Repeating(etWeekly, D(2024, 6, 17)), "Bins"));
    A.Book.Add(named(Repeating(etAccounting, D(2024, 6, 1)), "Rent")); // three items
    EXPECT_EQ(FilesIn(Folder).size(), 5u);
    B.In();
    EXPECT_EQ(B.Events(), A.Events()); // same ids, same days

    TTickwellItem* dentist = B.Find("Dentist");
    ASSERT_TRUE(B.Book.Acknowledge(dentist));
    EventRecord rec;
    B.Find("Bins")->ToRecord(rec);
    rec.Interval = 2;
    B.Book.Edit(B.Find("Bins"), rec);
    B.Book.Delete(B.Find("Rent"), false);
    B.Book.Snooze({dentist}, D(2024, 6, 15) + 0.75);
    A.In();
    EXPECT_EQ(A.Events(), B.Events());
    EXPECT_EQ(FilesIn(Folder).size(), 2u);
    EXPECT_TRUE(A.Notes.empty() && B.Notes.empty());
}

TEST_F(VdirTest, NothingIsLostWhenBothSidesChangeOrTheStateIsForgotten) {
    A.Book.Add(MakeEvent({.Description = "Dentist"}));
    A.Book.Add(MakeEvent({.Description = "Bins", .Start = D(2024, 6, 21)}));
    B.In();
    // Changed here while the folder was away, and there meanwhile.
    A.Link.reset();
    EventRecord rec;
    A.Find("Dentist")->ToRecord(rec);
    rec.SetDescription("Dentist at 9");
    A.Book.Edit(A.Find("Dentist"), rec);
    A.Book.Delete(A.Find("Bins"), false);
    A.Link = std::make_unique<TVdirLink>(A.Book, Folder);
    B.Find("Dentist")->ToRecord(rec);
    rec.SetDescription("Dentist at 10");
    B.Book.Edit(B.Find("Dentist"), rec);
    std::filesystem::remove(Folder + "/" + VdirUid(*B.Find("Bins")) + ".ics");
    A.In();
    ASSERT_NE(A.Find("Dentist at 10"), nullptr);
    EXPECT_NE(A.Find("Dentist at 9"), nullptr);
    EXPECT_EQ(A.Find("Bins"), nullptr); // deleted on both sides
    EXPECT_EQ(A.Notes.size(), 1u);
    B.In();
    EXPECT_EQ(B.Events(), A.Events());

    // What the folder held forgotten (a kill before it was noted): every
    // item is met again, and matched, not added twice.
    std::filesystem::remove(VdirStatePath(A.Book.FileName()));
    A.In();
    EXPECT_EQ(A.Events(), B.Events());
    // And forgotten again, then an edit here: its item is not replaced
    // unseen, and the step in keeps both.
    std::filesystem::remove(VdirStatePath(A.Book.FileName()));
    A.Find("Dentist at 10")->ToRecord(rec);
    rec.SetDescription("Dentist at 11");
    A.Book.Edit(A.Find("Dentist at 10"), rec);
    A.In();
    EXPECT_NE(A.Find("Dentist at 10"), nullptr);
    EXPECT_NE(A.Find("Dentist at 11"), nullptr);
}

TEST_F(VdirTest, ItemsThatCannotBeShownStayAsTheyAre) {
    const std::string head = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:";
    const std::string hourly = head + "pill\r\nDTSTART:20240620T080000Z\r\nRRULE:FREQ=HOURLY\r\n"
                                      "SUMMARY:Pill\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    const std::string party = head + "party\r\nDTSTART;VALUE=DATE:20240622\r\nSUMMARY:Party\r\n"
                                     "END:VEVENT\r\nEND:VCALENDAR\r\n";
    WriteBytes(Folder + "/pill.ics", hourly);
    WriteBytes(Folder + "/party.ics", party);
    WriteBytes(Folder + "/party-again.ics", party);
    WriteBytes(Folder + "/party.sync-conflict-20240620-101010-X.ics", party);
    A.In();
    A.In(); // told once
    EXPECT_EQ(A.Events().size(), 1u);
    EXPECT_EQ(A.Notes.size(), 3u) << ::testing::PrintToString(A.Notes);
    A.Book.Delete(A.Find("Party"), false);
    // Neither the item it cannot show nor the copies go with its events.
    EXPECT_EQ(ReadBytes(Folder + "/pill.ics"), hourly);
    EXPECT_EQ(FilesIn(Folder).size(), 3u);

    std::filesystem::rename(Folder, Folder + ".away");
    A.Notes.clear();
    A.In();
    A.Book.Add(MakeEvent({.Description = "Offline"}));
    EXPECT_EQ(A.Notes.size(), 1u); // said, and nothing deleted
    EXPECT_NE(A.Find("Offline"), nullptr);
}

// vdirsyncer hands both versions of an item changed on two machines to
// `tickwell-cli vdir --resolve`, and puts what it makes of them on both.
TEST_F(VdirTest, TwoMachinesVersionsOfAnEventAreBothKeptEverywhere) {
    TRecSpec rent = Repeating(etAccounting, D(2024, 6, 1));
    rent.Description = "Rent"; // kept as three items
    A.Book.Add(MakeEvent(rent));
    B.In();
    const std::string item = Folder + "/" + VdirUid(*A.Find("Rent")) + ".ics";
    const std::string ours = ReadBytes(item);
    EventRecord rec;
    A.Find("Rent")->ToRecord(rec);
    rec.SetDescription("Rent up");
    A.Book.Edit(A.Find("Rent"), rec);
    const std::string theirs = ReadBytes(item);
    const std::string merged = MergedItem(ours, theirs);
    WriteBytes(item, merged);
    B.In(); // writes the copy's items, which A meets with the item
    A.In();
    EXPECT_NE(A.Find("Rent"), nullptr);
    EXPECT_NE(A.Find("Rent up"), nullptr);
    EXPECT_EQ(A.Events(), B.Events()); // the copy under the same id
    ASSERT_EQ(A.Notes.size(), 1u);
    EXPECT_NE(A.Notes[0].find("changed on two machines"), std::string::npos) << A.Notes[0];
    EXPECT_EQ(B.Notes.size(), 1u);

    const auto carried = [](const std::string& text) {
        size_t n = 0;
        for (size_t at = 0; (at = text.find("X-TICKWELL-OTHER", at)) != std::string::npos; ++at)
            ++n;
        return n;
    };
    std::string restamped = ours;
    restamped.replace(restamped.find("DTSTAMP:") + 8, 4, "1999");
    const struct {
        const char* what;
        std::string a, b;
        size_t versions;
    } cases[] = {
        {"two versions", ours, theirs, 1},
        {"met again", merged, theirs, 1},
        {"the same event, restamped", ours, restamped, 0},
        {"the same event twice over", merged, merged, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(carried(MergedItem(c.a, c.b)), c.versions) << c.what;
    const std::string part = ReadBytes(Folder + "/march." + VdirUid(*A.Find("Rent")) + ".ics");
    EXPECT_EQ(MergedItem(part, theirs), part);
    EXPECT_THROW(MergedItem("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n", theirs), TTickwellError);
}
