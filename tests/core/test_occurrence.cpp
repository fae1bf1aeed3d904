// The occurrence and due rules on hand-picked events. Today is Wednesday
// 15 January 2025 unless a case says otherwise.
#include "core/Clock.h"
#include "core/DateTime.h"
#include "core/HalvaneDates.h"
#include "core/TickwellItem.h"
#include <gtest/gtest.h>

namespace {

double D(int y, int m, int d) {
    return EncodeDate(y, m, d);
}

struct TSpec {
    const char* Name;
    bool Simple;
    int Type;
    int Rank;
    int Weekday;
    int Interval;
    double Start;
    double End;
    double Today;
    double WantNext;
    double WantPrev;
};

EventRecord Record(const TSpec& s) {
    EventRecord r;
    r.Simple = s.Simple;
    r.EventType = static_cast<uint8_t>(s.Type);
    r.Rank = static_cast<int16_t>(s.Rank);
    r.Weekday = static_cast<int16_t>(s.Weekday);
    r.Interval = static_cast<int16_t>(s.Interval);
    r.StartDate = s.Start;
    r.EndDate = s.End;
    r.NoticePeriod = 7;
    return r;
}

class Occurrence : public ::testing::Test {
protected:
    void SetUp() override { FixToday(D(2025, 1, 15)); }
    void TearDown() override { SetClockSource({}); }
};

// Named cases beside the random comparison with literal stepping: the rules'
// own corner days, and malformed rules, which the random events never have.
TEST_F(Occurrence, NextAndPreviousDates) {
    const double far = D(2125, 1, 1);
    const TSpec cases[] = {
        {"once only", true, 3, 0, 0, 1, D(2025, 1, 20), D(2025, 1, 20), D(2025, 1, 15),
         D(2025, 1, 20), D(2025, 1, 20)},
        {"end date 0", false, etWeekly, 0, 0, 1, D(2024, 6, 1), 0, D(2025, 1, 15), D(2024, 6, 1),
         D(2024, 6, 1)},
        {"monthly 31st", false, etMonthlyDate, 0, 0, 1, D(2025, 1, 31), far, D(2025, 3, 1),
         D(2025, 3, 31), D(2025, 2, 28)},
        {"first working day", false, etMonthlyDate, 1, 0, 1, D(2025, 1, 15), far, D(2025, 1, 15),
         D(2025, 2, 3), 0},
        {"last working day", false, etMonthlyDate, 23, 0, 1, D(2025, 5, 1), far, D(2025, 5, 2),
         D(2025, 5, 30), 0},
        {"last Friday", false, etMonthlyDay, 4, 6, 1, D(2025, 1, 1), far, D(2025, 1, 15),
         D(2025, 1, 31), 0},
        {"29 February sticks", false, etYearly, 0, 0, 1, D(2024, 2, 29), far, D(2028, 3, 1),
         D(2029, 2, 28), D(2028, 2, 28)},
        {"accounting on the day", false, etAccounting, 0, 0, 1, D(2020, 1, 1), far, D(2025, 3, 25),
         D(2025, 3, 25), D(2024, 12, 25)},
        {"accounting after", false, etAccounting, 0, 0, 1, D(2020, 1, 1), far, D(2025, 3, 26),
         D(2025, 6, 24), D(2025, 3, 25)},
        {"accounting year end", false, etAccounting, 0, 0, 1, D(2020, 1, 1), far, D(2025, 12, 26),
         D(2026, 3, 25), D(2025, 12, 25)},
        // Malformed rules terminate and behave as once only.
        {"interval 0", false, etDaily, 0, 0, 0, D(2020, 1, 1), far, D(2025, 1, 15), D(2020, 1, 1),
         D(2020, 1, 1)},
        {"negative interval", false, etMonthlyDate, 0, 0, -3, D(2020, 1, 1), far, D(2025, 1, 15),
         D(2020, 1, 1), D(2020, 1, 1)},
        {"weekday 0", false, etMonthlyDay, 1, 0, 1, D(2020, 1, 1), far, D(2025, 1, 15),
         D(2020, 1, 1), D(2020, 1, 1)},
        {"weekday 9", false, etMonthlyDay, 1, 9, 1, D(2020, 1, 1), far, D(2025, 1, 15),
         D(2020, 1, 1), D(2020, 1, 1)},
        {"rank 30000", false, etMonthlyDate, 30000, 0, 1, D(2025, 5, 1), far, D(2025, 5, 2),
         D(2025, 5, 30), 0},
        {"a century back", false, etDaily, 0, 0, 1, D(1925, 1, 1), far, D(2025, 1, 15),
         D(2025, 1, 15), D(2025, 1, 14)},
    };
    for (const auto& c : cases) {
        FixToday(c.Today);
        const TTickwellItem e(Record(c));
        EXPECT_EQ(e.NextDate, c.WantNext) << c.Name;
        EXPECT_EQ(e.PrevDate, c.WantPrev) << c.Name;
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

TEST_F(Occurrence, KeptWeeklyEventOverdueForAnEarlierOccurrence) {
    EventRecord r;
    r.EventType = etWeekly;
    r.Interval = 1;
    r.StartDate = D(2024, 12, 6); // a Friday
    r.EndDate = D(2125, 1, 1);
    r.NoticePeriod = 1;
    r.KeepFlag = 1;
    r.AckDate = D(2025, 1, 3); // the one before PrevDate (10 January)
    const TTickwellItem e(r);
    ASSERT_EQ(e.PrevDate, D(2025, 1, 10));
    EXPECT_EQ(e.DueState(), dkOverdue);
}

TEST_F(Occurrence, AckPastOnCreateAndExpiry) {
    EventRecord r;
    r.Simple = 1;
    r.NoticePeriod = 7;
    r.KeepFlag = 1;
    r.StartDate = r.EndDate = D(2025, 1, 14);
    TTickwellItem yesterday(r);
    AckPastOnCreate(yesterday);
    EXPECT_EQ(yesterday.AckDate, D(2025, 1, 14));

    r.StartDate = r.EndDate = D(2025, 1, 16);
    TTickwellItem tomorrow(r);
    AckPastOnCreate(tomorrow);
    EXPECT_EQ(tomorrow.AckDate, 0);

    r.StartDate = r.EndDate = D(2025, 1, 8);
    TTickwellItem lastWeek(r);
    EXPECT_TRUE(IsOld(lastWeek));
    EXPECT_FALSE(IsExpired(lastWeek));
    lastWeek.AckDate = lastWeek.NextDate;
    EXPECT_TRUE(IsExpired(lastWeek));
}

TEST_F(Occurrence, TextAccessors) {
    EventRecord r;
    r.Simple = 1;
    r.StartDate = r.EndDate = D(2025, 1, 16);
    TTickwellItem e(r);
    EXPECT_EQ(e.AckDateText(), "");
    e.StartDate = e.EndDate = D(2025, 1, 12);
    e.Recalc();
    EXPECT_EQ(e.DaysToNextText(), "-3");
    EXPECT_EQ(TypeNameOf(false, 6), "") << "a code that names no type";
    EXPECT_EQ(FirstLine("two\r\nlines"), "two");
}

TEST_F(Occurrence, CsvLine) {
    EventRecord r;
    r.Simple = 1;
    r.Interval = 1;
    r.NoticePeriod = 7;
    r.StartDate = r.EndDate = D(2025, 1, 16);
    r.SetDescription("Pay rent\r\nnow");
    TTickwellItem e(r);
    const std::string line = e.ToCsvLine();
    EXPECT_EQ(line.substr(0, line.find(',')), "\"Pay rent\r\nnow\"");
    e.Description = "Say \"hi\"";
    EXPECT_EQ(e.ToCsvLine().substr(0, 13), "\"Say \"\"hi\"\"\",");
}

} // namespace
