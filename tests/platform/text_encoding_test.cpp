#include "platform/text_encoding.h"

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

} // namespace
} // namespace tessaly
