#include "core/surface.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tessaly {
namespace {

// Number of pixels of `page` holding `colour`.
int countColour(const Surface& s, int page, uint8_t colour) {
    int n = 0;
    for (std::size_t i = 0; i < kPageBytes; ++i) n += s.page(page)[i] == colour;
    return n;
}

// A w x h image whose pixel (x, y) is 1 + (x + 3 * y) % 250, never 0.
std::vector<uint8_t> patternImage(int w, int h) {
    std::vector<uint8_t> store(imageBytes(w, h));
    EXPECT_TRUE(writeImageHeader(store, 0, w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            store[kImageHeaderBytes + std::size_t(y) * imagePitch(w) + std::size_t(x)] =
                uint8_t(1 + (x + 3 * y) % 250);
    return store;
}

uint8_t patternAt(int x, int y) {
    return uint8_t(1 + (x + 3 * y) % 250);
}

TEST(ImageLayout, SizesFollowThePitchRule) {
    EXPECT_EQ(imageBytes(16, 16), 288u);
    EXPECT_EQ(imagePitch(208), 208u);
    EXPECT_EQ(imagePitch(17), 32u);
    EXPECT_EQ(imageBytes(1, 1), 48u);

    std::vector<uint8_t> store(300, 0xAA);
    EXPECT_TRUE(writeImageHeader(store, 0, 16, 16));
    EXPECT_EQ(imageWidth(store, 0), 16);
    EXPECT_EQ(imageHeight(store, 0), 16);
    // 12 bytes past 288 is too little for a second 16 x 16 image.
    EXPECT_FALSE(writeImageHeader(store, 288, 16, 16));
    EXPECT_EQ(store[288], 0xAA);
    EXPECT_EQ(imageWidth(store, 290), 0); // header would run past the end
    EXPECT_FALSE(writeImageHeader(store, 0, -1, 4));
}

TEST(FillBox, CornersInAnyOrderCoverTheSamePixels) {
    Surface a, b;
    fillBox(a, 10, 20, 30, 25, 7);
    fillBox(b, 30, 25, 10, 20, 7);
    EXPECT_EQ(a.pages, b.pages);
    EXPECT_EQ(countColour(a, 0, 7), 21 * 6);
    EXPECT_EQ(pixelAt(a, 0, 10, 20), 7);
    EXPECT_EQ(pixelAt(a, 0, 30, 25), 7);
    EXPECT_EQ(pixelAt(a, 0, 31, 25), 0);
}

TEST(FillBox, ClipsAtAllFourEdges) {
    Surface s;
    fillBox(s, -5, -5, 4, 4, 1);        // top-left: 5 x 5 inside
    fillBox(s, 795, 595, 900, 900, 2);  // bottom-right: 5 x 5
    fillBox(s, -1000, 300, -1, 310, 3); // wholly left: nothing
    fillBox(s, 100, 600, 110, 700, 4);  // wholly below: nothing
    fillBox(s, INT32_MIN, INT32_MIN, INT32_MAX, -1, 5);
    EXPECT_EQ(countColour(s, 0, 1), 25);
    EXPECT_EQ(countColour(s, 0, 2), 25);
    EXPECT_EQ(countColour(s, 0, 3), 0);
    EXPECT_EQ(countColour(s, 0, 4), 0);
    EXPECT_EQ(countColour(s, 0, 5), 0);
    fillBox(s, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 6);
    EXPECT_EQ(countColour(s, 0, 6), int(kPageBytes));
    EXPECT_EQ(countColour(s, 1, 0), int(kPageBytes)); // other pages untouched
}

TEST(DrawBox, OutlineOnlyWithCornersInAnyOrder) {
    Surface s;
    drawBox(s, 20, 10, 10, 15, 9);
    EXPECT_EQ(countColour(s, 0, 9), 2 * 11 + 2 * 4);
    EXPECT_EQ(pixelAt(s, 0, 15, 12), 0); // inside stays clear
}

TEST(PutImage, OpaquePutLandsAtItsPlace) {
    Surface s;
    auto img = patternImage(16, 16);
    putImage(s, 100, 200, img, 0, PutMode::Opaque);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(pixelAt(s, 0, 100 + x, 200 + y), patternAt(x, y));
    EXPECT_EQ(countColour(s, 0, 0), int(kPageBytes) - 256);
}

TEST(PutImage, ClipsAtAllFourEdges) {
    const int corners[][2] = {{-8, -5}, {792, -5}, {-8, 595}, {792, 595}, {-16, 0}, {800, 0}};
    for (auto [px, py] : corners) {
        Surface s;
        auto img = patternImage(16, 16);
        putImage(s, px, py, img, 0, PutMode::Opaque);
        int drawn = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                int sx = px + x, sy = py + y;
                if (sx < 0 || sy < 0 || sx >= kSurfaceWidth || sy >= kSurfaceHeight) continue;
                ASSERT_EQ(pixelAt(s, 0, sx, sy), patternAt(x, y)) << px << "," << py;
                ++drawn;
            }
        EXPECT_EQ(countColour(s, 0, 0), int(kPageBytes) - drawn) << px << "," << py;
    }
}

TEST(PutImage, TransparentSkipsColourZeroOnly) {
    Surface s;
    fillBox(s, 0, 0, 799, 599, 5);
    Surface before = s;
    std::vector<uint8_t> blank(imageBytes(16, 16), 0);
    writeImageHeader(blank, 0, 16, 16);
    putImage(s, 10, 10, blank, 0, PutMode::Transparent);
    EXPECT_EQ(s.pages, before.pages);

    blank[kImageHeaderBytes + 3] = 9; // pixel (3, 0)
    putImage(s, 10, 10, blank, 0, PutMode::Transparent);
    EXPECT_EQ(pixelAt(s, 0, 13, 10), 9);
    EXPECT_EQ(countColour(s, 0, 5), int(kPageBytes) - 1);
}

TEST(PutImage, ExclusiveOrTwiceRestoresTheSurface) {
    Surface s;
    for (int y = 0; y < 40; ++y) fillBox(s, 0, y, 40, y, y * 7);
    Surface before = s;
    auto img = patternImage(16, 16);
    putImage(s, 5, 3, img, 0, PutMode::Xor);
    EXPECT_EQ(pixelAt(s, 0, 5, 3), uint8_t(patternAt(0, 0) ^ 21));
    EXPECT_NE(s.pages, before.pages);
    putImage(s, 5, 3, img, 0, PutMode::Xor);
    EXPECT_EQ(s.pages, before.pages);
}

TEST(PutImage, ImagesThatDoNotFitTheStoreDrawNothing) {
    Surface s;
    auto img = patternImage(16, 16);
    // The header claims more rows than the store holds.
    std::vector<uint8_t> cut(img.begin(), img.end() - 1);
    putImage(s, 0, 0, cut, 0, PutMode::Opaque);
    putImage(s, 0, 0, img, 1, PutMode::Opaque);
    putImage(s, 0, 0, img, 1u << 30, PutMode::Opaque);
    img[3] = 0x7F; // width near 2^31
    putImage(s, 0, 0, img, 0, PutMode::Opaque);
    EXPECT_EQ(countColour(s, 0, 0), int(kPageBytes));
}

TEST(CaptureImage, RoundTripsAndReadsOffSurfacePixelsAsZero) {
    Surface s;
    auto img = patternImage(16, 16);
    putImage(s, 0, 0, img, 0, PutMode::Opaque);

    std::vector<uint8_t> store(2 * 288, 0xEE);
    ASSERT_TRUE(captureImage(s, 15, 15, 0, 0, store, 288)); // corners in any order
    EXPECT_EQ(imageWidth(store, 288), 16);
    EXPECT_EQ(imageHeight(store, 288), 16);
    EXPECT_EQ(store[287], 0xEE);
    EXPECT_TRUE(std::equal(img.begin() + 8, img.end(), store.begin() + 288 + 8));

    // A capture hanging over the top-left corner: the outside reads 0.
    ASSERT_TRUE(captureImage(s, -2, -1, 5, 4, store, 0));
    EXPECT_EQ(imageWidth(store, 0), 8);
    EXPECT_EQ(imageHeight(store, 0), 6);
    const uint8_t* rows = store.data() + kImageHeaderBytes;
    EXPECT_EQ(rows[0], 0);      // (-2, -1)
    EXPECT_EQ(rows[16 + 1], 0); // (-1, 0)
    EXPECT_EQ(rows[16 + 2], patternAt(0, 0));
    EXPECT_EQ(rows[5 * 16 + 7], patternAt(5, 4));
    EXPECT_EQ(rows[5 * 16 + 8], 0); // padding

    std::vector<uint8_t> small(100, 0xEE);
    EXPECT_FALSE(captureImage(s, 0, 0, 15, 15, small, 0));
    EXPECT_EQ(small, std::vector<uint8_t>(100, 0xEE));
    EXPECT_FALSE(captureImage(s, INT32_MIN, 0, INT32_MAX, 0, small, 0));
}

TEST(Palette, HeldAtSixBitsAndShownScaledBack) {
    Surface s;
    setPaletteEntry(s, 56, 100, 204, 188);
    EXPECT_EQ(shownColour(s, 56), (Rgb{0, 0, 0})); // not open yet: no effect
    openSurface(s);
    setPaletteEntry(s, 56, 100, 204, 188);
    EXPECT_EQ(shownColour(s, 56), (Rgb{101, 206, 190}));
    setPaletteEntry(s, 6, 170, 85, 0);
    EXPECT_EQ(shownColour(s, 6), (Rgb{170, 85, 0}));
    setPaletteEntry(s, 255, 255, 255, 255);
    EXPECT_EQ(shownColour(s, 255), (Rgb{255, 255, 255}));
    setPaletteEntry(s, 1, 300, -5, 3);
    EXPECT_EQ(shownColour(s, 1), (Rgb{255, 0, 0}));
    setPaletteEntry(s, 256, 1, 2, 3);
    setPaletteEntry(s, -1, 1, 2, 3);
    EXPECT_EQ(shownColour(s, 256), (Rgb{}));
}

TEST(ChangeTracking, FollowsTheVisiblePageAndThePalette) {
    Surface s;
    openSurface(s);
    EXPECT_TRUE(s.paletteChanged);
    markPresented(s);
    EXPECT_TRUE(s.changed.empty());
    EXPECT_FALSE(s.paletteChanged);

    fillBox(s, 10, 20, 12, 22, 1);
    setPixel(s, 30, 5, 1);
    EXPECT_EQ(s.changed, (PixelRect{10, 5, 30, 22}));
    markPresented(s);

    // Drawing on a hidden work page does not touch the visible one.
    selectPages(s, 2, 0);
    fillBox(s, 0, 0, 799, 599, 3);
    EXPECT_TRUE(s.changed.empty());
    EXPECT_EQ(pixelAt(s, 0, 0, 0), 0);
    EXPECT_EQ(pixelAt(s, 2, 0, 0), 3);

    selectPages(s, 0, 2);
    EXPECT_EQ(s.changed, (PixelRect{0, 0, 799, 599}));
    markPresented(s);
    selectPages(s, 7, -1); // ignored
    EXPECT_EQ(s.workPage, 0);
    EXPECT_EQ(s.visiblePage, 2);
    EXPECT_TRUE(s.changed.empty());

    setPaletteEntry(s, 4, 8, 8, 8);
    EXPECT_TRUE(s.paletteChanged);
    markPresented(s);
    setPaletteEntry(s, 4, 9, 10, 11); // same 6-bit values
    EXPECT_FALSE(s.paletteChanged);
}

TEST(SetPixel, OutsideTheSurfaceIsIgnored) {
    Surface s;
    setPixel(s, -1, 0, 1);
    setPixel(s, 800, 0, 1);
    setPixel(s, 0, -1, 1);
    setPixel(s, 0, 600, 1);
    EXPECT_EQ(countColour(s, 0, 1), 0);
    setPixel(s, 799, 599, 1);
    EXPECT_EQ(pixelAt(s, 0, 799, 599), 1);
    EXPECT_EQ(pixelAt(s, 0, 800, 599), 0);
    EXPECT_EQ(pixelAt(s, 3, 0, 0), 0);
}

} // namespace
} // namespace tessaly
