#include "tools/tilegen/tile_art.h"

#include <array>

#include "gui/palette.h"
#include "level/profile.h"
#include "tools/tilegen/frame_art.h"
#include "tools/tilegen/icon_art.h"
#include "tools/tilegen/map_tiles.h"

namespace tessaly {

namespace {

using art::Canvas;

int brightness(const Rgb& c) {
    return 299 * c.r + 587 * c.g + 114 * c.b;
}

// The copy markers are combined with the map by exclusive-or, so what they
// look like depends on the colours under them. Their brackets are a bright
// line between two black ones: 0x80 turns every colour of the editor palette
// (all below 128) into one of the black entries 128..255, and for the bright
// line we take the value that turns the game's own map tiles brightest.
uint8_t brightestXorValue(const std::vector<Canvas>& tiles, int tileCount) {
    std::array<long long, 256> uses{};
    for (int n = 0; n < tileCount && n < int(tiles.size()); ++n)
        for (uint8_t p : tiles[std::size_t(n)].px) ++uses[p];
    uint8_t best = 1;
    long long bestShown = -1;
    for (int v = 1; v < 256; ++v) {
        long long shown = 0;
        for (int p = 0; p < 256; ++p)
            shown += uses[std::size_t(p)] * brightness(kEditorPalette[std::size_t(p ^ v)]);
        if (shown > bestShown) {
            bestShown = shown;
            best = uint8_t(v);
        }
    }
    return best;
}

bool isTile(int n) {
    return n >= 0 && n < kSheetTiles;
}

} // namespace

std::vector<uint8_t> drawDefaultTileSheet(std::string_view gameId) {
    GameProfile profile;
    if (!selectGame(profile, gameId)) return {};

    std::vector<Canvas> tiles(kSheetTiles);
    for (int n = 0; n < kSheetTiles; ++n)
        tiles[std::size_t(n)] =
            n < profile.tileCount ? art::drawMapTile(profile, n) : art::drawUnusedTile();

    const bool sharedSides =
        profile.frameLeft == profile.frameRight || profile.frameTop == profile.frameBottom;
    const art::FrameStyle style = art::frameStyleFor(profile, sharedSides);
    using art::FramePart;
    const std::pair<int32_t, FramePart> frame[] = {
        {profile.frameTopLeft, FramePart::TopLeft},
        {profile.frameTopRight, FramePart::TopRight},
        {profile.frameBottomLeft, FramePart::BottomLeft},
        {profile.frameBottomRight, FramePart::BottomRight},
        {profile.frameLeft, FramePart::Left},
        {profile.frameRight, FramePart::Right},
        {profile.frameTop, FramePart::Top},
        {profile.frameBottom, FramePart::Bottom},
    };
    for (const auto& [n, part] : frame)
        if (isTile(n)) tiles[std::size_t(n)] = art::drawFramePiece(style, part);

    // A marker number 0 stays a map tile: tile 0 fills every empty cell of a
    // level, so a game whose markers point there keeps its tile 0.
    const uint8_t bright = brightestXorValue(tiles, profile.tileCount);
    const std::pair<int32_t, bool> markers[] = {{profile.copyStartMarker, true},
                                                {profile.copyEndMarker, false}};
    for (const auto& [n, start] : markers)
        if (n != 0 && isTile(n)) tiles[std::size_t(n)] = art::drawCopyMarker(start, 0x80, bright);

    for (int k = 1; k <= profile.objectCount && k < kCatalogueSize; ++k) {
        const int32_t n = profile.objectPicture[std::size_t(k)];
        if (isTile(n))
            tiles[std::size_t(n)] = art::drawObjectPicture(profile.objectLabel[std::size_t(k)],
                                                           profile.objectCode[std::size_t(k)]);
    }
    tiles[878] = art::drawDoorLinkMarker();
    tiles[890] = art::drawDoorExitMarker();

    std::vector<uint8_t> sheet(std::size_t(kSheetWidth) * kSheetHeight, 0);
    for (int n = 0; n < kSheetTiles; ++n) {
        const int left = 16 * (n % 13), top = 16 * (n / 13);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                sheet[std::size_t(top + y) * kSheetWidth + std::size_t(left + x)] =
                    tiles[std::size_t(n)].at(x, y);
    }
    return sheet;
}

} // namespace tessaly
