#include "core/Cp1252.h"

#include <gtest/gtest.h>

TEST(Cp1252, EveryByteRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_EQ(Utf8Length(utf8), 256u);
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
}

// What the code page holds goes both ways; anything else becomes a question
// mark per character, or per byte of a sequence that is no character.
TEST(Cp1252, EachCharacterOrAQuestionMark) {
    struct Case {
        const char* utf8;
        const char* cp1252;
        bool representable;
    };
    for (const Case c : {
             Case{"\u20ac", "\x80", true},
             Case{"\xc2\x81", "\x81", true}, // a byte the code page leaves undefined
             Case{"\u0178", "\x9f", true}, Case{"\u00e9t\u00e9", "\xe9t\xe9", true},
             Case{"\u65e5\u672c", "??", false},       // CJK
             Case{"\xf0\x9f\x98\x80!", "?!", false},  // emoji, four bytes
             Case{"\xc2\x80", "?", false},            // C1 control the code page has no byte for
             Case{"\xe2\x82", "??", false},           // cut-off sequence
             Case{"\xc0\xaf", "??", false},           // overlong '/'
             Case{"\xed\xa0\x80", "???", false},      // surrogate
             Case{"\xf4\x90\x80\x80", "????", false}, // beyond U+10FFFF
             Case{"\x80x", "?x", false},              // stray continuation byte
         }) {
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
        EXPECT_EQ(Utf8Length(c.utf8), std::string(c.cp1252).size()) << c.utf8;
        if (c.representable)
            EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8) << c.utf8;
    }
    EXPECT_EQ(Cp1252ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}
