// The tile sheet: the 16 x 16 images of every map tile and object picture of
// the current game, built from the game's tile bitmap at every editor start.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/surface.h"

namespace tessaly {

constexpr std::size_t kTileStoreBytes = 425985;
constexpr int kTileOffsetEntries = 2177;
constexpr int kTileSheetStrips = 69; // strips of 16 pixel rows in the bitmap
constexpr int kTilesPerStrip = 13;   // the bitmap is 13 tiles (208 pixels) wide
constexpr int kTileSheetImages = kTileSheetStrips * kTilesPerStrip; // 897: tiles 0..896
constexpr int kTileBitmapWidth = 208;
constexpr std::size_t kTileImageBytes = 288; // one 16 x 16 image

struct TileSheet {
    std::vector<uint8_t> tileImages = std::vector<uint8_t>(kTileStoreBytes);
    std::array<int32_t, kTileOffsetEntries> tileOffset{};
    // The tile bitmap as last loaded; a failed load leaves it as it was.
    std::vector<uint8_t> loadBuffer = std::vector<uint8_t>(kTileStoreBytes);
};

// Builds the sheet from the bytes of a tile bitmap file through page 2 of the
// surface, then makes page 0 the work and visible page. The bitmap's colour
// table lands in the palette; callers apply the editor palette afterwards.
// Returns whether the bitmap was loaded (empty bytes count as a missing
// bitmap; a missing, unreadable or wrongly sized bitmap keeps the previous
// load buffer, and the sheet is built from that).
bool buildTileSheet(TileSheet& sheet, Surface& surface, std::span<const uint8_t> file);

// Offset of tile n's image in tileImages.
// Safe: numbers outside the offset table (negative, or 2177 and beyond: a
// broken level can hold any value) give tile 0's image instead of reading
// past the table.
inline std::size_t tileImageOffset(const TileSheet& sheet, int64_t tile) {
    if (tile < 0 || tile >= kTileOffsetEntries) tile = 0;
    return std::size_t(sheet.tileOffset[std::size_t(tile)]);
}

// Puts tile n's image with its top-left pixel at (x, y) on the work page.
void putTile(Surface& surface, const TileSheet& sheet, int64_t tile, int x, int y, PutMode mode);

} // namespace tessaly
