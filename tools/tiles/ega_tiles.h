// Decoding the 16 x 16 map tiles from the games' EGA graphics files.
//
// Every tile is four bit planes (blue, green, red, intensity) of 16 rows of
// 2 bytes, the most significant bit leftmost; a pixel's EGA colour is
// b0 + 2 b1 + 4 b2 + 8 b3. The games differ only in where the planes lie:
// - Keen 1, 2 and 3 keep all their latch graphics in one file of four whole
//   planes of L bytes each (EGALATCH), described by EGAHEAD; tile t's plane p
//   is the 32 bytes at p x L + O + 32 t. Keen 1's latch file is
//   LZW-compressed: a u32 decoded size (4 x L), a u16 12, then the code stream.
// - Dave 2 and Shadow Knight keep one tile after another, 128 bytes each, its
//   four 32-byte planes in a row (EGATILES), with no header.
// Numbers in the files are little-endian.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessaly {

constexpr int kTileSide = 16;
constexpr std::size_t kTilePlaneBytes = 32;
constexpr std::size_t kPlanarTileBytes = 4 * kTilePlaneBytes;
constexpr std::size_t kLatchHeaderBytes = 46;
// The latch planes live in EGA memory: at most 64 KiB each.
constexpr uint32_t kMaxLatchPlaneBytes = 65536;

// One tile's 256 EGA colours (0..15), row by row, top row first.
using TilePixels = std::array<uint8_t, kTileSide * kTileSide>;

struct LatchHeader {
    uint32_t planeBytes = 0; // L
    uint32_t tileCount = 0;  // T, the 16 x 16 tiles
    uint32_t tileOffset = 0; // O, where they start in each plane
};

struct LatchHeaderResult {
    LatchHeader header;
    std::string error; // empty on success
};

struct LatchPlanesResult {
    std::vector<uint8_t> planes; // 4 x L bytes
    bool compressed = false;
    std::string error;
};

struct TilesResult {
    std::vector<TilePixels> tiles;
    std::string error;
};

// The EGAHEAD fields this tool needs, checked for sense: a non-zero plane
// size of at most 64 KiB, at least one tile, and tiles that fit the plane.
LatchHeaderResult readLatchHeader(std::span<const uint8_t> file);

// The four planes of an EGALATCH file, plain (exactly 4 x L bytes) or
// compressed (decoded size 4 x L, code width 12).
LatchPlanesResult readLatchPlanes(std::span<const uint8_t> file, const LatchHeader& header);

// The header's tiles from decoded latch planes.
TilesResult decodeLatchTiles(std::span<const uint8_t> planes, const LatchHeader& header);

// All tiles of an EGATILES file; its size must be a non-zero multiple of 128.
TilesResult decodePlanarTiles(std::span<const uint8_t> file);

} // namespace tessaly
