#include "cli/Json.h"
#include <gtest/gtest.h>

TEST(CliJson, EscapesWhatJsonRequiresAndKeepsUtf8) {
    EXPECT_EQ(JsonString("plain"), "\"plain\"");
    EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(JsonString("l1\r\nl2\t"), "\"l1\\r\\nl2\\t\"");
    EXPECT_EQ(JsonString(std::string("\x01\x1f", 2)), "\"\\u0001\\u001f\"");
    EXPECT_EQ(JsonString(std::string("nul\0x", 5)), "\"nul\\u0000x\"");
    EXPECT_EQ(JsonString("caf\xc3\xa9 \xe2\x82\xac"), "\"caf\xc3\xa9 \xe2\x82\xac\"");
    EXPECT_EQ(TJsonObject().Add("a", 1).Add("b", true).Add("c", "x").Add("d", -5).Str(),
              "{\"a\":1,\"b\":true,\"c\":\"x\",\"d\":-5}");
}
