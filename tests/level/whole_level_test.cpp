// The "whole level" rule: what a read reports about the file, the longest file
// a level can need, and the read limit that must never cut such a file short.
#include "level/level_file.h"
#include "level_test_support.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace tessaly {
namespace {

using test::addWords;
using test::newLevel;
using test::paddedHeader;
using test::plainHeader;
using test::putFile;
using test::TempFolder;

// Appends words each written as a run of one, the longest way to write them.
void addAsRuns(std::vector<uint8_t>& bytes, const std::vector<int>& words) {
    for (const int word : words) addWords(bytes, {0xFEFE, 1, word});
}

// A 256 x 256 level with every word, header words included, written as a run.
std::vector<uint8_t> worstCaseFile() {
    const std::vector<uint8_t> header = plainHeader(kMaxMapSide, kMaxMapSide);
    std::vector<uint8_t> file(header.begin(), header.begin() + 4);
    for (int offset = 4; offset < kHeaderBytes; offset += 2) {
        addAsRuns(file, {header[offset] | header[offset + 1] << 8});
    }
    std::vector<int> cells;
    for (int i = 0; i < 2 * kMaxMapSide * kMaxMapSide; ++i) cells.push_back(i % 1000 + 1);
    addAsRuns(file, cells);
    return file;
}

struct Read {
    LevelReadInfo info;
    bool whole = false;
};

Read readFile(Level& level, const std::string& path) {
    Read r;
    r.info = readLevel(level, path);
    r.whole = isWholeLevel(r.info, level);
    return r;
}

Read readBytes(Level& level, const std::vector<uint8_t>& bytes) {
    Read r;
    r.info = readLevelFromBytes(level, bytes);
    r.whole = isWholeLevel(r.info, level);
    return r;
}

// The read limit must never cut the longest 256 x 256 file short; one byte
// more than that file can need, or one byte less, is not a whole level.
TEST(WholeLevel, WorstCase256By256FileReadsWhole) {
    TempFolder dir;
    std::vector<uint8_t> file = worstCaseFile();
    ASSERT_EQ(file.size(), maxLevelFileBytes(kMaxMapSide, kMaxMapSide, 0));
    putFile(dir.file("worst.ck1"), file);
    auto level = newLevel();
    Read r = readFile(*level, dir.file("worst.ck1"));
    EXPECT_EQ(r.info.result, ReadResult::Read);
    EXPECT_TRUE(r.info.cellsComplete);
    EXPECT_EQ(r.info.fileBytes, file.size());
    EXPECT_TRUE(r.whole);
    EXPECT_EQ(level->tilePlane[1][1], 1);
    EXPECT_EQ(level->objectPlane[256][256], (2 * 65536 - 1) % 1000 + 1);

    file.push_back(0);
    putFile(dir.file("longer.ck1"), file);
    r = readFile(*level, dir.file("longer.ck1"));
    EXPECT_TRUE(r.info.cellsComplete);
    EXPECT_FALSE(r.whole);

    file.resize(file.size() - 2);
    putFile(dir.file("shorter.ck1"), file);
    r = readFile(*level, dir.file("shorter.ck1"));
    EXPECT_EQ(r.info.result, ReadResult::Read);
    EXPECT_FALSE(r.info.cellsComplete);
    EXPECT_FALSE(r.whole);
}

TEST(WholeLevel, FilesCutShortAreNotWhole) {
    std::vector<uint8_t> full = plainHeader(2, 2);
    addWords(full, {1, 2, 3, 4, 5, 6, 7, 8});
    auto level = newLevel();
    EXPECT_TRUE(readBytes(*level, full).whole);
    for (std::size_t size = 0; size < full.size(); ++size) {
        const Read r = readBytes(*level, {full.begin(), full.begin() + long(size)});
        EXPECT_FALSE(r.info.cellsComplete) << size;
        EXPECT_FALSE(r.whole) << size;
    }
    // A header cut short is not whole even when it declares no cells.
    const std::vector<uint8_t> header = plainHeader(0, 0);
    EXPECT_TRUE(readBytes(*level, header).whole);
    EXPECT_FALSE(readBytes(*level, {header.begin(), header.end() - 1}).whole);
    // A run that ends the file covers the cells it stands for.
    std::vector<uint8_t> run = plainHeader(2, 2);
    addWords(run, {0xFEFE, 8, 5});
    EXPECT_TRUE(readBytes(*level, run).whole);
    run = plainHeader(2, 2);
    addWords(run, {0xFEFE, 7, 5});
    EXPECT_FALSE(readBytes(*level, run).whole);
}

// The games' padded files and the files other tools leave.
TEST(WholeLevel, MissingPaddingAndAFewTrailingBytesStillMakeAWholeLevel) {
    // 3 x 1: five padding words after each plane.
    std::vector<uint8_t> file = paddedHeader(3, 1);
    addWords(file, {1, 2, 3, 0, 0, 0, 0, 0, 4, 5, 6});
    auto level = newLevel();
    Read r = readBytes(*level, file);
    ASSERT_EQ(level->paddingWords, 5);
    EXPECT_TRUE(r.info.cellsComplete);
    EXPECT_TRUE(r.whole);
    addWords(file, {0, 0});
    EXPECT_TRUE(readBytes(*level, file).whole);
    file.push_back(0x1A); // an end-of-file mark
    EXPECT_TRUE(readBytes(*level, file).whole);

    // Trailing bytes up to the longest file such a level can need.
    file.resize(maxLevelFileBytes(3, 1, 5), 0);
    EXPECT_TRUE(readBytes(*level, file).whole);
    file.push_back(0);
    EXPECT_FALSE(readBytes(*level, file).whole);
}

TEST(WholeLevel, OtherFilesAreNotWhole) {
    TempFolder dir;
    auto level = newLevel();
    // Unreadable: no name, a missing file, a folder.
    for (const std::string& path : {std::string(), dir.file("missing.ck1"), dir.path()}) {
        const Read r = readFile(*level, path);
        EXPECT_EQ(r.info.result, ReadResult::Unreadable) << path;
        EXPECT_FALSE(r.whole) << path;
    }
    // Refused: more than 256 columns.
    std::vector<uint8_t> wide = plainHeader(257, 1);
    wide.resize(wide.size() + 4 * 257, 0);
    EXPECT_EQ(readBytes(*level, wide).info.result, ReadResult::Refused);
    EXPECT_FALSE(readBytes(*level, wide).whole);

    // A tile bitmap opened as a level: its size field puts 3 in the width
    // word, the reserved field 0 in the height word.
    std::vector<uint8_t> bitmap(230000, 0x11);
    bitmap[0] = 'B';
    bitmap[1] = 'M';
    bitmap[2] = 0x70, bitmap[3] = 0x82, bitmap[4] = 3, bitmap[5] = 0;
    bitmap[6] = bitmap[7] = bitmap[8] = bitmap[9] = 0;
    putFile(dir.file("TILES.bmp"), bitmap);
    const Read r = readFile(*level, dir.file("TILES.bmp"));
    EXPECT_EQ(r.info.result, ReadResult::Read);
    EXPECT_EQ(level->width, 3);
    EXPECT_EQ(level->height, 0);
    EXPECT_TRUE(r.info.cellsComplete);
    EXPECT_EQ(r.info.fileBytes, bitmap.size());
    EXPECT_FALSE(r.whole);
}

// Only the start of a huge file is read, but its real size decides.
TEST(WholeLevel, HugeFileIsNotWholeThoughOnlyItsStartIsRead) {
    TempFolder dir;
    std::vector<uint8_t> file = plainHeader(3, 2);
    addWords(file, {1, 2, 3, 4, 5, 6, 0, 255, 775, 0, 0, 1});
    const std::string path = dir.file("huge.ck2");
    putFile(path, file);
    auto level = newLevel();
    EXPECT_TRUE(readFile(*level, path).whole);
    const std::uintmax_t twoGigabytes = std::uintmax_t(1) << 31;
    std::error_code refused;
    std::filesystem::resize_file(path, twoGigabytes, refused);
    if (refused) GTEST_SKIP() << "this file system takes no sparse 2 GB file";
    const Read r = readFile(*level, path);
    EXPECT_EQ(r.info.result, ReadResult::Read);
    EXPECT_TRUE(r.info.cellsComplete);
    EXPECT_EQ(r.info.fileBytes, std::uint64_t(twoGigabytes));
    EXPECT_FALSE(r.whole);
    EXPECT_EQ(level->objectPlane[3][1], 775);
}

} // namespace
} // namespace tessaly
