// Loading a game's tile bitmap into the tile sheet: where the bitmap is
// looked for, how it is cut into tiles, and what a missing or refused bitmap
// leaves.
#include "app/tile_bitmap.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/bmp.h"
#include "core/surface.h"
#include "level/profile.h"
#include "system/files.h"
#include "system/resources.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tile_images.h"
#include "views/tilesheet.h"

namespace tessaly::test {
namespace {

using PixelFn = std::function<uint8_t(int x, int y)>;

// Two bitmap patterns that repeat at no multiple of 16 pixels, so a tile cut
// from the wrong block (or from the other pattern) never matches.
uint8_t patternA(int x, int y) {
    return uint8_t((x * 31 + y * 17) % 251);
}
uint8_t patternB(int x, int y) {
    return uint8_t((x * 7 + y * 3 + 50) % 253);
}

void writeBitmap(const std::string& path, int width, int height, const PixelFn& pixel) {
    std::vector<uint8_t> pixels(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels[std::size_t(y * width + x)] = pixel(x, y);
    std::array<Rgb, 256> colours{};
    for (int i = 0; i < 256; ++i) colours[std::size_t(i)] = {uint8_t(i), uint8_t(255 - i), 0};
    const std::vector<uint8_t> file = encodeBitmap8(width, height, pixels, colours);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
}

// Whether tile n's image is the 16 x 16 block of `pixel` at column
// 16 (n mod 13), row 16 (n div 13).
::testing::AssertionResult tileIsBlock(const TileSheet& sheet, int n, const PixelFn& pixel) {
    const std::size_t offset = tileImageOffset(sheet, n);
    if (imageWidth(sheet.tileImages, offset) != 16 || imageHeight(sheet.tileImages, offset) != 16)
        return ::testing::AssertionFailure() << "tile " << n << " is not a 16 x 16 image";
    const int bx = 16 * (n % 13), by = 16 * (n / 13);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (tilePixel(sheet, n, x, y) != pixel(bx + x, by + y))
                return ::testing::AssertionFailure()
                       << "tile " << n << " pixel (" << x << ", " << y << ") is "
                       << int(tilePixel(sheet, n, x, y)) << ", bitmap has "
                       << int(pixel(bx + x, by + y));
    return ::testing::AssertionSuccess();
}

class TileSheetLoad : public ::testing::Test {
  protected:
    TileSheetLoad() {
        std::filesystem::create_directories(folder.file("Resources"));
        selectGame(ck1, "CK1");
        selectGame(ck2, "CK2");
    }
    // Joined as the program joins paths, so messages can be compared.
    std::string resource(const std::string& name) const {
        return joinPath(joinPath(folder.path(), "Resources"), name);
    }
    bool load(const GameProfile& profile) {
        return loadTileSheet(*sheet, surface, profile, folder.path());
    }

    TempFolder folder;
    // The user's own bitmaps are looked for in data/tessaly/Resources (on
    // Windows data/Tessaly/Resources), not in the real home.
#ifdef _WIN32
    ScopedEnv dataHome{"LOCALAPPDATA", folder.file("data").c_str()};
#else
    ScopedEnv dataHome{"XDG_DATA_HOME", folder.file("data").c_str()};
#endif
    Surface surface;
    std::unique_ptr<TileSheet> sheet = std::make_unique<TileSheet>();
    GameProfile ck1, ck2;
};

TEST_F(TileSheetLoad, CutsTheBitmapIntoTilesRowByRowAndRestoresPageZero) {
    writeBitmap(resource("CK1TILES.bmp"), 208, 1104, patternA);
    selectPages(surface, 1, 1);

    ASSERT_TRUE(load(ck1));

    EXPECT_TRUE(tileIsBlock(*sheet, 0, patternA));
    EXPECT_TRUE(tileIsBlock(*sheet, 14, patternA));  // the block at (16, 16)
    EXPECT_TRUE(tileIsBlock(*sheet, 896, patternA)); // bottom-right block of strip 69
    for (int n = 0; n <= 896; ++n) {
        ASSERT_EQ(sheet->tileOffset[std::size_t(n)], 288 * n) << n;
        ASSERT_TRUE(tileIsBlock(*sheet, n, patternA));
    }
    for (int n = 897; n < kTileOffsetEntries; ++n) ASSERT_EQ(sheet->tileOffset[std::size_t(n)], 0);
    EXPECT_EQ(surface.workPage, 0);
    EXPECT_EQ(surface.visiblePage, 0);
}

TEST_F(TileSheetLoad, FindsTheBitmapWhateverTheCaseOfItsName) {
    writeBitmap(resource("ck1tiles.BMP"), 208, 1104, patternA);
    EXPECT_EQ(std::filesystem::path(tileBitmapPath(ck1, folder.path())),
              std::filesystem::path(resource("ck1tiles.BMP")));
    ASSERT_TRUE(load(ck1));
    EXPECT_TRUE(tileIsBlock(*sheet, 14, patternA));
}

TEST_F(TileSheetLoad, FindsTheBitmapInTheUsersDataFolder) {
    const std::string user = folder.file("data/tessaly/Resources"); // any case on Windows
    std::filesystem::create_directories(user);
    writeBitmap(user + "/CK1TILES.bmp", 208, 1104, patternA);
    ASSERT_TRUE(load(ck1));
    EXPECT_TRUE(tileIsBlock(*sheet, 14, patternA));
}

TEST_F(TileSheetLoad, TheMessageNamesEveryFolderLookedInOrTheFileThatCannotBeUsed) {
    const std::vector<std::string> folders = tileBitmapFolders(folder.path());
    ASSERT_EQ(folders.size(), 3u);
    EXPECT_EQ(tileBitmapProblem(ck1, folder.path()),
              "The tile bitmap CK1TILES.bmp was found in none of " + folders[0] + ", " +
                  folders[1] + " and " + folders[2] + "; the tiles shown are not this game's.");

    writeBitmap(resource("CK1TILES.bmp"), 224, 1104, patternA);
    ASSERT_FALSE(load(ck1));
    EXPECT_EQ(tileBitmapProblem(ck1, folder.path()),
              "The tile bitmap " + resource("CK1TILES.bmp") +
                  " cannot be used: a tile bitmap is a palette BMP file 208 pixels wide; the "
                  "tiles shown are not this game's.");
}

TEST_F(TileSheetLoad, MissingBitmapAtTheFirstStartGivesBlankTiles) {
    EXPECT_FALSE(load(ck1));
    for (int n : {0, 14, 896}) {
        EXPECT_TRUE(tileIsBlock(*sheet, n, [](int, int) { return uint8_t(0); }));
        EXPECT_EQ(sheet->tileOffset[std::size_t(n)], 288 * n);
    }
    EXPECT_EQ(surface.workPage, 0);
    EXPECT_EQ(surface.visiblePage, 0);
}

// A failed load keeps the load buffer, so the previous game's tiles come back.
TEST_F(TileSheetLoad, RefusedOrMissingBitmapBringsBackThePreviousTiles) {
    writeBitmap(resource("CK1TILES.bmp"), 208, 1104, patternA);
    ASSERT_TRUE(load(ck1));

    EXPECT_FALSE(load(ck2)); // no CK2TILES.bmp
    EXPECT_TRUE(tileIsBlock(*sheet, 14, patternA));
    EXPECT_TRUE(tileIsBlock(*sheet, 896, patternA));

    for (int width : {224, 192, 16}) {
        writeBitmap(resource("CK2TILES.bmp"), width, 1104, patternB);
        EXPECT_FALSE(load(ck2)) << width;
        EXPECT_TRUE(tileIsBlock(*sheet, 14, patternA)) << width;
        EXPECT_TRUE(tileIsBlock(*sheet, 896, patternA)) << width;
    }

    // 208 wide but too tall for the 425,985-byte buffer.
    writeBitmap(resource("CK2TILES.bmp"), 208, 2048, patternB);
    EXPECT_FALSE(load(ck2));
    EXPECT_TRUE(tileIsBlock(*sheet, 896, patternA));

    // Not a bitmap at all.
    std::ofstream(resource("CK2TILES.bmp"), std::ios::binary | std::ios::trunc) << "BM not really";
    EXPECT_FALSE(load(ck2));
    EXPECT_TRUE(tileIsBlock(*sheet, 14, patternA));
}

// The pixel cursor runs on through the load buffer: past a short bitmap's
// last row the strips read what an earlier, larger bitmap left there.
TEST_F(TileSheetLoad, ShortBitmapLeavesTheLaterStripsToEarlierPixels) {
    writeBitmap(resource("CK1TILES.bmp"), 208, 1104, patternA);
    ASSERT_TRUE(load(ck1));
    writeBitmap(resource("CK2TILES.bmp"), 208, 32, patternB);
    ASSERT_TRUE(load(ck2));
    EXPECT_TRUE(tileIsBlock(*sheet, 0, patternB));
    EXPECT_TRUE(tileIsBlock(*sheet, 25, patternB));
    EXPECT_TRUE(tileIsBlock(*sheet, 26, patternA));
    EXPECT_TRUE(tileIsBlock(*sheet, 896, patternA));
}

} // namespace
} // namespace tessaly::test
