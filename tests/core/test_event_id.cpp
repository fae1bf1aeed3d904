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

// The id is printed and stored by users' scripts, so its rule is fixed: a
// change of this value is a change users see.
TEST(EventId, IsFixedAcrossVersionsAndIgnoresTheAcknowledgement) {
    EventRecord rec = Rent();
    rec.AckDate = 46388;
    EXPECT_EQ(EventId(rec), "098796e498fe");
    EXPECT_EQ(EventId(TTickwellItem(rec)), EventId(rec));
    EXPECT_TRUE(LooksLikeEventId("098796E498FE"));
    EXPECT_FALSE(LooksLikeEventId("12345"));
    EXPECT_FALSE(LooksLikeEventId("098796e498fg"));
}

TEST(EventId, OtherStoredFieldsChangeIt) {
    const std::string id = EventId(Rent());
    const std::vector<void (*)(EventRecord&)> changes = {
        [](EventRecord& r) { r.SetDescription("Pay rent!"); },
        [](EventRecord& r) { r.EventType = 3; },
        [](EventRecord& r) { r.EndDate = 50000; },
        [](EventRecord& r) { r.KeepFlag = 1; },
        [](EventRecord& r) { r.NoEndPoint = 0; },
    };
    for (size_t i = 0; i < changes.size(); ++i) {
        EventRecord rec = Rent();
        changes[i](rec);
        EXPECT_NE(EventId(rec), id) << "change " << i;
    }
}
