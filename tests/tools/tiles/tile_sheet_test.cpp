#include <gtest/gtest.h>

#include "tests/tools/tiles/ega_writer.h"
#include "tools/tiles/tile_sheet.h"

namespace tessaly {
namespace {

constexpr std::size_t kSheetBytes = 208 * 1104;

std::vector<uint8_t> stripedArt() {
    std::vector<uint8_t> art(kSheetBytes);
    for (std::size_t i = 0; i < art.size(); ++i) art[i] = uint8_t(16 + i % 200);
    return art;
}

TEST(TileSheet, GameTilesReplaceTheFirstNumbersAndTheRestKeepTheDefaultArt) {
    const std::vector<uint8_t> art = stripedArt();
    const std::vector<TilePixels> tiles = test::randomTiles(20, 4);
    const SheetResult r = composeTileSheet(art, tiles);
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.placed, 20);
    for (int n = 0; n < 897; ++n) {
        EXPECT_EQ(sheetTile(r.pixels, n), n < 20 ? tiles[n] : sheetTile(art, n)) << "tile " << n;
    }
}

TEST(TileSheet, TileNIsAtColumn16NMod13AndRow16NDiv13) {
    std::vector<TilePixels> tiles = test::randomTiles(897, 8);
    const SheetResult r = composeTileSheet(std::vector<uint8_t>(kSheetBytes), tiles);
    ASSERT_EQ(r.error, "");
    for (int n : {0, 12, 13, 14, 896}) {
        const int left = 16 * (n % 13), top = 16 * (n / 13);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(r.pixels[(top + y) * 208 + left + x], tiles[n][y * 16 + x])
                    << "tile " << n << " at " << x << "," << y;
    }
}

TEST(TileSheet, TilesPastTheSheetAreLeftOut) {
    const std::vector<TilePixels> tiles = test::randomTiles(950, 6);
    const SheetResult r = composeTileSheet(std::vector<uint8_t>(kSheetBytes), tiles);
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.placed, 897);
    EXPECT_EQ(r.pixels.size(), kSheetBytes);
    EXPECT_EQ(sheetTile(r.pixels, 896), tiles[896]);
}

TEST(TileSheet, TilesPastTheRoomGivenKeepTheDefaultArt) {
    const std::vector<uint8_t> art = stripedArt();
    const std::vector<TilePixels> tiles = test::randomTiles(900, 7);
    const SheetResult r = composeTileSheet(art, tiles, 858);
    EXPECT_EQ(r.placed, 858);
    EXPECT_EQ(sheetTile(r.pixels, 857), tiles[857]);
    for (int n : {858, 878, 890, 896}) EXPECT_EQ(sheetTile(r.pixels, n), sheetTile(art, n));
    EXPECT_EQ(composeTileSheet(art, tiles, -5).placed, 0);
    EXPECT_EQ(composeTileSheet(art, tiles, 5000).placed, 897);
}

TEST(TileSheet, RefusesDefaultArtOfTheWrongSize) {
    EXPECT_NE(composeTileSheet(std::vector<uint8_t>(100), {}).error, "");
    EXPECT_EQ(sheetTile(std::vector<uint8_t>(100), 0), TilePixels{});
    EXPECT_EQ(sheetTile(std::vector<uint8_t>(kSheetBytes, 3), 897), TilePixels{});
}

} // namespace
} // namespace tessaly
