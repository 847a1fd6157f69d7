#include "core/emblem.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(Emblem, IconIsFortyEightSquareIn256ColoursAndLogoSixtyFourSquareOpaque) {
    const IndexedPicture icon = drawEmblem(3);
    EXPECT_EQ(icon.width, 48);
    EXPECT_EQ(icon.height, 48);
    ASSERT_EQ(icon.pixels.size(), 48u * 48u);
    EXPECT_LE(icon.palette.size(), 256u);
    for (uint8_t index : icon.pixels) ASSERT_LT(index, icon.palette.size());

    const IndexedPicture logo = drawEmblem(4);
    const std::vector<uint8_t> rgba = emblemRgba(logo);
    ASSERT_EQ(rgba.size(), 64u * 64u * 4u);
    for (std::size_t i = 3; i < rgba.size(); i += 4) ASSERT_EQ(rgba[i], 255);
    EXPECT_EQ(drawEmblem(4).pixels, logo.pixels); // the same picture every time
}

} // namespace
} // namespace tessaly
