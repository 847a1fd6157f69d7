// The program's own picture: a small level scene of 16 x 16 tiles (sky, a
// gem, a brick block on a strip of grass), used as the window icon (3 x 3
// tiles, 48 x 48) and as the About box logo (4 x 4 tiles, 64 x 64).
#pragma once

#include <cstdint>
#include <vector>

#include "core/surface.h"

namespace tessaly {

struct IndexedPicture {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels; // row by row, palette indexes
    std::vector<Rgb> palette;    // at most 256 entries
};

constexpr int kEmblemTile = 16;

// The scene `tiles` tiles wide and high (at least 2).
IndexedPicture drawEmblem(int tiles);

// The same picture as 8-bit red, green, blue, alpha, row by row, all opaque.
std::vector<uint8_t> emblemRgba(const IndexedPicture& picture);

} // namespace tessaly
