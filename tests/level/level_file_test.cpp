// The level file reader and writer: the run stream, the cells the reader
// touches, files cut short, padded planes, header runs, the value 0xFEFE and
// oversized files.
#include "level/level_file.h"
#include "level_test_support.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <random>

namespace tessaly {
namespace {

using test::addBytes;
using test::addWords;
using test::newLevel;
using test::paddedHeader;
using test::plainHeader;

ReadResult readBytes(Level& level, const std::vector<uint8_t>& bytes) {
    return readLevelFromBytes(level, bytes).result;
}

void fillPlanes(Level& level, int32_t value) {
    for (auto& column : level.tilePlane) column.fill(value);
    for (auto& column : level.objectPlane) column.fill(value);
}

TEST(LevelFile, WorkedExampleDecodesAndSavesUncompressed) {
    std::vector<uint8_t> file = plainHeader(3, 1);
    addBytes(file, {0xFE, 0xFE, 0x05, 0x00, 0x00, 0x00, 0xFF, 0x00});
    ASSERT_EQ(file.size(), 44u);
    auto level = newLevel();
    fillPlanes(*level, 9);

    EXPECT_EQ(readBytes(*level, file), ReadResult::Read);
    EXPECT_EQ(level->width, 3);
    EXPECT_EQ(level->height, 1);
    for (int column = 1; column <= 3; ++column) EXPECT_EQ(level->tilePlane[column][1], 0);
    EXPECT_EQ(level->objectPlane[1][1], 0);
    EXPECT_EQ(level->objectPlane[2][1], 0);
    EXPECT_EQ(level->objectPlane[3][1], 255);

    std::vector<uint8_t> saved = plainHeader(3, 1);
    addWords(saved, {0, 0, 0, 0, 0, 255});
    EXPECT_EQ(encodeLevel(*level), saved);
}

TEST(LevelFile, RunCountsOfZeroAndOneGiveOneCell) {
    std::vector<uint8_t> file = plainHeader(3, 1);
    addWords(file, {0xFEFE, 0, 7, 0xFEFE, 1, 8, 9});
    auto level = newLevel();
    readBytes(*level, file);
    EXPECT_EQ(level->tilePlane[1][1], 7);
    EXPECT_EQ(level->tilePlane[2][1], 8);
    EXPECT_EQ(level->tilePlane[3][1], 9);
}

TEST(LevelFile, RunsCrossFromTilePlaneIntoObjectPlaneAndStopAtItsEnd) {
    auto level = newLevel();
    fillPlanes(*level, 9);
    std::vector<uint8_t> file = plainHeader(2, 2);
    addWords(file, {1, 0xFEFE, 5, 6, 2});
    readBytes(*level, file);
    EXPECT_EQ(level->tilePlane[1][1], 1);
    EXPECT_EQ(level->tilePlane[2][1], 6);
    EXPECT_EQ(level->tilePlane[1][2], 6);
    EXPECT_EQ(level->tilePlane[2][2], 6);
    EXPECT_EQ(level->objectPlane[1][1], 6);
    EXPECT_EQ(level->objectPlane[2][1], 6);
    EXPECT_EQ(level->objectPlane[1][2], 2);

    std::vector<uint8_t> endless = plainHeader(2, 1);
    addWords(endless, {0xFEFE, 1000, 4});
    readBytes(*level, endless);
    EXPECT_EQ(level->objectPlane[2][1], 4);
    EXPECT_EQ(level->objectPlane[3][1], 0); // cleared, never written
    EXPECT_EQ(level->objectPlane[200][1], 0);
}

// A level read after a bigger one keeps none of its cells: a 200 x 200 file
// holding only its header, read over a full 256 x 256 level, is all zeros.
TEST(LevelFile, ReadClearsBothPlanesWhole) {
    auto level = newLevel();
    fillPlanes(*level, 9);
    ASSERT_EQ(readBytes(*level, plainHeader(200, 200)), ReadResult::Read);
    int leftOver = 0;
    for (int column = 0; column < kPlaneSize; ++column) {
        for (int row = 0; row < kPlaneSize; ++row) {
            leftOver += level->tilePlane[column][row] != 0;
            leftOver += level->objectPlane[column][row] != 0;
        }
    }
    EXPECT_EQ(leftOver, 0);
    std::vector<uint8_t> saved = plainHeader(200, 200);
    saved.resize(saved.size() + 4 * 200 * 200, 0);
    EXPECT_EQ(encodeLevel(*level), saved);
}

TEST(LevelFile, HeaderOnlyFileIsAnEmptyLevelAndSavesAsItself) {
    std::vector<uint8_t> file = plainHeader(0, 0);
    for (int i = 8; i < 36; ++i) file[i] = static_cast<uint8_t>(i);
    auto level = newLevel();
    EXPECT_EQ(readBytes(*level, file), ReadResult::Read);
    EXPECT_EQ(level->width, 0);
    EXPECT_EQ(level->height, 0);
    EXPECT_EQ(encodeLevel(*level), file);
}

TEST(LevelFile, FileEndingAfterTheTilePlaneLeavesObjectsEmpty) {
    std::vector<uint8_t> file = plainHeader(2, 2);
    addWords(file, {11, 12, 13, 14});
    ASSERT_EQ(file.size(), 44u);
    auto level = newLevel();
    fillPlanes(*level, 9);
    readBytes(*level, file);
    EXPECT_EQ(level->tilePlane[1][1], 11);
    EXPECT_EQ(level->tilePlane[2][2], 14);
    for (int column = 1; column <= 2; ++column) {
        for (int row = 1; row <= 2; ++row) EXPECT_EQ(level->objectPlane[column][row], 0);
    }
}

TEST(LevelFile, CellsPastTheEndOfTheFileReadAsZero) {
    std::vector<uint8_t> file = plainHeader(130, 1);
    for (int i = 1; i <= 128; ++i) addWords(file, {i});
    auto level = newLevel();
    fillPlanes(*level, 9);
    readBytes(*level, file);
    EXPECT_EQ(level->tilePlane[128][1], 128);
    EXPECT_EQ(level->tilePlane[129][1], 0);
    EXPECT_EQ(level->tilePlane[130][1], 0);
    EXPECT_EQ(level->objectPlane[1][1], 0);
    EXPECT_EQ(level->objectPlane[129][1], 0);
}

TEST(LevelFile, ShortHeaderReadsZerosForMissingBytes) {
    std::vector<uint8_t> file = {1, 2, 3, 4, 2, 0, 1, 0, 0xAA, 0xBB};
    auto level = newLevel();
    EXPECT_EQ(readBytes(*level, file), ReadResult::Read);
    EXPECT_EQ(level->width, 2);
    EXPECT_EQ(level->height, 1);
    std::array<uint8_t, 37> expected{1, 2, 3, 4, 2, 0, 1, 0, 0xAA, 0xBB};
    EXPECT_EQ(level->keptHeader, expected);
    EXPECT_EQ(level->tilePlane[1][1], 0);
}

TEST(LevelFile, UnreadablePathsReadAsAnEmptyLevel) {
    test::TempFolder dir;
    for (const std::string& path : {std::string(), dir.file("missing.ck1"), dir.path()}) {
        auto level = newLevel();
        fillPlanes(*level, 9);
        level->width = 5;
        level->keptHeader.fill(7);
        EXPECT_EQ(readLevel(*level, path).result, ReadResult::Unreadable) << path;
        EXPECT_EQ(level->width, 0);
        EXPECT_EQ(level->height, 0);
        EXPECT_EQ(level->keptHeader, (std::array<uint8_t, 37>{}));
        EXPECT_EQ(level->tilePlane[1][1], 0);
        EXPECT_EQ(level->objectPlane[128][128], 0);
        EXPECT_EQ(level->objectPlane[129][129], 0);
    }
}

TEST(LevelFile, WriterKeepsTheHeaderAndTheLow16BitsOfCells) {
    std::vector<uint8_t> header = plainHeader(3, 1);
    for (int i = 8; i < 36; ++i) header[i] = static_cast<uint8_t>(0x80 + i);
    header[0] = 0xFE; // bytes 0..3 are never part of the run stream
    header[1] = 0xFE;
    auto level = newLevel();
    readBytes(*level, header);
    level->tilePlane[1][1] = 65536 + 5;
    level->tilePlane[2][1] = -1;
    level->tilePlane[3][1] = 70000;
    level->objectPlane[1][1] = 32768;

    std::vector<uint8_t> expected = header;
    addWords(expected, {5, 0xFFFF, 70000 - 65536, 32768, 0, 0});
    EXPECT_EQ(encodeLevel(*level), expected);
}

TEST(LevelFile, WriteAndReadThroughAFileGiveTheSameLevel) {
    test::TempFolder dir;
    auto level = newLevel();
    std::vector<uint8_t> file = plainHeader(3, 2);
    addWords(file, {1, 2, 3, 4, 5, 6, 0, 255, 775, 0, 0, 1});
    readBytes(*level, file);
    ASSERT_TRUE(writeLevel(*level, dir.file("out.ck2")));
    EXPECT_EQ(test::fileBytes(dir.file("out.ck2")), file);
    auto again = newLevel();
    EXPECT_EQ(readLevel(*again, dir.file("out.ck2")).result, ReadResult::Read);
    EXPECT_EQ(again->tilePlane, level->tilePlane);
    EXPECT_EQ(again->objectPlane, level->objectPlane);

    EXPECT_FALSE(writeLevel(*level, dir.file("no/such/folder.ck2")));
    EXPECT_FALSE(writeLevel(*level, ""));
}

TEST(LevelFile, TrailingBytesOfAHugeFileAreNeverRead) {
    test::TempFolder dir;
    std::vector<uint8_t> file = plainHeader(3, 2);
    addWords(file, {1, 2, 3, 4, 5, 6, 0, 255, 775, 0, 0, 1});
    const std::string path = dir.file("huge.ck2");
    test::putFile(path, file);
    // A terabyte of zeros after it, where the file system allows one.
    std::error_code refused;
    std::filesystem::resize_file(path, std::uintmax_t(1) << 40, refused);
    if (refused) GTEST_SKIP() << "this file system takes no sparse terabyte file";
    auto level = newLevel();
    EXPECT_EQ(readLevel(*level, path).result, ReadResult::Read);
    EXPECT_EQ(level->tilePlane[3][2], 6);
    EXPECT_EQ(level->objectPlane[3][1], 775);
}

// The games' own files pad each plane to a multiple of 16 bytes.

TEST(LevelFilePadding, GameLevelOf81By53KeepsItsPaddingAndSavesAsItself) {
    const int width = 81, height = 53;
    std::vector<uint8_t> file = paddedHeader(width, height);
    EXPECT_EQ(file[18] | file[19] << 8, 8592);
    for (int i = 0; i < width * height; ++i) addWords(file, {i % 600});
    addWords(file, {0x1111, 0x2222, 0x3333});
    for (int i = 0; i < width * height; ++i) addWords(file, {i % 7 == 0 ? 3 : 0});
    addWords(file, {0x4444, 0x5555, 0x6666});

    auto level = newLevel();
    ASSERT_EQ(readBytes(*level, file), ReadResult::Read);
    EXPECT_EQ(level->paddingWords, 3);
    EXPECT_EQ(level->tilePlane[81][53], (width * height - 1) % 600);
    // Not shifted by the tile padding: the first object cell is the first after it.
    EXPECT_EQ(level->objectPlane[1][1], 3);
    EXPECT_EQ(level->objectPlane[2][1], 0);
    EXPECT_EQ(level->objectPlane[8][1], 3);
    EXPECT_EQ(level->tilePadding[0], 0x1111);
    EXPECT_EQ(level->tilePadding[2], 0x3333);
    EXPECT_EQ(level->objectPadding[2], 0x6666);
    EXPECT_EQ(encodeLevel(*level), file);
}

TEST(LevelFilePadding, OnlyTheGamesLayoutForTheseDimensionsIsPadded) {
    struct Case {
        int planes, planeSize, paddingWords;
    };
    // 5 x 3: 30 bytes a plane, 32 rounded: one padding word.
    for (const Case& c : {Case{2, 32, 1}, Case{2, 30, 1}, Case{2, 31, 1}, Case{2, 48, 0},
                          Case{2, 16, 0}, Case{1, 32, 0}, Case{0, 32, 0}, Case{3, 32, 0}}) {
        std::vector<uint8_t> file = plainHeader(5, 3);
        file[8] = static_cast<uint8_t>(c.planes);
        file[18] = static_cast<uint8_t>(c.planeSize);
        auto level = newLevel();
        readBytes(*level, file);
        EXPECT_EQ(level->paddingWords, c.paddingWords) << c.planes << " " << c.planeSize;
    }
    // A plane size that is already a multiple of 16 needs no padding.
    auto level = newLevel();
    readBytes(*level, paddedHeader(8, 1));
    EXPECT_EQ(level->paddingWords, 0);
}

// The header, not the file's length, says where the object plane lies, as in
// the games: planes written back to back under a padded header read
// with their first object cells taken as padding.
TEST(LevelFilePadding, TheHeaderPlacesThePlanesWhateverTheLength) {
    std::vector<uint8_t> file = paddedHeader(3, 1);
    addWords(file, {1, 2, 3, 4, 5, 6});
    auto level = newLevel();
    ASSERT_EQ(readBytes(*level, file), ReadResult::Read);
    EXPECT_EQ(level->paddingWords, 5);
    EXPECT_EQ(level->tilePadding[0], 4);
    EXPECT_EQ(level->tilePadding[2], 6);
    EXPECT_EQ(level->objectPlane[1][1], 0);
}

TEST(LevelFilePadding, RunsCoverPaddingLikeAnyCell) {
    // 3 x 1: 6 bytes a plane, 16 rounded: 5 padding words after each plane.
    std::vector<uint8_t> file = paddedHeader(3, 1);
    addWords(file, {1, 2, 0xFEFE, 8, 7, 4});
    auto level = newLevel();
    readBytes(*level, file);
    ASSERT_EQ(level->paddingWords, 5);
    EXPECT_EQ(level->tilePlane[3][1], 7);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(level->tilePadding[i], 7);
    EXPECT_EQ(level->objectPlane[1][1], 7);
    EXPECT_EQ(level->objectPlane[2][1], 7);
    EXPECT_EQ(level->objectPlane[3][1], 4);

    std::vector<uint8_t> saved = paddedHeader(3, 1);
    addWords(saved, {1, 2, 7, 7, 7, 7, 7, 7, 7, 7, 4, 0, 0, 0, 0, 0});
    EXPECT_EQ(encodeLevel(*level), saved);
}

// The header is part of the run stream.

TEST(LevelFileHeaderRuns, ZeroWordsOfTheHeaderMayBeCompressed) {
    std::vector<uint8_t> file = {9, 8, 7, 6};
    addWords(file, {3, 1, 0xFEFE, 4, 0, 0x1234, 0xFEFE, 9, 0, 21, 22, 23, 31, 32, 33});
    auto level = newLevel();
    ASSERT_EQ(readBytes(*level, file), ReadResult::Read);
    std::vector<uint8_t> header = {9, 8, 7, 6, 3, 0, 1, 0};
    header.resize(16, 0);
    addWords(header, {0x1234});
    header.resize(36, 0);
    EXPECT_TRUE(std::equal(header.begin(), header.end(), level->keptHeader.begin()));
    EXPECT_EQ(level->tilePlane[1][1], 21);
    EXPECT_EQ(level->objectPlane[3][1], 33);

    std::vector<uint8_t> saved = header;
    addWords(saved, {21, 22, 23, 31, 32, 33});
    EXPECT_EQ(encodeLevel(*level), saved); // saved files are uncompressed
}

TEST(LevelFileHeaderRuns, RunCarriesOnFromTheHeaderIntoTheTilePlane) {
    std::vector<uint8_t> file(4, 0);
    addWords(file, {2, 2, 0, 0, 0, 0, 0, 0, 0xFEFE, 8 + 3, 5, 6, 0xFEFE, 4, 1});
    auto level = newLevel();
    readBytes(*level, file);
    for (int offset = 20; offset < 36; offset += 2) {
        EXPECT_EQ(level->keptHeader[offset], 5) << offset;
        EXPECT_EQ(level->keptHeader[offset + 1], 0) << offset;
    }
    EXPECT_EQ(level->tilePlane[1][1], 5);
    EXPECT_EQ(level->tilePlane[2][1], 5);
    EXPECT_EQ(level->tilePlane[1][2], 5);
    EXPECT_EQ(level->tilePlane[2][2], 6);
    EXPECT_EQ(level->objectPlane[2][2], 1);
}

TEST(LevelFileHeaderRuns, DimensionsThemselvesMayComeFromARun) {
    std::vector<uint8_t> file(4, 0);
    addWords(file, {0xFEFE, 2, 2, 0xFEFE, 14 + 8, 0});
    auto level = newLevel();
    fillPlanes(*level, 9);
    readBytes(*level, file);
    EXPECT_EQ(level->width, 2);
    EXPECT_EQ(level->height, 2);
    EXPECT_EQ(level->objectPlane[2][2], 0);
}

TEST(LevelFileHeaderRuns, OddOffsetsNeverStartARun) {
    std::vector<uint8_t> file = plainHeader(2, 1);
    file[9] = 0xFE; // FE FE across bytes 9 and 10
    file[10] = 0xFE;
    addWords(file, {0xFE01, 0x02FE, 3, 4}); // cells 01 FE FE 02: FE FE at an odd offset
    auto level = newLevel();
    readBytes(*level, file);
    EXPECT_EQ(level->keptHeader[9], 0xFE);
    EXPECT_EQ(level->keptHeader[10], 0xFE);
    EXPECT_EQ(level->tilePlane[1][1], 0xFE01);
    EXPECT_EQ(level->tilePlane[2][1], 0x02FE);
    EXPECT_EQ(level->objectPlane[2][1], 4);
}

// The value 0xFEFE, which plain would read as a run marker.

TEST(LevelFileFeFe, WriterEscapesEveryWordHolding0xFEFE) {
    auto level = newLevel();
    const std::vector<uint8_t> header = paddedHeader(1, 1);
    readBytes(*level, header);
    ASSERT_EQ(level->paddingWords, 7);
    level->keptHeader[34] = 0xFE;
    level->keptHeader[35] = 0xFE;
    level->tilePlane[1][1] = 0xFEFE; // a door link to column 254, row 254
    level->objectPadding[6] = 0xFEFE;

    std::vector<uint8_t> expected(header.begin(), header.begin() + 34);
    addBytes(expected, {0xFE, 0xFE, 0x01, 0x00, 0xFE, 0xFE});
    addBytes(expected, {0xFE, 0xFE, 0x01, 0x00, 0xFE, 0xFE});
    addWords(expected, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    addBytes(expected, {0xFE, 0xFE, 0x01, 0x00, 0xFE, 0xFE});
    const std::vector<uint8_t> saved = encodeLevel(*level);
    EXPECT_EQ(saved, expected);

    auto again = newLevel();
    readBytes(*again, saved);
    EXPECT_EQ(again->keptHeader, level->keptHeader);
    EXPECT_EQ(again->tilePlane[1][1], 0xFEFE);
    EXPECT_EQ(again->objectPadding[6], 0xFEFE);
}

TEST(LevelFileFeFe, RunOf0xFEFEExpandsToThatManyCells) {
    std::vector<uint8_t> file = plainHeader(4, 1);
    addWords(file, {0xFEFE, 3, 0xFEFE, 7, 0xFEFE, 0, 0xFEFE, 0xFEFE, 2, 9});
    auto level = newLevel();
    readBytes(*level, file);
    EXPECT_EQ(level->tilePlane[1][1], 0xFEFE);
    EXPECT_EQ(level->tilePlane[2][1], 0xFEFE);
    EXPECT_EQ(level->tilePlane[3][1], 0xFEFE);
    EXPECT_EQ(level->tilePlane[4][1], 7);
    EXPECT_EQ(level->objectPlane[1][1], 0xFEFE); // count 0: one cell
    EXPECT_EQ(level->objectPlane[2][1], 9);      // a new run: count 2, value 9
    EXPECT_EQ(level->objectPlane[3][1], 9);
    EXPECT_EQ(level->objectPlane[4][1], 0); // the file has ended
}

// Files declaring more than 256 columns or rows.

TEST(LevelFileRefused, OversizedFilesReadAsUnreadableOnes) {
    for (const auto& [width, height] :
         {std::pair{257, 1}, std::pair{1, 257}, std::pair{65535, 65535}}) {
        std::vector<uint8_t> file = plainHeader(width, height);
        file[0] = 0x12;
        file[20] = 0x34;
        addWords(file, {0xFEFE, 0xFFFF, 7});
        auto level = newLevel();
        fillPlanes(*level, 9);
        level->paddingWords = 3;
        EXPECT_EQ(readBytes(*level, file), ReadResult::Refused);
        EXPECT_EQ(level->width, 0);
        EXPECT_EQ(level->height, 0);
        EXPECT_EQ(level->paddingWords, 0);
        EXPECT_EQ(level->keptHeader, (std::array<uint8_t, 37>{}));
        EXPECT_EQ(level->tilePlane[1][1], 0);
        EXPECT_EQ(level->objectPlane[128][128], 0);
        EXPECT_EQ(level->tilePlane[129][1], 0);
        EXPECT_EQ(level->tilePlane[256][256], 0);
        EXPECT_EQ(encodeLevel(*level), std::vector<uint8_t>(36, 0));
    }
}

TEST(LevelFileRefused, ReadLevelReportsTheRefusal) {
    test::TempFolder dir;
    test::putFile(dir.file("big.dd2"), plainHeader(300, 10));
    auto level = newLevel();
    EXPECT_EQ(readLevel(*level, dir.file("big.dd2")).result, ReadResult::Refused);
}

TEST(LevelFileRefused, FullSizedLevelOf256By256IsRead) {
    std::vector<uint8_t> file = plainHeader(256, 256);
    addWords(file, {0xFEFE, 0xFFFF, 1, 0xFEFE, 1, 2, 3});
    addWords(file, {0xFEFE, 65530, 4, 0xFEFE, 2, 5, 0xFEFE, 3, 6});
    auto level = newLevel();
    fillPlanes(*level, 9);
    ASSERT_EQ(readBytes(*level, file), ReadResult::Read);
    EXPECT_EQ(level->tilePlane[255][256], 1);
    EXPECT_EQ(level->tilePlane[256][256], 2);
    EXPECT_EQ(level->objectPlane[1][1], 3);
    EXPECT_EQ(level->objectPlane[251][256], 4);
    EXPECT_EQ(level->objectPlane[252][256], 5);
    EXPECT_EQ(level->objectPlane[254][256], 6);
    EXPECT_EQ(level->objectPlane[256][256], 6);
    EXPECT_EQ(level->tilePlane[0][256], 0);
    EXPECT_EQ(level->objectPlane[256][0], 0);
    EXPECT_EQ(encodeLevel(*level).size(), 36u + 4 * 256 * 256);
}

// Any level survives a save, compressed or not, whatever its cells hold.
TEST(LevelFileRoundTrip, RandomLevelsReadBackExactly) {
    std::mt19937 random(20240611);
    for (int trial = 0; trial < 60; ++trial) {
        auto level = newLevel();
        const int width = 1 + static_cast<int>(random() % (trial < 10 ? 256 : 40));
        const int height = 1 + static_cast<int>(random() % (trial < 10 ? 256 : 40));
        std::vector<uint8_t> header =
            trial % 2 ? paddedHeader(width, height) : plainHeader(width, height);
        for (int i = 0; i < 4; ++i) header[i] = static_cast<uint8_t>(random());
        readBytes(*level, header);
        if (trial % 3 == 0) level->keptHeader[30] = level->keptHeader[31] = 0xFE;
        const int32_t values[] = {0, 0, 0, 1, 255, 0xFEFE, 0xFEFE, 775, 65535};
        for (int row = 1; row <= height; ++row) {
            for (int column = 1; column <= width; ++column) {
                // Stretches of equal cells so that runs appear.
                const bool repeat = column > 1 && random() % 4 != 0;
                level->tilePlane[column][row] =
                    repeat ? level->tilePlane[column - 1][row] : values[random() % 9];
                level->objectPlane[column][row] = values[random() % 9];
            }
        }
        for (int i = 0; i < level->paddingWords; ++i) {
            level->tilePadding[i] = static_cast<uint16_t>(values[random() % 9]);
            level->objectPadding[i] = static_cast<uint16_t>(values[random() % 9]);
        }
        for (const auto& bytes : {encodeLevel(*level), encodeLevelWithRuns(*level)}) {
            auto again = newLevel();
            ASSERT_EQ(readBytes(*again, bytes), ReadResult::Read) << trial;
            EXPECT_EQ(again->width, width);
            EXPECT_EQ(again->height, height);
            EXPECT_EQ(again->keptHeader, level->keptHeader);
            EXPECT_EQ(again->paddingWords, level->paddingWords);
            EXPECT_EQ(again->tilePadding, level->tilePadding);
            EXPECT_EQ(again->objectPadding, level->objectPadding);
            EXPECT_TRUE(again->tilePlane == level->tilePlane) << trial;
            EXPECT_TRUE(again->objectPlane == level->objectPlane) << trial;
        }
    }
}

TEST(LevelFileRoundTrip, CommittedSamplesDecodeAsTheirGeneratorDescribesThem) {
    struct Expected {
        const char* name;
        int width, height, paddingWords;
    };
    for (const Expected& e : {Expected{"sample.dd2", 24, 22, 0}, Expected{"sample.ck1", 81, 53, 3},
                              Expected{"sample.ck2", 30, 25, 0}, Expected{"sample.ck3", 40, 30, 0},
                              Expected{"sample.nin", 16, 12, 0}}) {
        const std::string path = std::string(TESSALY_SAMPLES_DIR) + "/" + e.name;
        auto level = newLevel();
        ASSERT_EQ(readLevel(*level, path).result, ReadResult::Read) << path;
        EXPECT_EQ(level->width, e.width);
        EXPECT_EQ(level->height, e.height);
        EXPECT_EQ(level->paddingWords, e.paddingWords);
        // Walls in the outer columns from row 3, ground on the bottom rows,
        // and the player's start somewhere.
        EXPECT_NE(level->tilePlane[1][3], level->tilePlane[2][3]) << e.name;
        EXPECT_EQ(level->tilePlane[e.width][3], level->tilePlane[1][3]) << e.name;
        EXPECT_NE(level->tilePlane[1][e.height - 1], level->tilePlane[2][1]) << e.name;
        int players = 0;
        for (int row = 1; row <= e.height; ++row) {
            for (int column = 1; column <= e.width; ++column) {
                players += level->objectPlane[column][row] == 255;
            }
        }
        EXPECT_EQ(players, 1) << e.name;
        const std::vector<uint8_t> saved = encodeLevel(*level);
        EXPECT_EQ(saved.size(), 36u + 4u * (e.width * e.height + e.paddingWords)) << e.name;
    }
}

} // namespace
} // namespace tessaly
