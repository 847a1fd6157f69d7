// The 8-bit BMP writer: the header fields, the colour table, bottom-up rows
// padded to 4 bytes, and refusing pixels that do not fill the picture.
#include <gtest/gtest.h>

#include <array>

#include "core/bmp.h"
#include "core/surface.h"

namespace tessaly {
namespace {

uint32_t le32(const std::vector<uint8_t>& b, std::size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
           uint32_t(b[at + 3]) << 24;
}
uint32_t le16(const std::vector<uint8_t>& b, std::size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8;
}

std::array<Rgb, 256> testColours() {
    std::array<Rgb, 256> c{};
    for (int i = 0; i < 256; ++i)
        c[std::size_t(i)] = {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)};
    return c;
}

std::vector<uint8_t> numbered(int count) {
    std::vector<uint8_t> p(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) p[std::size_t(i)] = uint8_t(i + 1);
    return p;
}

TEST(EncodeBitmap8, HeadersDescribeAnUncompressedEightBitPicture) {
    const auto file = encodeBitmap8(5, 3, numbered(15), testColours());
    ASSERT_EQ(file.size(), 14u + 40u + 1024u + 3u * 8u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(le32(file, 2), file.size());
    EXPECT_EQ(le32(file, 6), 0u);
    EXPECT_EQ(le32(file, 10), 54u + 1024u);
    EXPECT_EQ(le32(file, 14), 40u);
    EXPECT_EQ(le32(file, 18), 5u);
    EXPECT_EQ(le32(file, 22), 3u); // positive: rows stored bottom-up
    EXPECT_EQ(le16(file, 26), 1u);
    EXPECT_EQ(le16(file, 28), 8u);
    EXPECT_EQ(le32(file, 30), 0u);
    EXPECT_EQ(le32(file, 34), 24u);
    EXPECT_EQ(le32(file, 46), 256u);
}

TEST(EncodeBitmap8, ColourTableHoldsBlueGreenRedAndZero) {
    const auto colours = testColours();
    const auto file = encodeBitmap8(1, 1, numbered(1), colours);
    for (std::size_t i = 0; i < 256; ++i) {
        EXPECT_EQ(file[54 + 4 * i + 0], colours[i].b) << i;
        EXPECT_EQ(file[54 + 4 * i + 1], colours[i].g) << i;
        EXPECT_EQ(file[54 + 4 * i + 2], colours[i].r) << i;
        EXPECT_EQ(file[54 + 4 * i + 3], 0) << i;
    }
}

TEST(EncodeBitmap8, RowsRunBottomUpPaddedWithZerosToFourBytes) {
    for (int width : {1, 2, 3, 4, 5, 7, 8}) {
        SCOPED_TRACE(width);
        const int height = 3;
        const auto file = encodeBitmap8(width, height, numbered(width * height), testColours());
        const std::size_t rowBytes = std::size_t((width + 3) / 4 * 4);
        ASSERT_EQ(file.size(), 1078 + rowBytes * height);
        for (int y = 0; y < height; ++y) {
            const std::size_t row = 1078 + rowBytes * std::size_t(height - 1 - y);
            for (int x = 0; x < width; ++x)
                EXPECT_EQ(file[row + std::size_t(x)], y * width + x + 1) << x << "," << y;
            for (std::size_t pad = std::size_t(width); pad < rowBytes; ++pad)
                EXPECT_EQ(file[row + pad], 0);
        }
    }
}

TEST(EncodeBitmap8, RefusesSizesThePixelsCannotFill) {
    const auto colours = testColours();
    EXPECT_TRUE(encodeBitmap8(0, 3, numbered(9), colours).empty());
    EXPECT_TRUE(encodeBitmap8(3, 0, numbered(9), colours).empty());
    EXPECT_TRUE(encodeBitmap8(-3, 3, numbered(9), colours).empty());
    EXPECT_TRUE(encodeBitmap8(4, 3, numbered(11), colours).empty());
    EXPECT_TRUE(encodeBitmap8(100000, 100000, numbered(9), colours).empty());
    EXPECT_FALSE(encodeBitmap8(3, 3, numbered(9), colours).empty());
}

} // namespace
} // namespace tessaly
