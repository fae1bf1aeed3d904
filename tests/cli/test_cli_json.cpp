#include "cli/Json.h"
#include <gtest/gtest.h>

TEST(CliJson, EscapesWhatJsonRequiresAndKeepsUtf8) {
    EXPECT_EQ(JsonString(std::string("\"\\\r\n\t\0\x1f\xc3\xa9", 9)),
              "\"\\\"\\\\\\r\\n\\t\\u0000\\u001f\xc3\xa9\"");
}
