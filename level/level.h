// The level being edited: its size, the header kept from its file, and two
// 257 x 257 planes of cells indexed [column][row]. Columns and rows of the
// map count from 1; index 0 exists but lies outside every map.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessaly {

constexpr int kPlaneSize = 257;  // indexes 0..256
constexpr int kMaxMapSide = 256; // a level file may declare at most this many columns or rows
constexpr int kHeaderBytes = 36;
constexpr int kMaxPaddingWords = 8; // words after each plane in a padded game file

// A level cell as (column, row); (0, 0) lies outside every map.
struct Cell {
    int32_t column = 0;
    int32_t row = 0;
    bool operator==(const Cell&) const = default;
};

using Plane = std::array<std::array<int32_t, kPlaneSize>, kPlaneSize>;

struct Level {
    std::string fileName;
    int32_t width = 0;
    int32_t height = 0;
    std::array<uint8_t, kHeaderBytes + 1> keptHeader{}; // 36 header bytes and a zero
    Plane tilePlane{};
    Plane objectPlane{};
    // Padded game files: words that follow each plane's cells in the file,
    // kept so that they are written back (see level_file.cpp).
    int paddingWords = 0;
    std::array<uint16_t, kMaxPaddingWords> tilePadding{};
    std::array<uint16_t, kMaxPaddingWords> objectPadding{};
};

// The level's size and what its file keeps with it: the header (which names
// the size) and the padding words. A resize changes all of them together.
struct LevelShape {
    int32_t width = 0;
    int32_t height = 0;
    std::array<uint8_t, kHeaderBytes + 1> keptHeader{};
    int paddingWords = 0;
    std::array<uint16_t, kMaxPaddingWords> tilePadding{};
    std::array<uint16_t, kMaxPaddingWords> objectPadding{};
    bool operator==(const LevelShape&) const = default;
};
LevelShape shapeOf(const Level& level);
void setShape(Level& level, const LevelShape& shape);

// Every change of a level cell goes through these two, so that undo, a
// modified mark or recovery copies have one place to hook. Cells outside the
// planes are ignored.
void setTileCell(Level& level, int column, int row, int32_t value);
void setObjectCell(Level& level, int column, int row, int32_t value);
int32_t tileCell(const Level& level, int column, int row);   // 0 outside the planes
int32_t objectCell(const Level& level, int column, int row); // 0 outside the planes

} // namespace tessaly
