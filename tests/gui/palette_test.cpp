#include "gui/palette.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tessaly {
namespace {

TEST(EditorPalette, ShowsThroughTheSixBitRegisters) {
    Surface s;
    openSurface(s);
    // Every entry starts as something else (a bitmap's colour table, say), so
    // an entry the editor palette fails to set shows up below.
    for (int i = 0; i < 256; ++i) setPaletteEntry(s, i, 128, 128, 128);
    ApplyEditorPalette(s);
    // The components of entries 0..55 come back unchanged through 6 bits; the
    // ramp shades may shift by up to 2.
    for (int i = 0; i < 56; ++i) EXPECT_EQ(shownColour(s, i), kEditorPalette[std::size_t(i)]) << i;
    EXPECT_EQ(shownColour(s, 6), (Rgb{170, 85, 0})); // brown
    EXPECT_EQ(shownColour(s, 56), (Rgb{101, 206, 190}));
    for (int i = 56; i < 86; ++i) {
        Rgb want = kEditorPalette[std::size_t(i)], got = shownColour(s, i);
        EXPECT_LE(std::abs(want.r - got.r), 2) << i;
        EXPECT_LE(std::abs(want.g - got.g), 2) << i;
        EXPECT_LE(std::abs(want.b - got.b), 2) << i;
    }
    for (int i = 86; i < 256; ++i) EXPECT_EQ(shownColour(s, i), (Rgb{})) << i;
}

} // namespace
} // namespace tessaly
