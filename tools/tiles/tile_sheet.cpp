#include "tools/tiles/tile_sheet.h"

#include <algorithm>
#include <sstream>

namespace tessaly {

namespace {

constexpr std::size_t kSheetBytes = std::size_t(kSheetPixelWidth) * kSheetPixelHeight;

std::size_t tileOrigin(int n) {
    return std::size_t(n / kSheetColumns) * kTileSide * kSheetPixelWidth +
           std::size_t(n % kSheetColumns) * kTileSide;
}

} // namespace

SheetResult composeTileSheet(std::span<const uint8_t> defaultArt, std::span<const TilePixels> tiles,
                             int room) {
    SheetResult r;
    if (defaultArt.size() != kSheetBytes) {
        std::ostringstream s;
        s << "default tile art has " << defaultArt.size() << " pixels, expected " << kSheetBytes;
        r.error = s.str();
        return r;
    }
    r.pixels.assign(defaultArt.begin(), defaultArt.end());
    room = std::clamp(room, 0, kSheetTileCount);
    r.placed = int(std::min<std::size_t>(tiles.size(), std::size_t(room)));
    for (int n = 0; n < r.placed; ++n) {
        const std::size_t origin = tileOrigin(n);
        for (int y = 0; y < kTileSide; ++y) {
            std::copy_n(tiles[n].begin() + y * kTileSide, kTileSide,
                        r.pixels.begin() + origin + std::size_t(y) * kSheetPixelWidth);
        }
    }
    return r;
}

TilePixels sheetTile(std::span<const uint8_t> sheet, int n) {
    TilePixels tile{};
    if (sheet.size() != kSheetBytes || n < 0 || n >= kSheetTileCount) return tile;
    const std::size_t origin = tileOrigin(n);
    for (int y = 0; y < kTileSide; ++y) {
        std::copy_n(sheet.begin() + origin + std::size_t(y) * kSheetPixelWidth, kTileSide,
                    tile.begin() + y * kTileSide);
    }
    return tile;
}

} // namespace tessaly
