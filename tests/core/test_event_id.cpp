#include "core/EventId.h"
#include "core/TickwellItem.h"
#include <gtest/gtest.h>

namespace {

EventRecord Rent() {
    EventRecord rec;
    rec.SetDescription("Pay rent");
    rec.EventType = 2;
    rec.Interval = 1;
    rec.StartDate = 46388; // 2027-01-01
    rec.NoticePeriod = 7;
    rec.NoEndPoint = 1;
    return rec;
}

} // namespace

// An event met without an id (a file from before the companion) is given the
// one it always showed, which users' scripts may hold: the rule is fixed.
TEST(EventId, IsFixedAcrossVersionsAndIgnoresTheAcknowledgement) {
    EventRecord rec = Rent();
    rec.AckDate = 46388;
    EXPECT_EQ(EventId(rec), "098796e498fe");
    EXPECT_EQ(EventId(TTickwellItem(rec)), EventId(rec));
    EXPECT_TRUE(LooksLikeEventId("098796E498FE"));
    EXPECT_FALSE(LooksLikeEventId("12345"));
    EXPECT_FALSE(LooksLikeEventId("098796e498fg"));
}
