#include "views/level_picture.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "gui/text.h"
#include "level/door_link.h"

namespace tessaly {

namespace {

constexpr int kCell = 16;
// Where a sprite's cell lies on the scratch page: room for labels of about
// 190 characters to its left and the boxes and labels to its right.
constexpr int kSpriteX = kSurfaceWidth / 2, kSpriteY = kSurfaceHeight / 2;

// The pixels the map view's overlays of one cell write, relative to the
// cell's top-left pixel, as runs along rows: the overlays only ever set
// pixels (pictures and the marker where they are not transparent, text and
// boxes where they are drawn), never read them, so putting the sprite on any
// background gives what drawing them there would.
struct Sprite {
    struct Run {
        int dx, dy, length;
        std::size_t first; // of its colours in `colours`
    };
    std::vector<Run> runs;
    std::vector<uint8_t> colours;
};

// Draws the overlays on two backgrounds that differ in every pixel: a pixel
// is written where either differs from its background, and then holds the
// same colour on both.
Sprite makeSprite(Surface& scratch, TextState& text, const TileSheet& tiles,
                  const GameProfile& profile, int32_t value, const CellOverlays& layers) {
    constexpr uint8_t kA = 0, kB = 255;
    LabelImages labels;
    std::vector<uint8_t> onA;
    PixelRect area;
    for (const uint8_t background : {kA, kB}) {
        fillBox(scratch, 0, 0, kSurfaceWidth - 1, kSurfaceHeight - 1, background);
        markPresented(scratch); // `changed` now gathers what the overlays touch
        drawCellOverlays(scratch, text, tiles, profile, labels, value, kSpriteX, kSpriteY, layers);
        area = scratch.changed;
        if (background == kA) onA.assign(scratch.page(0), scratch.page(0) + kPageBytes);
    }
    Sprite sprite;
    if (area.empty()) return sprite;
    const uint8_t* onB = scratch.page(0);
    for (int y = area.y0; y <= area.y1; ++y) {
        const std::size_t row = std::size_t(y) * kSurfaceWidth;
        for (int x = area.x0; x <= area.x1;) {
            const auto written = [&](int at) {
                return onA[row + std::size_t(at)] != kA || onB[row + std::size_t(at)] != kB;
            };
            if (!written(x)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x <= area.x1 && written(x)) ++x;
            sprite.runs.push_back(
                {start - kSpriteX, y - kSpriteY, x - start, sprite.colours.size()});
            sprite.colours.insert(sprite.colours.end(), onB + row + std::size_t(start),
                                  onB + row + std::size_t(x));
        }
    }
    return sprite;
}

// Puts the sprite with its cell's top-left pixel at (cx, cy), cut to the picture.
void putSprite(LevelPicture& picture, const Sprite& sprite, int cx, int cy) {
    for (const Sprite::Run& run : sprite.runs) {
        const int y = cy + run.dy;
        if (y < 0 || y >= picture.height) continue;
        const int x0 = std::max(cx + run.dx, 0);
        const int x1 = std::min(cx + run.dx + run.length, picture.width);
        if (x0 >= x1) continue;
        std::memcpy(picture.pixels.data() + std::size_t(y) * std::size_t(picture.width) +
                        std::size_t(x0),
                    sprite.colours.data() + run.first + std::size_t(x0 - cx - run.dx),
                    std::size_t(x1 - x0));
    }
}

// Puts tile n's image, as the tile sheet holds it, at (x, y) of the picture,
// as an opaque putTile would.
void putTileImage(LevelPicture& picture, const TileSheet& tiles, int32_t tile, int x, int y) {
    const std::size_t offset = tileImageOffset(tiles, tile);
    if (imageWidth(tiles.tileImages, offset) != kCell ||
        imageHeight(tiles.tileImages, offset) != kCell ||
        offset + kTileImageBytes > tiles.tileImages.size())
        return;
    const uint8_t* from = tiles.tileImages.data() + offset + kImageHeaderBytes;
    for (int row = 0; row < kCell; ++row)
        std::memcpy(picture.pixels.data() + std::size_t(y + row) * std::size_t(picture.width) +
                        std::size_t(x),
                    from + std::size_t(row * kCell), kCell);
}

} // namespace

std::optional<PictureLayers> parsePictureLayers(std::string_view list) {
    PictureLayers layers{false, {false, false, false}};
    while (true) {
        const std::size_t comma = list.find(',');
        const std::string_view name = list.substr(0, comma);
        if (name == "tiles") {
            layers.tiles = true;
        } else if (name == "objects") {
            layers.overlays.objects = true;
        } else if (name == "labels") {
            layers.overlays.labels = true;
        } else if (name == "links") {
            layers.overlays.links = true;
        } else {
            return std::nullopt;
        }
        if (comma == std::string_view::npos) return layers;
        list.remove_prefix(comma + 1);
    }
}

// The tiles first, then the overlays cell by cell, row by row, as the map
// view draws its cells. What a cell's overlays look like depends only on the
// catalogue entries that hold its value and on whether it is a door link, so
// one sprite of them serves every cell alike: a level full of objects costs
// little more than one without.
LevelPicture drawLevelPicture(const Level& level, const GameProfile& profile,
                              const TileSheet& tiles, const PictureLayers& layers) {
    const int columns = std::clamp(level.width, 0, kMaxMapSide);
    const int rows = std::clamp(level.height, 0, kMaxMapSide);
    LevelPicture picture;
    picture.width = kCell * columns;
    picture.height = kCell * rows;
    picture.pixels.assign(std::size_t(picture.width) * std::size_t(picture.height), 0);

    if (layers.tiles) {
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= columns; ++c)
                putTileImage(picture, tiles, tileCell(level, c, r), kCell * (c - 1),
                             kCell * (r - 1));
    }

    const CellOverlays& overlays = layers.overlays;
    if (!overlays.objects && !overlays.labels && !overlays.links) return picture;
    auto scratch = std::make_unique<Surface>(); // page 0 both work and visible page
    TextState text;
    std::map<int64_t, Sprite> sprites;
    const auto spriteKey = [&](int32_t value) -> int64_t {
        for (int k = 1; k <= profile.objectCount && k < kCatalogueSize; ++k)
            if (profile.objectCode[std::size_t(k)] == value) return value;
        return isDoorLink(value) ? INT64_MAX : INT64_MIN; // a bare link, or nothing
    };
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= columns; ++c) {
            const int32_t value = objectCell(level, c, r);
            if (value == 0) continue; // nothing lies over an empty cell
            const int64_t key = spriteKey(value);
            if (key == INT64_MIN) continue;
            auto found = sprites.find(key);
            if (found == sprites.end())
                found =
                    sprites
                        .emplace(key, makeSprite(*scratch, text, tiles, profile, value, overlays))
                        .first;
            putSprite(picture, found->second, kCell * (c - 1), kCell * (r - 1));
        }
    }
    return picture;
}

} // namespace tessaly
