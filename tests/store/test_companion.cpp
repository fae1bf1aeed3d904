// The companion beside the records: ids that last and text in any script,
// however other programs treat the records.
#include "StoreTestSupport.h"
#include "core/EventId.h"
#include "store/DataFile.h"
#include <functional>
#include <map>

using namespace storetest;

namespace {

using TTexts = std::map<std::string, std::string>; // id -> text

class CompanionTest : public StoreTest {
protected:
    std::string File() const { return Path("tickwell.dat"); }

    static TTickwellItem* Event(const std::string& text) {
        EventRecord r;
        DefaultRecord(r);
        r.SetDescription(text);
        return new TTickwellItem(r);
    }
    void SaveBase() {
        TMyList list;
        for (const char* text : {"Γάμος 🎂", "Dentist", "Γ"})
            list.AddSorted(Event(text));
        ASSERT_TRUE(SaveEvents(static_cast<const TListSorted&>(list), File()));
    }
    TTexts Load() const {
        TMyList list;
        EXPECT_TRUE(LoadEvents(list, File()));
        TTexts out;
        for (const TTickwellItem* e : list.All())
            out[EventId(*e)] = e->Description;
        return out;
    }
    // What a program that knows only the records does: rewrites them.
    void ForeignEdit(const std::function<void(std::vector<EventRecord>&)>& change) {
        const std::string bytes = ReadBytes(File());
        std::vector<EventRecord> recs(bytes.size() / kRecordSize);
        for (size_t i = 0; i < recs.size(); ++i)
            UnpackRecord(reinterpret_cast<const unsigned char*>(bytes.data()) + i * kRecordSize,
                         recs[i]);
        change(recs);
        std::string out(recs.size() * kRecordSize, '\0');
        for (size_t i = 0; i < recs.size(); ++i)
            PackRecord(recs[i], reinterpret_cast<unsigned char*>(out.data()) + i * kRecordSize);
        WriteBytes(File(), out);
    }
    static EventRecord& Named(std::vector<EventRecord>& recs, const std::string& held) {
        for (EventRecord& r : recs)
            if (r.Description() == held)
                return r;
        ADD_FAILURE() << "no record " << held;
        return recs.front();
    }
    static std::string IdOf(const TTexts& texts, const std::string& text) {
        for (const auto& [id, t] : texts)
            if (t == text)
                return id;
        return {};
    }
};

TEST_F(CompanionTest, OtherProgramsChangesKeepWhatStillMatches) {
    using TRecs = std::vector<EventRecord>;
    const struct {
        const char* Case;
        std::function<void(TRecs&)> Change;
        const char* Wedding; // the first event's text afterwards
        bool SameId;         // ... and whether it kept its id
    } cases[] = {
        {"nothing", [](TRecs&) {}, "Γάμος 🎂", true},
        {"date moved", [](TRecs& r) { Named(r, "????? ?").StartDate += 3; }, "Γάμος 🎂", true},
        {"acknowledged", [](TRecs& r) { Named(r, "????? ?").AckDate = D(2024, 6, 15); }, "Γάμος 🎂",
         true},
        {"text changed", [](TRecs& r) { Named(r, "????? ?").SetDescription("Wedding"); }, "Wedding",
         true},
        {"all changed",
         [](TRecs& r) {
             EventRecord& e = Named(r, "????? ?");
             e.SetDescription("Wedding");
             e.StartDate += 3;
         },
         "Wedding", false},
        {"order reversed", [](TRecs& r) { std::reverse(r.begin(), r.end()); }, "Γάμος 🎂", true},
        {"another deleted", [](TRecs& r) { r.erase(r.begin() + (&Named(r, "Dentist") - &r[0])); },
         "Γάμος 🎂", true},
    };
    for (const auto& c : cases) {
        SaveBase();
        const TTexts before = Load();
        ForeignEdit(c.Change);
        const TTexts after = Load();
        const std::string id = IdOf(after, c.Wedding);
        ASSERT_FALSE(id.empty()) << c.Case;
        EXPECT_EQ(id == IdOf(before, "Γάμος 🎂"), c.SameId) << c.Case;
        // The others are untouched: their ids and texts stay.
        for (const auto& [oldId, text] : before)
            if (text != "Γάμος 🎂" && after.count(oldId))
                EXPECT_EQ(after.at(oldId), text) << c.Case;
        EXPECT_EQ(IdOf(after, "Γ"), IdOf(before, "Γ")) << c.Case;
        EXPECT_EQ(Load(), after) << c.Case << ": the same ids at every reading";
    }
}

// An old file: ids derived from the records, the same at every reading, and
// distinct even for equal records; a save makes them the file's own.
TEST_F(CompanionTest, RecordsWithoutCompanionGetIdsThatLast) {
    SaveBase();
    ForeignEdit([](std::vector<EventRecord>& r) { r.push_back(r.back()); });
    std::filesystem::remove(File() + ".ext");
    const TTexts first = Load();
    EXPECT_EQ(first.size(), 4u);
    EXPECT_EQ(Load(), first);
    TMyList list;
    LoadEvents(list, File());
    ASSERT_TRUE(SaveEvents(static_cast<const TListSorted&>(list), File()));
    ForeignEdit([](std::vector<EventRecord>& r) { Named(r, "Dentist").StartDate += 1; });
    EXPECT_EQ(Load(), first);
}

TEST_F(CompanionTest, TextAndAttributesRoundTrip) {
    TMyList list;
    TTickwellItem* e = Event("Line\tone\\\r\nΓ");
    e->Extras = std::make_unique<TEventExtras>(
        TEventExtras{46000.75, "x@y\tz", 3, 1700000000, "later=kept"});
    list.AddSorted(e);
    ASSERT_TRUE(SaveEvents(static_cast<const TListSorted&>(list), File()));
    TMyList back;
    ASSERT_TRUE(LoadEvents(back, File()));
    ASSERT_EQ(back.Count(), 1);
    EXPECT_EQ(back[0]->Description, "Line\tone\\\r\nΓ");
    EXPECT_EQ(back[0]->Id, e->Id);
    ASSERT_TRUE(back[0]->Extras);
    EXPECT_EQ(*back[0]->Extras, *e->Extras);
    EXPECT_EQ(ReadBytes(File()).size(), kRecordSize);
}

// A companion mended by hand or damaged: a text the record could not hold
// leaves the record's own in place, whatever the digests say, and an id
// given twice stays with the first event only.
TEST_F(CompanionTest, AHandEditCannotMisplaceTextsOrRepeatIds) {
    SaveBase();
    const TTexts saved = Load();
    std::string ext = ReadBytes(File() + ".ext");
    ext.replace(ext.find("Γάμος 🎂"), std::string("Γάμος 🎂").size(), "Wedding");
    const size_t first = ext.find('\n') + 1, second = ext.find('\n', first) + 1;
    ext.replace(second, kEventIdLength, ext.substr(first, kEventIdLength));
    WriteBytes(File() + ".ext", ext);
    const TTexts read = Load();
    EXPECT_EQ(read.size(), 3u);
    EXPECT_EQ(read, Load());
    EXPECT_FALSE(IdOf(read, "????? ?").empty());
    EXPECT_TRUE(IdOf(read, "Wedding").empty());
    EXPECT_EQ(saved.count(ext.substr(first, kEventIdLength)), 1u);
}
} // namespace
