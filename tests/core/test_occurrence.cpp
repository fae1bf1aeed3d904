// The occurrence and due rules on hand-picked events. Today is Wednesday
// 15 January 2025 unless a case says otherwise.
#include "core/Clock.h"
#include "core/DateTime.h"
#include "core/HalvaneDates.h"
#include "core/TickwellItem.h"
#include <gtest/gtest.h>

namespace {

constexpr auto D = &EncodeDate;

// A day written as yyyymmdd; 0 stays 0.
double Ymd(int v) {
    return v ? D(v / 10000, v / 100 % 100, v % 100) : 0;
}

struct TSpec {
    const char* Name;
    int Type, Rank, Weekday, Interval;
    int Start, End, Today, WantNext, WantPrev; // yyyymmdd
};

class Occurrence : public ::testing::Test {
protected:
    void SetUp() override { FixToday(D(2025, 1, 15)); }
    void TearDown() override { SetClockSource({}); }
};

// Malformed rules, which the random events of the comparison with stepping
// never have, and a daily rule longer than they run.
TEST_F(Occurrence, NextAndPreviousDates) {
    const int far = 21250101;
    const TSpec cases[] = {
        // Malformed rules terminate and behave as once only.
        {"interval 0", etDaily, 0, 0, 0, 20200101, far, 20250115, 20200101, 20200101},
        {"interval -3", etMonthlyDate, 0, 0, -3, 20200101, far, 20250115, 20200101, 20200101},
        {"weekday 0", etMonthlyDay, 1, 0, 1, 20200101, far, 20250115, 20200101, 20200101},
        {"weekday 9", etMonthlyDay, 1, 9, 1, 20200101, far, 20250115, 20200101, 20200101},
        {"rank 30000", etMonthlyDate, 30000, 0, 1, 20250501, far, 20250502, 20250530, 0},
        {"a century", etDaily, 0, 0, 1, 19250101, far, 20250115, 20250115, 20250114},
    };
    for (const auto& c : cases) {
        FixToday(Ymd(c.Today));
        EventRecord r;
        r.EventType = static_cast<uint8_t>(c.Type);
        r.Rank = static_cast<int16_t>(c.Rank);
        r.Weekday = static_cast<int16_t>(c.Weekday);
        r.Interval = static_cast<int16_t>(c.Interval);
        r.StartDate = Ymd(c.Start);
        r.EndDate = Ymd(c.End);
        r.NoticePeriod = 7;
        const TTickwellItem e(r);
        EXPECT_EQ(e.NextDate, Ymd(c.WantNext)) << c.Name;
        EXPECT_EQ(e.PrevDate, Ymd(c.WantPrev)) << c.Name;
    }
}

TEST_F(Occurrence, DueKinds) {
    struct TDue {
        const char* Name;
        double Today;
        bool Keep;
        double Ack;
        int Want;
        int Notice = 7;
    };
    // Once only on 20 January 2025.
    const TDue cases[] = {
        {"coming", D(2025, 1, 15), false, 0, dkComing},
        {"today", D(2025, 1, 20), false, 0, dkToday},
        {"past, kept", D(2025, 1, 21), true, 0, dkPastEnd},
        {"past, not kept", D(2025, 1, 21), false, 0, dkNotDue},
        {"acknowledged", D(2025, 1, 18), true, D(2025, 1, 20), dkNotDue},
        {"past, acknowledged", D(2025, 1, 25), true, D(2025, 1, 20), dkNotDue},
        {"outside notice", D(2025, 1, 12), true, 0, dkNotDue},
        {"notice 0, the day before", D(2025, 1, 19), false, 0, dkNotDue, 0},
        {"notice 0, on the day", D(2025, 1, 20), false, 0, dkToday, 0},
    };
    for (const auto& c : cases) {
        FixToday(c.Today);
        EventRecord r;
        r.Simple = 1;
        r.StartDate = r.EndDate = D(2025, 1, 20);
        r.NoticePeriod = static_cast<int16_t>(c.Notice);
        r.KeepFlag = c.Keep;
        r.AckDate = c.Ack;
        const TTickwellItem e(r);
        EXPECT_EQ(e.DueState(), c.Want) << c.Name;
    }
}

} // namespace
