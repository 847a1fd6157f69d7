// The PNG codec: palette pictures keep every index and their colour table,
// as libpng reads them back.
#include "core/png.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <vector>

#include "tests/support/png_reader.h"

namespace tessaly {
namespace {

using test::PngPicture;
using test::readPng;

TEST(PalettePng, KeepsEveryIndexAndTheWholeColourTable) {
    std::array<Rgb, 256> palette{};
    for (int i = 0; i < 256; ++i) palette[std::size_t(i)] = {uint8_t(i), uint8_t(7 * i), 200};
    // Noise that deflate cannot shrink, then a plain picture; odd sizes.
    uint32_t seed = 12345;
    for (const bool noise : {true, false}) {
        const int w = 517, h = 301;
        std::vector<uint8_t> pixels(std::size_t(w) * h);
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            seed = seed * 1664525u + 1013904223u;
            pixels[i] = noise ? uint8_t(seed >> 24) : uint8_t(i / 1000);
        }
        const std::vector<uint8_t> png = encodePalettePng(w, h, pixels, palette);
        ASSERT_FALSE(png.empty()) << noise;
        // Read back by libpng as an 8-bit palette picture (which alone has indexes).
        const std::optional<PngPicture> read = readPng(png);
        ASSERT_TRUE(read && !read->indexes.empty()) << noise;
        EXPECT_EQ(read->width, w);
        EXPECT_EQ(read->height, h);
        EXPECT_EQ(read->indexes, pixels) << noise;
        ASSERT_EQ(read->colours.size(), 256u);
        for (int i = 0; i < 256; ++i)
            EXPECT_EQ(read->colours[std::size_t(i)], palette[std::size_t(i)]) << i;
    }
    const std::vector<uint8_t> few(5);
    EXPECT_TRUE(encodePalettePng(3, 2, few, palette).empty()); // too few pixels
    EXPECT_TRUE(encodePalettePng(0, 2, few, palette).empty());
    EXPECT_TRUE(encodePalettePng(2, -1, few, palette).empty());
}

} // namespace
} // namespace tessaly
