// Ordering of the two lists, the due scan, and what removal does to the due
// list.
#include "core/Clock.h"
#include "core/EventLists.h"
#include "core/HalvaneDates.h"
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

constexpr auto D = &EncodeDate;

EventRecord Once(double day, bool keep = false, int notice = 7) {
    EventRecord r;
    r.Simple = 1;
    r.StartDate = r.EndDate = day;
    r.KeepFlag = keep;
    r.NoticePeriod = static_cast<int16_t>(notice);
    return r;
}

class EventLists : public ::testing::Test {
protected:
    void SetUp() override {
        FixToday(D(2025, 3, 1));
        master.Due = &due;
    }
    void TearDown() override {
        master.FreeAll();
        SetClockSource({});
    }
    TMyList master;
    TScanList due;
};

// The bulk insertion must give what inserting one by one gives: into an empty
// list or one whose order went stale after a change of day, with few keys or
// big groups of equal and of far-apart ones (they take other sorting paths).
TEST_F(EventLists, BulkInsertionEqualsOneByOne) {
    std::mt19937 rng(7);
    const double bigSpreads[] = {30, 1e7, 30.5};
    for (int round = 0; round < 203; ++round) {
        const bool big = round >= 200;
        const double spread = big ? bigSpreads[round - 200] : 41;
        const auto key = [&](int i) {
            return D(2025, 3, 1) + std::floor(std::uniform_real_distribution<>(0, spread)(rng)) +
                   (spread == 30.5 && i % 2 ? 0.5 : 0);
        };
        TMyList one, bulk;
        const int existing = big || round % 5 == 0 ? 0 : static_cast<int>(rng() % 30);
        for (int i = 0; i < existing; ++i) {
            const double k = key(i);
            one.AddSorted(new TTickwellItem(Once(k)));
            bulk.AddSorted(new TTickwellItem(Once(k)));
        }
        // Stale order: keys changed after insertion.
        for (int i = 0; i < existing; ++i)
            if (rng() % 3 == 0)
                one[i]->NextDate = bulk[i]->NextDate = key(i);
        std::vector<TTickwellItem*> addedBulk;
        const int added = big ? 500 : static_cast<int>(rng() % 40);
        for (int i = 0; i < added; ++i) {
            const double k = key(i);
            auto* e = new TTickwellItem(Once(k));
            e->Description = std::to_string(i);
            one.AddSorted(e);
            addedBulk.push_back(new TTickwellItem(Once(k)));
            addedBulk.back()->Description = e->Description;
        }
        bulk.AddSortedAll(addedBulk);
        ASSERT_EQ(one.Count(), bulk.Count());
        for (int i = 0; i < one.Count(); ++i) {
            ASSERT_EQ(one[i]->NextDate, bulk[i]->NextDate) << round << " " << i;
            ASSERT_EQ(one[i]->Description, bulk[i]->Description) << round << " " << i;
        }
    }
}

TEST_F(EventLists, IndexesOfAnswersAsIndexOf) {
    TTickwellItem outsider(Once(D(2025, 3, 1)));
    for (int i = 0; i < 6; ++i)
        master.AddSorted(new TTickwellItem(Once(D(2025, 3, 1 + i % 3))));
    EXPECT_EQ(master.IndexesOf({master[5], &outsider, master[0], master[2]}),
              (std::vector<int>{5, -1, 0, 2}));
}

TEST_F(EventLists, ScanFillsTheDueListByScanDateAndRemovalLeavesIt) {
    EXPECT_FALSE(master.Scan());
    EXPECT_TRUE(due.Empty());

    auto* today = new TTickwellItem(Once(D(2025, 3, 1)));
    auto* coming = new TTickwellItem(Once(D(2025, 3, 4)));
    auto* pastKept = new TTickwellItem(Once(D(2025, 2, 28), true));
    auto* notDue = new TTickwellItem(Once(D(2025, 6, 1)));
    // A kept weekly event overdue for last week is listed under that date.
    EventRecord w;
    w.EventType = etWeekly;
    w.Interval = 1;
    w.StartDate = D(2025, 2, 2);
    w.EndDate = D(2026, 1, 1);
    w.NoticePeriod = 0;
    w.KeepFlag = 1;
    auto* overdue = new TTickwellItem(w);
    for (auto* e : {today, coming, pastKept, notDue, overdue})
        master.AddSorted(e);

    EXPECT_TRUE(master.Scan());
    EXPECT_EQ(due.All(), (std::vector<TTickwellItem*>{overdue, pastKept, today, coming}));
    EXPECT_EQ(overdue->ScanDate, D(2025, 2, 23));
    master.FilterPast = true;
    EXPECT_TRUE(master.Scan());
    EXPECT_EQ(due.All(), (std::vector<TTickwellItem*>{today, coming}));
    // Deleted and freed events leave the due list too.
    master.DeleteAt(master.IndexOf(today));
    EXPECT_EQ(due.All(), std::vector<TTickwellItem*>{coming});
    master.FreeAll();
    EXPECT_TRUE(due.Empty());
}

// A list long enough to be scanned by several threads lists the same events in
// the same order as asking each in turn: by scan date, the later in the
// master list first among equal dates.
TEST_F(EventLists, ScanOfALargeListKeepsTheOrder) {
    std::mt19937 rng(5);
    std::vector<TTickwellItem*> items;
    for (int i = 0; i < 20000; ++i) {
        items.push_back(new TTickwellItem(Once(D(2025, 2, 1) + rng() % 60, rng() % 2, rng() % 10)));
        items.back()->Description = std::to_string(i);
    }
    master.AddSortedAll(items);
    std::vector<std::pair<double, int>> want;
    for (int i = 0; i < master.Count(); ++i) {
        const TDueKind k = master[i]->DueState();
        if (k == dkComing || k == dkToday)
            want.push_back({master[i]->NextDate, -i});
        else if (k == dkOverdue || k == dkPastEnd)
            want.push_back({master[i]->PrevDate, -i});
    }
    std::sort(want.begin(), want.end());
    EXPECT_TRUE(master.Scan());
    ASSERT_EQ(due.Count(), static_cast<int>(want.size()));
    for (size_t k = 0; k < want.size(); ++k)
        ASSERT_EQ(due[static_cast<int>(k)], master[-want[k].second]) << k;
}

} // namespace
