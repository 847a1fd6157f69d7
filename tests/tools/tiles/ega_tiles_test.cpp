#include <gtest/gtest.h>

#include "tests/tools/tiles/ega_writer.h"
#include "tools/tiles/ega_tiles.h"
#include "tools/tiles/game_tiles.h"

namespace tessaly {
namespace {

using namespace test;

uint8_t pixel(const TilePixels& tile, int x, int y) {
    return tile[y * kTileSide + x];
}

TEST(PlanarTiles, PlanesAreBlueGreenRedIntensityWithTheLeftmostPixelInTheTopBit) {
    std::vector<uint8_t> file(2 * kPlanarTileBytes);
    file[0] = 0x80;                                             // blue, row 0, x 0
    file[96 + 1] = 0x01;                                        // intensity, row 0, x 15
    file[32 + 2 * 5] = 0x40;                                    // green, row 5, x 1
    file[64 + 2 * 5] = 0x40;                                    // red, row 5, x 1
    for (int p = 0; p < 4; ++p) file[128 + p * 32 + 30] = 0xFF; // tile 1, row 15, x 0..7
    const TilesResult r = decodePlanarTiles(file);
    ASSERT_TRUE(r.error.empty()) << r.error;
    ASSERT_EQ(r.tiles.size(), 2u);
    EXPECT_EQ(pixel(r.tiles[0], 0, 0), 1);
    EXPECT_EQ(pixel(r.tiles[0], 15, 0), 8);
    EXPECT_EQ(pixel(r.tiles[0], 1, 5), 6);
    EXPECT_EQ(pixel(r.tiles[0], 1, 0), 0);
    for (int x = 0; x < 16; ++x) EXPECT_EQ(pixel(r.tiles[1], x, 15), x < 8 ? 15 : 0);
}

TEST(PlanarTiles, GivesBackTheTilesWritten) {
    const std::vector<TilePixels> tiles = randomTiles(40, 3);
    const TilesResult r = decodePlanarTiles(egaTilesFile(tiles));
    ASSERT_TRUE(r.error.empty()) << r.error;
    EXPECT_EQ(r.tiles, tiles);
}

TEST(PlanarTiles, RejectsEmptyAndPartTiles) {
    EXPECT_EQ(decodePlanarTiles({}).error, "the file is empty");
    const std::vector<uint8_t> file(3 * 128 + 5);
    EXPECT_EQ(decodePlanarTiles(file).error, "389 bytes is not a whole number of 128-byte tiles");
}

TEST(LatchHeader, ReadsPlaneSizeTileCountAndOffset) {
    const LatchHeaderResult r = readLatchHeader(egaHeadFile(29920, 611, 2048));
    ASSERT_TRUE(r.error.empty()) << r.error;
    EXPECT_EQ(r.header.planeBytes, 29920u);
    EXPECT_EQ(r.header.tileCount, 611u);
    EXPECT_EQ(r.header.tileOffset, 2048u);
}

TEST(LatchHeader, RejectsShortOrInconsistentHeaders) {
    std::vector<uint8_t> head = egaHeadFile(29920, 611, 2048);
    head.resize(45);
    EXPECT_EQ(readLatchHeader(head).error, "only 45 bytes, too short for the 46-byte header");
    EXPECT_NE(readLatchHeader(egaHeadFile(0, 611, 2048)).error, "");
    EXPECT_NE(readLatchHeader(egaHeadFile(65537, 611, 2048)).error, "");
    EXPECT_EQ(readLatchHeader(egaHeadFile(29920, 0, 2048)).error, "holds no 16 x 16 tiles");
    // 32 x 611 + 2048 = 21600 fits 21600 exactly, not 21599.
    EXPECT_EQ(readLatchHeader(egaHeadFile(21600, 611, 2048)).error, "");
    EXPECT_EQ(readLatchHeader(egaHeadFile(21599, 611, 2048)).error,
              "611 tiles of 32 bytes from offset 2048 run past the plane size 21599");
    EXPECT_NE(readLatchHeader(egaHeadFile(29920, 611, 0xFFFFFFF0)).error, "");
}

TEST(LatchTiles, TileTPlanePLiesAtPTimesLPlusOPlus32T) {
    const LatchHeader header{1000, 5, 100};
    std::vector<uint8_t> planes(4000);
    planes[2 * 1000 + 100 + 32 * 3] = 0x40;      // red, tile 3, row 0, x 1
    planes[3 * 1000 + 100 + 32 * 4 + 31] = 0x01; // intensity, tile 4, row 15, x 15
    planes[0 * 1000 + 100 + 32 * 0 + 2] = 0x80;  // blue, tile 0, row 1, x 0
    const TilesResult r = decodeLatchTiles(planes, header);
    ASSERT_TRUE(r.error.empty()) << r.error;
    ASSERT_EQ(r.tiles.size(), 5u);
    EXPECT_EQ(pixel(r.tiles[3], 1, 0), 4);
    EXPECT_EQ(pixel(r.tiles[4], 15, 15), 8);
    EXPECT_EQ(pixel(r.tiles[0], 0, 1), 1);
    EXPECT_EQ(pixel(r.tiles[1], 1, 0), 0);
}

TEST(LatchFile, PlainAndCompressedGiveBackTheTilesWritten) {
    const std::vector<TilePixels> tiles = randomTiles(611, 5);
    const std::vector<uint8_t> head = egaHeadFile(29920, 611, 2048);
    const std::vector<uint8_t> planes = latchPlanes(29920, 2048, tiles, 9);

    GameTilesResult plain = decodeKeenTiles({"H", head}, {"L", planes});
    ASSERT_EQ(plain.error, "");
    EXPECT_FALSE(plain.compressed);
    EXPECT_EQ(plain.tiles, tiles);

    LzwStats stats;
    const std::vector<uint8_t> packed = compressedLatch(planes, &stats);
    EXPECT_EQ(stats.widestCode, 12);
    EXPECT_TRUE(stats.dictionaryFull);
    GameTilesResult compressed = decodeKeenTiles({"H", head}, {"L", packed});
    ASSERT_EQ(compressed.error, "");
    EXPECT_TRUE(compressed.compressed);
    EXPECT_EQ(compressed.tiles, tiles);
}

TEST(LatchFile, ProblemsNameTheFile) {
    const std::vector<TilePixels> tiles = randomTiles(20, 1);
    const std::vector<uint8_t> head = egaHeadFile(1024, 20, 64);
    const std::vector<uint8_t> planes = latchPlanes(1024, 64, tiles, 2);
    const std::vector<uint8_t> packed = compressedLatch(planes);
    auto problem = [&](std::vector<uint8_t> latch) {
        return decodeKeenTiles({"dir/EGAHEAD.CK1", head}, {"dir/EGALATCH.CK1", latch}).error;
    };

    // Plain-size, truncation and bad-code cases run through the tool's tests.
    EXPECT_EQ(problem({1, 2, 3}), "dir/EGALATCH.CK1: only 3 bytes: neither plain latch data "
                                  "(4096 bytes) nor a compressed header");

    std::vector<uint8_t> wrongWidth = packed;
    wrongWidth[4] = 13;
    EXPECT_EQ(problem(wrongWidth),
              "dir/EGALATCH.CK1: compressed header gives code width 13, expected 12");

    std::vector<uint8_t> badHead = head;
    badHead.resize(10);
    EXPECT_EQ(decodeKeenTiles({"dir/EGAHEAD.CK1", badHead}, {"dir/EGALATCH.CK1", planes}).error,
              "dir/EGAHEAD.CK1: only 10 bytes, too short for the 46-byte header");
}

} // namespace
} // namespace tessaly
