#include "StoreTestSupport.h"
#include "store/DataFile.h"
#include "store/DataFileSync.h"
#include "store/EventBook.h"
#include <memory>

namespace {

using namespace storetest;

// What the readers were told, in order: "added Event", "reset", ...
class TNoticeLog : public TEventBookReader {
public:
    std::vector<std::string> Log;
    void EventsAdded(const std::vector<TTickwellItem*>& e) override { Note("added", e); }
    void EventsChanged(const std::vector<TTickwellItem*>& e) override { Note("changed", e); }
    void EventsRemoved(const std::vector<TTickwellItem*>& e) override { Note("removed", e); }
    void EventsReset() override { Log.push_back("reset"); }
    void DueListRebuilt() override { Log.push_back("due"); }

private:
    void Note(const char* what, const std::vector<TTickwellItem*>& events) {
        for (const TTickwellItem* e : events)
            Log.push_back(std::string(what) + " " + e->Description);
    }
};

class EventBookTest : public StoreTest {
protected:
    std::unique_ptr<TEventBook> Book;
    TNoticeLog Readers;
    void SetUp() override {
        StoreTest::SetUp();
        Book = std::make_unique<TEventBook>();
        Book->Load(Path("tickwell.dat"));
        Book->AddReader(&Readers);
    }
    void TearDown() override {
        Book.reset();
        StoreTest::TearDown();
    }
    // Whether the data file holds an event with this description.
    int InFile(const std::string& description) {
        TMyList saved;
        LoadEvents(saved, Path("tickwell.dat"));
        int n = 0;
        for (const TTickwellItem* e : saved.All())
            n += e->Description == description;
        return n;
    }
    // Within its notice of today, 15 June.
    TTickwellItem* Due(const std::string& description) {
        return MakeEvent({.Description = description, .Start = D(2024, 6, 17)});
    }
};

// Each change is saved before the readers hear of it, and the due list is
// made anew for them.
TEST_F(EventBookTest, EveryChangeIsSavedThenTold) {
    TTickwellItem* e = Due("Dentist");
    Book->Add(e);
    const std::uint64_t id = e->Id;
    EXPECT_EQ(InFile("Dentist"), 1);
    EXPECT_EQ(Book->DueList.IndexOf(e), 0);

    EXPECT_TRUE(Book->Acknowledge(e));
    EXPECT_EQ(e->AckDate, D(2024, 6, 17));
    EXPECT_TRUE(Book->DueList.Empty());
    EXPECT_FALSE(Book->Acknowledge(e)); // no longer due
    EXPECT_TRUE(Book->ClearAcknowledgement(e));
    EXPECT_FALSE(Book->ClearAcknowledgement(e));
    EXPECT_EQ(Book->DueList.IndexOf(e), 0);

    EventRecord rec;
    e->ToRecord(rec);
    rec.SetDescription("Οδοντίατρος 9");
    Book->Edit(e, rec);
    EXPECT_EQ(e->Id, id); // the editor's change keeps the event's id
    EXPECT_EQ(InFile("Οδοντίατρος 9"), 1);

    Answers = {anOk};
    EXPECT_TRUE(Book->Delete(e, false));
    EXPECT_EQ(InFile("Οδοντίατρος 9"), 0);
    EXPECT_TRUE(Book->MasterList.Empty() && Book->DueList.Empty());
    EXPECT_EQ(Readers.Log,
              (std::vector<std::string>{"added Dentist", "changed Dentist", "changed Dentist",
                                        "changed Οδοντίατρος 9", "removed Οδοντίατρος 9"}));
}

TEST_F(EventBookTest, DeleteAsksAsTheOptionsSayAndKeepsWhatIsNotConfirmed) {
    const struct {
        bool WarnRepeating, Simple, Confirm;
        TAnswer Answer;
        const char* Question; // null: none asked
        bool Deleted;
    } cases[] = {
        {true, false, true, anOk, "This is a repeating event. Do you wish to Delete this Event? x",
         true},
        {true, true, true, anOk, "Delete this Event? x", true},
        {false, false, true, anCancel, "Delete this Event? x", false},
        {false, false, false, anCancel, nullptr, true},
    };
    for (const auto& c : cases) {
        TTickwellItem* e = MakeEvent({.Description = "x", .Simple = c.Simple});
        Book->Add(e);
        Asked.clear();
        Answers = {c.Answer};
        TSettings().Set(kEventDeleteConfirm, c.Confirm);
        EXPECT_EQ(Book->Delete(e, c.WarnRepeating, "x"), c.Deleted);
        EXPECT_EQ(Asked,
                  c.Question ? std::vector<std::string>{c.Question} : std::vector<std::string>{});
        EXPECT_EQ(Book->MasterList.Count(), c.Deleted ? 0 : 1);
        EXPECT_EQ(InFile("x"), c.Deleted ? 0 : 1);
        Book->MasterList.FreeAll();
        Book->SaveAgain();
    }
    TSettings().Set(kEventDeleteConfirm, true);
    std::unique_ptr<TTickwellItem> stray(CurrentEvent("stray"));
    EXPECT_FALSE(Book->Delete(stray.get(), false));
    EXPECT_FALSE(Book->Delete(nullptr, false));
    EXPECT_EQ(ShownTexts(), std::vector<std::string>(2, "Nothing to Delete"));
}

// A save that fails still tells the readers (the change stays in memory,
// shown), then says why.
TEST_F(EventBookTest, AFailedSaveIsToldAndThrownWithTheChangeKept) {
    Book->MasterList.FileName = Path("gone/tickwell.dat");
    TTickwellItem* e = Due("Unsaved");
    EXPECT_THROW(Book->Add(e), TTickwellError);
    EXPECT_EQ(Readers.Log, std::vector<std::string>{"added Unsaved"});
    EXPECT_EQ(Book->MasterList.IndexOf(e), 0);
    EXPECT_TRUE(HasUnsavedChanges(Book->MasterList));
}

// What another program wrote meanwhile comes in with the save, and a day
// gone by since the last scan makes every event new: the readers start
// again rather than hear of one event.
TEST_F(EventBookTest, ChangesBeyondTheOneMadeAreToldAsAReset) {
    Book->Add(Due("Mine"));
    TMyList other;
    other.FileName = Path("tickwell.dat");
    LoadSynced(other);
    other.AddSorted(Due("Theirs"));
    SaveEvents(other, other.FileName);
    Readers.Log.clear();
    Book->Add(Due("Mine too"));
    FixToday(D(2024, 6, 16));
    Book->Scan();
    EXPECT_EQ(Book->ComputedFor(), D(2024, 6, 16));
    Book->Scan();
    EXPECT_EQ(Readers.Log, (std::vector<std::string>{"reset", "reset", "due"}));
    EXPECT_EQ(Book->MasterList.Count(), 3);
}

// A snooze keeps events out of the due list until it ends, through a
// restart that finds it ended meanwhile (the companion holds it); a kept,
// overdue event then comes back unacknowledged. Another program's later end
// comes in with the next save; an acknowledgement ends a snooze.
TEST_F(EventBookTest, ASnoozeLastsUntilItsEndThroughARestart) {
    const TDateTime noon = D(2024, 6, 15) + 0.5;
    FixToday(noon);
    TTickwellItem* kept = MakeEvent({.Description = "Kept", .Start = D(2024, 6, 10), .Keep = true});
    TTickwellItem* soon = Due("Soon");
    Book->Add(kept);
    Book->Add(soon);
    Book->Snooze({kept, soon}, noon + 0.04);
    EXPECT_TRUE(Book->DueList.Empty());
    for (const TDateTime later : {noon + 0.03, noon + 0.04}) {
        FixToday(later);
        TEventBook again;
        again.Load(Path("tickwell.dat"));
        again.Scan();
        EXPECT_EQ(again.DueList.Count(), later < noon + 0.04 ? 0 : 2);
        EXPECT_EQ(again.DueList.Empty() ? 0 : again.DueList[0]->AckDate, 0);
    }
    FixToday(noon);
    TMyList other;
    other.FileName = Path("tickwell.dat");
    LoadSynced(other);
    other[0]->SetSnooze(noon + 0.05);
    SaveEvents(other, other.FileName);
    Book->SaveAgain();
    EXPECT_EQ(Book->MasterList[0]->SnoozeEnd(), noon + 0.05);
    EXPECT_EQ(Book->AcknowledgeAll({soon, soon, nullptr}), 1);
    EXPECT_EQ(soon->SnoozeEnd(), 0);
}

} // namespace
