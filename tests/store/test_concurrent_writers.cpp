// Two writers of one data file, each with its own copy in memory: whatever
// one saves while the other's copy is stale, the other's later save keeps it.
#include "StoreTestSupport.h"
#include "store/DataCommands.h"
#include "store/DataFile.h"
#include "store/DataFileLock.h"
#include "store/DataFileSync.h"
#include "store/EventBook.h"
#include <functional>
#include <map>

namespace {

using namespace storetest;
using TRecords = std::vector<std::string>; // packed records, sorted

class ConcurrentWritersTest : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        DefaultAnswer = anYes;
        TSettings().Set(kEventDeleteConfirm, false);
    }

    // What each writer works on, so that one writer's change never names an
    // event the other's names; the commands over every event (archive,
    // zap, restore) meet the other's events all the same.
    void WriteBase(const std::string& path) {
        TMyList list;
        for (const std::string w : {"A", "B"}) {
            list.AddSorted(CurrentEvent(w + " edit"));
            list.AddSorted(CurrentEvent(w + " delete"));
            list.AddSorted(MakeEvent({.Description = w + " ack", .Start = D(2024, 6, 18)}));
            list.AddSorted(ExpiredEvent(w + " old"));
            std::filesystem::create_directories(Path(w));
            SaveOne(w + " merged", Path(w + "/other.dat"));
            SaveOne(w + " restored", Path(w + "/backup.dat"));
        }
        list.AddSorted(CurrentEvent("untouched"));
        SaveEvents(static_cast<const TListSorted&>(list), path);
    }
    static void SaveOne(const std::string& description, const std::string& path) {
        TMyList one;
        one.AddSorted(CurrentEvent(description));
        SaveEvents(static_cast<const TListSorted&>(one), path);
    }

    static void Open(TMyList& list, const std::string& path) {
        list.FileName = path;
        LoadSynced(list);
    }
    static TTickwellItem* Named(TMyList& list, const std::string& name) {
        for (TTickwellItem* e : list.All())
            if (e->Description == name)
                return e;
        ADD_FAILURE() << "no " << name;
        return nullptr;
    }

    static void Open(TEventBook& book, const std::string& path) { book.Load(path); }

    using TCommand = std::function<void(TEventBook&, const std::string& writer)>;
    using TChange = std::function<void(TMyList&, const std::string& writer)>;
    std::map<std::string, TCommand> Commands() {
        // A change made in memory, then saved as the windows save it.
        const auto saved = [](TChange change) -> TCommand {
            return [change](TEventBook& b, const std::string& w) {
                change(b.MasterList, w);
                b.SaveChanges();
            };
        };
        return {
            {"edit", saved([](auto& l, auto& w) {
                 TTickwellItem* e = Named(l, w + " edit");
                 EventRecord rec;
                 e->ToRecord(rec);
                 rec.SetDescription(w + " edited");
                 e->AssignRecord(rec);
                 e->Reset();
             })},
            {"delete",
             saved([](auto& l, auto& w) { l.DeleteAt(l.IndexOf(Named(l, w + " delete"))); })},
            {"ack", saved([](auto& l, auto& w) {
                 TTickwellItem* e = Named(l, w + " ack");
                 e->AckDate = e->NextDate;
             })},
            {"merge", [this](auto& l, auto& w) { MergeCommand(l, Path(w + "/other.dat"), false); }},
            {"archive", [this](auto& l, auto& w) { ArchiveCommand(l, Path(w)); }},
            {"zap", [](auto& l, auto&) { ZapListCommand(l); }},
            {"restore", [this](auto& l, auto& w) { RestoreCommand(l, Path(w + "/backup.dat")); }},
        };
    }

    TRecords RecordsOf(const std::string& path) const {
        const std::string bytes = ReadBytes(path);
        TRecords records;
        for (size_t at = 0; at + 292 <= bytes.size(); at += 292)
            records.push_back(bytes.substr(at, 292));
        std::sort(records.begin(), records.end());
        return records;
    }

    // What a command does to the base when it runs alone, as records taken
    // out and records put in.
    struct TEffect {
        TRecords Removed, Added;
    };
    TEffect Alone(const TCommand& command, const std::string& writer, const TRecords& base) {
        const std::string path = Path("alone.dat");
        std::filesystem::copy_file(Path("base.dat"), path,
                                   std::filesystem::copy_options::overwrite_existing);
        TEventBook book;
        Open(book, path);
        command(book, writer);
        const TRecords after = RecordsOf(path);
        TEffect effect;
        std::set_difference(base.begin(), base.end(), after.begin(), after.end(),
                            std::back_inserter(effect.Removed));
        std::set_difference(after.begin(), after.end(), base.begin(), base.end(),
                            std::back_inserter(effect.Added));
        return effect;
    }
};

std::string Identity(const std::string& record) {
    return record.substr(0, 284); // everything but the acknowledgement date
}

bool HasIdentity(const TRecords& records, const std::string& id) {
    return std::any_of(records.begin(), records.end(),
                       [&](const std::string& r) { return Identity(r) == id; });
}

// Both writers load the same file; the first saves its change, then the
// second, whose copy no longer matches the file, saves its own. The file
// must then hold both changes: each command's effect on the events it saw,
// except that an acknowledgement set or cleared on an event the other writer
// removed is dropped with the event.
TEST_F(ConcurrentWritersTest, EachSaveKeepsWhatTheOtherSavedMeanwhile) {
    WriteBase(Path("base.dat"));
    const TRecords base = RecordsOf(Path("base.dat"));
    const auto commands = Commands();
    for (const auto& [firstName, first] : commands) {
        for (const auto& [secondName, second] : commands) {
            const std::string label = firstName + " then stale " + secondName;
            const TEffect a = Alone(first, "A", base);
            const TEffect b = Alone(second, "B", base);
            std::multiset<std::string> expected(base.begin(), base.end());
            for (const TRecords* removed : {&a.Removed, &b.Removed})
                for (const std::string& r : *removed)
                    if (auto at = expected.find(r); at != expected.end())
                        expected.erase(at);
            for (const auto& [mine, other] : {std::pair{&a, &b}, std::pair{&b, &a}})
                for (const std::string& r : mine->Added)
                    if (!HasIdentity(mine->Removed, Identity(r)) ||
                        !HasIdentity(other->Removed, Identity(r)))
                        expected.insert(r);

            std::filesystem::copy_file(Path("base.dat"), Path("tickwell.dat"),
                                       std::filesystem::copy_options::overwrite_existing);
            for (const char* w : {"A", "B"})
                std::filesystem::remove(Path(std::string(w) + "/archive.csv"));
            TEventBook writerA, writerB;
            TMyList reread;
            Open(writerA, Path("tickwell.dat"));
            Open(writerB, Path("tickwell.dat"));
            first(writerA, "A");
            second(writerB, "B");
            EXPECT_EQ(RecordsOf(Path("tickwell.dat")), TRecords(expected.begin(), expected.end()))
                << label;
            // The second writer's memory is what it wrote.
            Open(reread, Path("tickwell.dat"));
            EXPECT_EQ(writerB.MasterList.Count(), reread.Count()) << label;
        }
    }
    for (const char* made : {"base.dat", "tickwell.dat.lock"}) // new files are private
        EXPECT_EQ(std::filesystem::status(Path(made)).permissions(),
                  std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

// A running program takes in what another writer saved, keeps its own
// unsaved change on top, and keeps its event objects where they still fit.
TEST_F(ConcurrentWritersTest, SyncTakesInOutsideChangesAndKeepsUnsavedOnes) {
    WriteBase(Path("tickwell.dat"));
    TMyList running, other;
    Open(running, Path("tickwell.dat"));
    Open(other, Path("tickwell.dat"));
    TTickwellItem* untouched = Named(running, "untouched");
    TTickwellItem* mine = Named(running, "B ack");
    mine->AckDate = mine->NextDate; // not saved: the disk was full, say

    EXPECT_EQ(SyncFromDisk(running).Result, TSyncResult::Unchanged);
    other.DeleteAt(other.IndexOf(Named(other, "A delete")));
    other.AddSorted(CurrentEvent("A added"));
    Named(other, "B ack")->AckDate = 0;
    Named(other, "A ack")->AckDate = D(2024, 6, 18);
    SaveEvents(other, other.FileName);
    const TSyncReport r = SyncFromDisk(running);
    EXPECT_TRUE(r.Result == TSyncResult::Merged && r.Added == 1 && r.Removed == 1 &&
                r.Changed == 1);
    EXPECT_TRUE(Named(running, "untouched") == untouched && Named(running, "B ack") == mine);
    EXPECT_EQ(mine->AckDate, mine->NextDate);
    EXPECT_EQ(Named(running, "A ack")->AckDate, D(2024, 6, 18));
    EXPECT_EQ(running.Count(), other.Count());

    // While a writer holds the lock its companion may not be written yet:
    // the look waits for the next one rather than take the records' "?".
    Named(other, "untouched")->Description = "Γάμος";
    {
        const TDataFileLock writing(other.FileName);
        SaveEvents(static_cast<const TListSorted&>(other), other.FileName);
        EXPECT_EQ(SyncFromDisk(running).Result, TSyncResult::Unchanged);
    }
    EXPECT_EQ(SyncFromDisk(running).Result, TSyncResult::Merged);
    EXPECT_EQ(Named(running, "Γάμος")->Description, "Γάμος");

    // A file cut part way through an event (written in place, say) is
    // looked at again before it counts as unreadable: the events after the
    // cut were not deleted.
    const std::string whole = ReadBytes(Path("tickwell.dat"));
    WriteBytes(Path("tickwell.dat"), whole.substr(0, kRecordSize + 100));
    const TSyncReport cut = SyncFromDisk(running);
    EXPECT_TRUE(cut.Result == TSyncResult::Unreadable && !cut.NewlyUnreadable);
    EXPECT_TRUE(SyncFromDisk(running).NewlyUnreadable);
    EXPECT_THROW(SaveEvents(running, running.FileName), TTickwellError);
    EXPECT_EQ(Named(running, "B ack"), mine);
    WriteBytes(Path("tickwell.dat"), whole);
    EXPECT_EQ(SyncFromDisk(running).Result, TSyncResult::Merged);
    EXPECT_EQ(running.Count(), other.Count());

    // A file that cannot be read leaves the list alone, once; so does a
    // file that is gone. Saving over either is refused or writes the list.
    WriteBytes(Path("tickwell.dat"), RawRecord("x", 0, 0, 0, 1, 1e300, 0, 7, 1, 0, 1, 0));
    const TSyncReport bad = SyncFromDisk(running);
    EXPECT_TRUE(bad.Result == TSyncResult::Unreadable && bad.NewlyUnreadable);
    EXPECT_FALSE(SyncFromDisk(running).NewlyUnreadable);
    EXPECT_THROW(SaveEvents(running, running.FileName), TTickwellError);
    EXPECT_EQ(RecordsOf(Path("tickwell.dat")).size(), 1u);
    // A save that met the bad file first has told it already.
    WriteBytes(Path("tickwell.dat"), RawRecord("y", 0, 0, 0, 1, 1e300, 0, 7, 1, 0, 1, 0));
    EXPECT_THROW(SaveEvents(running, running.FileName), TTickwellError);
    EXPECT_FALSE(SyncFromDisk(running).NewlyUnreadable);
    std::filesystem::remove(Path("tickwell.dat"));
    EXPECT_EQ(SyncFromDisk(running).Result, TSyncResult::Missing);
    SaveEvents(running, running.FileName);
    EXPECT_EQ(RecordsOf(Path("tickwell.dat")).size(), static_cast<size_t>(other.Count()));
}

} // namespace
