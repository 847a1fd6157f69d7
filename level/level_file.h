// Reading and writing level files. See level_file.cpp for the format.
#pragma once

#include "level/level.h"
#include "system/files.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessaly {

enum class ReadResult {
    Read,       // the file was read (possibly cut short by its end)
    Unreadable, // it could not be opened: the level is empty (0 x 0)
    Refused,    // it declares more than 256 columns or rows: the level is empty
};

// What a read found out about the file besides the level itself.
struct LevelReadInfo {
    ReadResult result = ReadResult::Unreadable;
    // Every cell of both planes that the header declares came from the file,
    // the header included, before its bytes ended. The padding words after a
    // plane may be missing.
    bool cellsComplete = false;
    // The file's real size in bytes, even when only its first part was read.
    std::uint64_t fileBytes = 0;
};

// Fills width, height, keptHeader, padding and both planes from the file;
// fileName is left alone. Both planes are cleared whole first, so cells the
// file does not reach read as 0.
LevelReadInfo readLevel(Level& level, const std::string& path);
LevelReadInfo readLevelFromBytes(Level& level, std::span<const uint8_t> bytes);

// The longest file a whole level of this size can need: bytes 0..3, then the
// 16 header words and every cell of both planes with `paddingWords` after
// each plane, every word written as a six-byte run at worst. Negative values
// count as 0.
constexpr std::size_t maxLevelFileBytes(int width, int height, int paddingWords) {
    constexpr std::size_t kRunBytes = 6;
    constexpr std::size_t kHeaderWords = (kHeaderBytes - 4) / 2;
    const auto count = [](int n) { return n > 0 ? static_cast<std::size_t>(n) : 0; };
    return 4 +
           kRunBytes * (kHeaderWords + 2 * (count(width) * count(height) + count(paddingWords)));
}

// The most of a level file that is ever read: the longest file the largest
// level can need, so that no whole level is cut short, while a huge file
// picked by mistake costs no more than this.
constexpr std::size_t kLevelReadLimit =
    maxLevelFileBytes(kMaxMapSide, kMaxMapSide, kMaxPaddingWords);

// A file is a whole level when it was read, every cell its header declares
// was read, and it is no longer than the longest file that level could need
// (maxLevelFileBytes with the padding the header declares). Missing padding
// words at the end and a few trailing bytes, which other tools leave, still
// make a whole level; a file cut short, an unreadable or refused one, or any
// other file far longer than its level (a tile bitmap opened as a level) do
// not. `level` is the level that read filled.
bool isWholeLevel(const LevelReadInfo& info, const Level& level);

// The padding words after each plane of a file whose header declares the
// games' plane layout (2 planes, each of roundup16(2 x width x height) bytes)
// for the level's dimensions; 0 for any other header.
int paddingWordsFor(const Level& level);

// The level's shape at another size: the header's width and height words,
// and where the header declares the games' plane layout, its plane size word
// and the padding words for the new size (those that stay keep their values,
// new ones are 0). A plane too large for the layout's 16-bit size word keeps
// the old word, and so no padding.
LevelShape shapeForSize(const Level& level, int width, int height);
// The shape of a new level of width x height cells, as the games' own files
// are laid out: bytes 0..3 hold the length of the words that follow, the
// header declares two planes and their size (padding each to 16 bytes while
// that size fits its word), and every other header byte is 0.
LevelShape newLevelShape(int width, int height);

// The bytes writeLevel writes for this level.
std::vector<uint8_t> encodeLevel(const Level& level);
// The same level compressed with runs, as the games store their levels; for
// the sample generator, tests and benchmarks (the editor saves uncompressed).
std::vector<uint8_t> encodeLevelWithRuns(const Level& level);
// Writes the level to `path` without ever destroying the old file; true on success.
bool writeLevel(const Level& level, const std::string& path);
// The same, telling why it failed, with the safe write's options.
bool writeLevel(const Level& level, const std::string& path, std::string* why,
                const SafeWriteOptions& options);

} // namespace tessaly
