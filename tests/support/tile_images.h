// Tile images a test can recognise on the page, for the tests of whatever
// draws the editor screen (the views, and the program that finishes each
// step with a redraw).
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <tuple>

#include "core/surface.h"
#include "level/profile.h"
#include "views/tilesheet.h"

namespace tessaly::test {

// Every pixel of tile n's default image lies in 1..69 or 100..199: never 0
// (so transparent puts cover the cell), never one of the label, box or
// status panel colours 71..80, never one of the marker colours 200 and up.
// Pixels (0, 0) and (1, 0) spell n out (100 + n % 100, 100 + n / 100), so no
// two tile numbers below 2177 share an image.
inline uint8_t defaultTilePixel(int n, int x, int y) {
    if (y == 0 && x == 0) return uint8_t(100 + n % 100);
    if (y == 0 && x == 1) return uint8_t(100 + n / 100);
    return uint8_t(1 + (n + x + 2 * y) % 69);
}

// Writes tile n's 16 x 16 image at 288 n of the store and points tileOffset[n] at it.
inline void setTileImage(TileSheet& sheet, int n, const std::function<uint8_t(int, int)>& pixel) {
    const std::size_t offset = kTileImageBytes * std::size_t(n);
    ASSERT_TRUE(writeImageHeader(sheet.tileImages, offset, 16, 16));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            sheet.tileImages[offset + kImageHeaderBytes + std::size_t(16 * y + x)] = pixel(x, y);
    sheet.tileOffset[std::size_t(n)] = int32_t(offset);
}

// An overlay picture: colour 0 (transparent) but for one pixel.
inline void setSparseTile(TileSheet& sheet, int n, int px, int py, uint8_t colour) {
    setTileImage(sheet, n, [=](int x, int y) { return x == px && y == py ? colour : 0; });
}

// The colours of the one pixel of the door link marker (878, at (10, 10))
// and of the door exit marker (890, at (12, 3)) in the default tile sheet.
constexpr uint8_t kLinkMarkerColour = 201, kExitMarkerColour = 202;

// The default tile sheet of the tests: tiles 0..896 in their recognisable
// images, the door markers 878 and 890 as overlays of one pixel each.
inline void setDefaultTiles(TileSheet& sheet) {
    for (int n = 0; n <= 896; ++n)
        setTileImage(sheet, n, [n](int x, int y) { return defaultTilePixel(n, x, y); });
    setSparseTile(sheet, 878, 10, 10, kLinkMarkerColour);
    setSparseTile(sheet, 890, 12, 3, kExitMarkerColour);
}

// Pixel (x, y) of the image that tile n draws.
inline uint8_t tilePixel(const TileSheet& sheet, int64_t n, int x, int y) {
    return sheet
        .tileImages[tileImageOffset(sheet, n) + kImageHeaderBytes + std::size_t(16 * y + x)];
}

// Whether the 16 x 16 block of page 0 at (x, y) holds exactly tile n's image.
inline ::testing::AssertionResult showsTile(const Surface& s, const TileSheet& sheet, int x, int y,
                                            int64_t n) {
    for (int j = 0; j < 16; ++j)
        for (int i = 0; i < 16; ++i)
            if (pixelAt(s, 0, x + i, y + j) != tilePixel(sheet, n, i, j))
                return ::testing::AssertionFailure()
                       << "pixel (" << x + i << ", " << y + j << ") is "
                       << int(pixelAt(s, 0, x + i, y + j)) << ", tile " << n << " has "
                       << int(tilePixel(sheet, n, i, j));
    return ::testing::AssertionSuccess();
}

// A catalogue of the test's own in place of the game's: entries 1.. with
// these codes, pictures (tile numbers) and labels.
inline void setCatalogue(GameProfile& profile,
                         std::initializer_list<std::tuple<int32_t, int32_t, std::string>> entries) {
    profile.objectCount = 0;
    for (const auto& [code, picture, label] : entries) {
        const int k = ++profile.objectCount;
        profile.objectCode[std::size_t(k)] = code;
        profile.objectPicture[std::size_t(k)] = picture;
        profile.objectLabel[std::size_t(k)] = label;
    }
}

} // namespace tessaly::test
