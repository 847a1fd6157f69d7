#include "level/tilesheet.h"

#include <filesystem>
#include <system_error>

#include "platform/bmp.h"
#include "platform/bytes.h"
#include "platform/files.h"
#include "platform/path_text.h"
#include "platform/resources.h"

namespace tessaly {

namespace {

constexpr int kScratchPage = 2;

// The width a BMP file declares, or 0 when the bytes are too short to tell.
int32_t declaredBitmapWidth(std::span<const uint8_t> file) {
    if (file.size() < 22) return 0;
    return int32_t(readLe32(file.data() + 18));
}

} // namespace

std::string tileBitmapPath(const GameProfile& profile, const std::string& exeDir) {
    return findTileBitmap(exeDir, std::string(profile.tileBitmapName));
}

std::string tileBitmapProblem(const GameProfile& profile, const std::string& exeDir) {
    constexpr const char* kConsequence = "; the tiles shown are not this game's.";
    const std::string path = tileBitmapPath(profile, exeDir);
    std::error_code error;
    if (std::filesystem::exists(pathFromUtf8(path), error)) {
        return "The tile bitmap " + path +
               " cannot be used: a tile bitmap is a palette BMP file 208 pixels wide" +
               kConsequence;
    }
    const std::vector<std::string> folders = tileBitmapFolders(exeDir);
    std::string text =
        "The tile bitmap " + std::string(profile.tileBitmapName) + " was found in none of ";
    for (std::size_t i = 0; i < folders.size(); ++i) {
        if (i > 0) text += i + 1 == folders.size() ? " and " : ", ";
        text += folders[i];
    }
    return text + kConsequence;
}

bool loadTileSheet(TileSheet& sheet, Surface& surface, const GameProfile& profile,
                   const std::string& exeDir) {
    const auto file = readFileBytes(tileBitmapPath(profile, exeDir));
    return buildTileSheet(sheet, surface,
                          file ? std::span<const uint8_t>(*file) : std::span<const uint8_t>());
}

// The bitmap is loaded whole into the load buffer, then copied strip by strip
// (16 pixel rows of 208 pixels) onto the hidden page 2 and cut into 13 tiles
// per strip: 69 strips give tiles 0..896. Tile n's image lands at 288 n in
// tileImages. The pixel cursor runs on through the load buffer from strip to
// strip, so a short bitmap leaves the later strips with whatever follows it
// in the buffer (zeros, or an earlier, larger bitmap's pixels).
bool buildTileSheet(TileSheet& sheet, Surface& surface, std::span<const uint8_t> file) {
    selectPages(surface, kScratchPage, 0);

    // Safe: only 208-pixel-wide bitmaps are tile bitmaps; anything else
    // would smear the tiles, so it is refused like a missing file.
    const bool loaded = declaredBitmapWidth(file) == kTileBitmapWidth &&
                        loadBitmapFromBytes(surface, file, sheet.loadBuffer, 0);

    std::size_t cursor = kImageHeaderBytes;
    std::size_t storeOffset = 0;
    int tile = 0;
    for (int strip = 0; strip < kTileSheetStrips; ++strip) {
        for (int y = 1; y <= 16; ++y) {
            for (int x = 1; x <= kTileBitmapWidth; ++x) {
                setPixel(surface, x, y, sheet.loadBuffer[cursor]);
                ++cursor;
            }
        }
        for (int k = 0; k < kTilesPerStrip; ++k) {
            captureImage(surface, 1 + 16 * k, 1, 16 + 16 * k, 16, sheet.tileImages, storeOffset);
            sheet.tileOffset[std::size_t(tile)] = int32_t(storeOffset);
            ++tile;
            storeOffset += kTileImageBytes;
        }
    }

    selectPages(surface, 0, 0);
    return loaded;
}

void putTile(Surface& surface, const TileSheet& sheet, int64_t tile, int x, int y, PutMode mode) {
    putImage(surface, x, y, sheet.tileImages, tileImageOffset(sheet, tile), mode);
}

} // namespace tessaly
