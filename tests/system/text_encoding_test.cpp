#include "system/text_encoding.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(TextEncoding, ProgramTextBecomesUtf8) {
    EXPECT_EQ(cp1251ToUtf8("Tessaly Editor v0.9"), "Tessaly Editor v0.9");
    // Windows-1251 capital A, small ya and capital Io: two UTF-8 bytes each.
    EXPECT_EQ(cp1251ToUtf8("\xC0\xFF\xA8"), "\xD0\x90\xD1\x8F\xD0\x81");
    EXPECT_EQ(cp1251ToUtf8("\x88"), "\xE2\x82\xAC"); // euro sign
    EXPECT_EQ(cp1251ToUtf8(std::string("ab\0cd", 5)), "ab");
}

TEST(TextEncoding, CutsCountCharactersNotBytes) {
    EXPECT_EQ(utf8Prefix(std::string(200, 'x'), 127), std::string(127, 'x'));
    const std::string cyrillic = cp1251ToUtf8(std::string(130, '\xC0'));
    EXPECT_EQ(utf8Length(cyrillic), 130u);
    EXPECT_EQ(utf8Prefix(cyrillic, 127).size(), 127u * 2);
    // A three-byte character is kept whole or left out whole.
    EXPECT_EQ(utf8Prefix("ab\xE2\x82\xAC", 2), "ab");
    EXPECT_EQ(utf8Prefix("ab\xE2\x82\xAC", 3), "ab\xE2\x82\xAC");
    EXPECT_EQ(utf8Prefix(std::string("ab\0cd", 5), 10), "ab");
}

// Windows hands file names over as UTF-16; the program keeps them as UTF-8.
TEST(TextEncoding, FileNamesMakeTheRoundTripThroughUtf16) {
    EXPECT_EQ(utf8ToUtf16("LEVEL01.CK1"), u"LEVEL01.CK1");
    // Two-, three- and four-byte characters: e acute, Cyrillic De, a CJK
    // ideograph and an emoji outside the first plane (a surrogate pair).
    const std::string name = "\xC3\xA9\xD0\x94\xE4\xB8\xAD\xF0\x9F\x98\x80.ck1";
    const std::u16string wide = u"\u00E9\u0414\u4E2D\U0001F600.ck1";
    EXPECT_EQ(utf8ToUtf16(name), wide);
    EXPECT_EQ(utf16ToUtf8(wide), name);
    // A lone surrogate, as an odd Windows name may hold, comes back unchanged.
    const std::u16string lone{u'a', char16_t(0xD83D), u'b'};
    EXPECT_EQ(utf8ToUtf16(utf16ToUtf8(lone)), lone);
    // Broken UTF-8: a stray continuation byte, a cut sequence, an overlong
    // form; each bad byte is one replacement character.
    EXPECT_EQ(utf8ToUtf16("a\x80"
                          "b"),
              u"a\uFFFD"
              "b");
    EXPECT_EQ(utf8ToUtf16("a\xE4\xB8"), u"a\uFFFD\uFFFD");
    EXPECT_EQ(utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");
    EXPECT_EQ(utf8ToUtf16("\xF4\x90\x80\x80").size(), 4u); // past U+10FFFF
}

} // namespace
} // namespace tessaly
