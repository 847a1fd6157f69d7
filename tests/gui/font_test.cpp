#include "gui/font.h"

#include <gtest/gtest.h>

#include <set>

namespace tessaly {
namespace {

bool hasOwnOrSharedGlyph(int c) {
    return (c >= 32 && c <= 37) || (c >= 40 && c <= 58) || (c >= 60 && c <= 63) ||
           (c >= 65 && c <= 93) || (c >= 95 && c <= 122) || c == 168 || c == 184 || c >= 192;
}

// Guards the transcription of the table: every glyph's rows agree with its
// declared size and use only the pattern characters.
TEST(Font, EveryGlyphHasTheShapeItDeclares) {
    std::set<int> tall;
    for (int c = 0; c < 256; ++c) {
        const Glyph& g = LookUpGlyph(uint8_t(c));
        SCOPED_TRACE(c);
        EXPECT_GE(g.width, 3);
        EXPECT_LE(g.width, 9);
        ASSERT_TRUE(g.height == 8 || g.height == 9);
        for (int r = 0; r < kMaxGlyphHeight; ++r) {
            if (r >= g.height) {
                EXPECT_TRUE(g.rows[r].empty()) << "row " << r;
                continue;
            }
            EXPECT_EQ(int(g.rows[r].size()), g.width) << "row " << r;
            EXPECT_EQ(g.rows[r].find_first_not_of("12sx."), std::string_view::npos)
                << "row " << r << ": " << g.rows[r];
        }
        if (g.height == 9) tall.insert(c);
    }
    EXPECT_EQ(tall, (std::set<int>{36, 42, 103, 112, 113, 121, 240}));
}

TEST(Font, CodesWithoutAGlyphGetTheBlankGlyph) {
    const Glyph& blank = LookUpGlyph(32);
    EXPECT_EQ(blank.width, 5);
    EXPECT_EQ(blank.height, 8);
    for (int r = 0; r < 8; ++r) EXPECT_EQ(blank.rows[r], ".....");
    for (int c = 0; c < 256; ++c) {
        const bool isBlank = &LookUpGlyph(uint8_t(c)) == &blank;
        EXPECT_EQ(isBlank, c == 32 || !hasOwnOrSharedGlyph(c)) << c;
    }
    // Every glyph of its own draws something.
    for (int c = 33; c < 256; ++c) {
        if (!hasOwnOrSharedGlyph(c)) continue;
        const Glyph& g = LookUpGlyph(uint8_t(c));
        bool drawn = false;
        for (int r = 0; r < g.height; ++r)
            drawn |= g.rows[r].find_first_not_of('.') != std::string_view::npos;
        EXPECT_TRUE(drawn) << c;
    }
}

TEST(Font, SharedCyrillicGlyphsAreTheirLatinTwins) {
    const int pairs[][2] = {{192, 65},  {194, 66},  {197, 69}, {199, 51}, {202, 75},
                            {204, 77},  {205, 72},  {206, 79}, {208, 80}, {209, 67},
                            {210, 84},  {213, 88},  {220, 98}, {224, 97}, {229, 101},
                            {238, 111}, {240, 112}, {241, 99}, {245, 120}};
    for (auto [cyrillic, latin] : pairs)
        EXPECT_EQ(&LookUpGlyph(uint8_t(cyrillic)), &LookUpGlyph(uint8_t(latin))) << cyrillic;
    // Lookalikes that are not in the list keep glyphs of their own.
    EXPECT_NE(&LookUpGlyph(243), &LookUpGlyph('y'));
    EXPECT_EQ(LookUpGlyph(243).height, 8);
    EXPECT_NE(&LookUpGlyph(252), &LookUpGlyph('b'));
}

} // namespace
} // namespace tessaly
