#include "platform/sdl/window_title.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(WindowTitle, CutToOneHundredTwentySevenCharactersThenMadeUtf8) {
    EXPECT_EQ(windowTitleUtf8("Tessaly Editor v0.9"), "Tessaly Editor v0.9");
    EXPECT_EQ(windowTitleUtf8(std::string(200, 'x')), std::string(127, 'x'));
    // Windows-1251 capital A, small ya and capital Io: two UTF-8 bytes each.
    EXPECT_EQ(windowTitleUtf8("\xC0\xFF\xA8"), "\xD0\x90\xD1\x8F\xD0\x81");
    // The cut counts characters of the program's text, not UTF-8 bytes.
    EXPECT_EQ(windowTitleUtf8(std::string(130, '\xC0')).size(), 127u * 2);
    EXPECT_EQ(windowTitleUtf8("\x88"), "\xE2\x82\xAC"); // euro sign
    EXPECT_EQ(windowTitleUtf8(std::string("ab\0cd", 5)), "ab");
}

} // namespace
} // namespace tessaly
