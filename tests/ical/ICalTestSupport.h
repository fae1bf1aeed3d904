#pragma once
// The store tests' set-up, with the local time zone fixed, a fresh settings
// registry and the iCalendar files written the way other programs write
// them.
#include "../store/StoreTestSupport.h"
#include "store/Registry.h"
#include <cstdlib>
#include <ctime>
#include <string>

namespace icaltest {

class ICalTest : public storetest::StoreTest {
protected:
    std::string OldTz;
    bool HadTz = false;

    void SetUp() override {
        StoreTest::SetUp();
        SetRegistryBackend(nullptr);
        if (const char* tz = std::getenv("TZ")) {
            OldTz = tz;
            HadTz = true;
        }
        setenv("TZ", "Europe/Berlin", 1);
        tzset();
    }
    void TearDown() override {
        if (HadTz)
            setenv("TZ", OldTz.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
        StoreTest::TearDown();
    }
};

// Lines joined with CR LF, as RFC 5545 has them.
inline std::string Ics(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* l : lines)
        text += std::string(l) + "\r\n";
    return text;
}

// The zone definitions of RFC 5545's examples, as the exports embed them.
inline constexpr const char* kNewYork =
    "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\n"
    "BEGIN:DAYLIGHT\r\nDTSTART:20070311T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\n"
    "TZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nTZNAME:EDT\r\nEND:DAYLIGHT\r\n"
    "BEGIN:STANDARD\r\nDTSTART:20071104T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\n"
    "TZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nTZNAME:EST\r\nEND:STANDARD\r\nEND:VTIMEZONE";
inline constexpr const char* kBerlin =
    "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n"
    "BEGIN:DAYLIGHT\r\nDTSTART:19700329T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\n"
    "TZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nTZNAME:CEST\r\nEND:DAYLIGHT\r\n"
    "BEGIN:STANDARD\r\nDTSTART:19701025T030000\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\n"
    "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nTZNAME:CET\r\nEND:STANDARD\r\nEND:VTIMEZONE";

} // namespace icaltest
