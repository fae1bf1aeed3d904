#include "cli/Json.h"
#include <gtest/gtest.h>

TEST(CliJson, EscapesWhatJsonRequiresAndKeepsUtf8) {
    EXPECT_EQ(JsonString(std::string("\"\\\r\n\t\0\x1f\xc3\xa9", 9)),
              "\"\\\"\\\\\\r\\n\\t\\u0000\\u001f\xc3\xa9\"");
    EXPECT_EQ(TJsonObject().Add("a", 1).Add("b", true).Add("c", "x").Add("d", -5).Str(),
              "{\"a\":1,\"b\":true,\"c\":\"x\",\"d\":-5}");
}
