#include "CliTestSupport.h"
#include "store/SettingsSchema.h"

TEST_F(CliTest, AddTakesTheEndGivenAndAcknowledgesPastOccurrences) {
    struct {
        std::vector<std::string> Args;
        const char* Want;
    } cases[] = {
        {{"--weekly", "--start", "2025-01-01", "--until", "2025-03-01"},
         "\"endDate\":\"2025-03-01\",\"noticePeriod\":7,\"keepFlag\":true,\"noEndPoint\":false"},
        {{"--start", "2025-01-14", "--notice", "0"}, "\"ackDate\":\"2025-01-14\""},
        {{"--notice", "0"}, "\"ackDate\":null,\"nextDate\":\"2025-01-15\""}, // no start: today
    };
    for (auto& c : cases) {
        c.Args.insert(c.Args.begin(), {"--json", "add", "--desc", "x"});
        const TCliRun r = Run(c.Args);
        EXPECT_NE(r.Out.find(c.Want), std::string::npos) << r.Out;
    }
}

TEST_F(CliTest, AddTakesItsDefaultsFromTheSettingsStore) {
    WithSettingsFile([] {
        WriteSetting(kDfltEventType, 3); // Monthly - Date
        WriteSetting(kDfltNotice, 3);
        WriteSetting(kDfltInterval, 2);
        WriteSetting(kDfltKeepFlag, false);
    });
    const TCliRun r = Run({"--json", "add", "--desc", "x", "--start", "2025-01-31"});
    EXPECT_NE(r.Out.find("\"eventType\":2,\"simple\":false,\"rank\":0,\"interval\":2,"
                         "\"weekday\":6,\"startDate\":\"2025-01-31\",\"endDate\":\"2125-01-31\","
                         "\"noticePeriod\":3,\"keepFlag\":false"),
              std::string::npos)
        << r.Out;
    // Given options win over the defaults.
    const TCliRun once = Run({"--json", "add", "--desc", "y", "--once", "--keep", "--notice", "0"});
    EXPECT_NE(once.Out.find("\"simple\":true"), std::string::npos) << once.Out;
    EXPECT_NE(once.Out.find("\"noticePeriod\":0,\"keepFlag\":true"), std::string::npos);
}
