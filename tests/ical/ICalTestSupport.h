#pragma once
// The store tests' set-up with the local time zone fixed and a fresh
// settings registry; the sample files of other programs.
#include "../store/StoreTestSupport.h"
#include "core/DateFormat.h"
#include "store/Registry.h"
#include <cstdlib>
#include <ctime>
#include <string>

namespace icaltest {

using storetest::D;

class ICalTest : public storetest::StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        SetRegistryBackend(nullptr);
        setenv("TZ", "Europe/Berlin", 1);
        tzset();
    }
    void TearDown() override {
        unsetenv("TZ");
        tzset();
        StoreTest::TearDown();
    }
    static std::string SampleFile(const std::string& name) {
        return std::string(TICKWELL_ICAL_SAMPLES) + "/" + name;
    }
};

inline storetest::TRecSpec Repeating(int type, TDateTime start, int interval = 1, int rank = 0,
                                     int weekday = 0, TDateTime end = 0) {
    storetest::TRecSpec s;
    s.Simple = false;
    s.Type = static_cast<uint8_t>(type);
    s.Start = start;
    s.Interval = static_cast<int16_t>(interval);
    s.Rank = static_cast<int16_t>(rank);
    s.Weekday = static_cast<int16_t>(weekday ? weekday : DayOfWeek(start));
    s.End = end;
    return s;
}

// One line with what a test looks at.
inline std::string Describe(const TTickwellItem& e) {
    std::string s = FirstLine(e.Description) + ": " + e.TypeName();
    if (!e.Simple) {
        if (e.EventType == etMonthlyDate || e.EventType == etMonthlyDay)
            s += " rank " + std::to_string(e.Rank);
        if (e.EventType == etMonthlyDay)
            s += " weekday " + std::to_string(e.Weekday);
        s += " every " + std::to_string(e.Interval);
    }
    s += " from " + IsoDate(e.StartDate);
    if (!e.Simple)
        s += e.NoEndPoint ? " no end" : " to " + IsoDate(e.EndDate);
    return s + ", notice " + std::to_string(e.NoticePeriod);
}

} // namespace icaltest
