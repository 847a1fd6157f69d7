// The tile bitmap's pixels: 897 tiles of 16 x 16 in a 208 x 1104 sheet, 13 to
// a row, tile n at column 16 (n mod 13), row 16 (n div 13), one palette index
// per pixel, top row first. EGA colour c is editor palette index c.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tools/tiles/ega_tiles.h"

namespace tessaly {

constexpr int kSheetColumns = 13;
constexpr int kSheetPixelWidth = kSheetColumns * kTileSide; // 208
constexpr int kSheetTileCount = 897;
constexpr int kSheetPixelHeight = kSheetTileCount / kSheetColumns * kTileSide; // 1104

struct SheetResult {
    std::vector<uint8_t> pixels;
    int placed = 0; // game tiles written into the sheet
    std::string error;
};

// The default art with tiles 0..N-1 replaced by the game's; every other tile
// number keeps the default art. Only the first `room` numbers (at most the
// sheet's 897) take game tiles: the import passes the game's map tile count,
// so the object pictures and door markers that follow the map tiles keep
// drawing. Game tiles past that are left out. Fails when the default art is
// not a whole sheet.
SheetResult composeTileSheet(std::span<const uint8_t> defaultArt, std::span<const TilePixels> tiles,
                             int room = kSheetTileCount);

// Tile n (0..896) of a sheet; all zero when n or the sheet is out of range.
TilePixels sheetTile(std::span<const uint8_t> sheet, int n);

} // namespace tessaly
