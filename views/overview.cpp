#include "views/overview.h"

#include <algorithm>
#include <vector>

#include "level/door_link.h"
#include "views/map_view.h"

namespace tessaly {

namespace {

constexpr int kBackground = 0;
constexpr int kObjectMark = 44;  // yellow
constexpr int kLinkMark = 52;    // cyan
constexpr int kViewOutline = 40; // red
// From this many pixels a cell, objects and links show their own pictures.
constexpr int kPictureScale = 8;

bool holdsCatalogueObject(const GameProfile& p, int32_t value) {
    if (value == 0) return false;
    for (int k = 1; k <= p.objectCount && k < kCatalogueSize; ++k)
        if (p.objectCode[std::size_t(k)] == value) return true;
    return false;
}

// The picture of `value`'s last catalogue entry, or -1.
int64_t objectPicture(const GameProfile& p, int32_t value) {
    int64_t picture = -1;
    for (int k = 1; k <= p.objectCount && k < kCatalogueSize; ++k)
        if (p.objectCode[std::size_t(k)] == value) picture = p.objectPicture[std::size_t(k)];
    return picture;
}

// The level's picture: an image buffer (core/surface.h) of the level's size.
struct Picture {
    Picture(int width, int height)
        : pitch(imagePitch(width)), image(kImageHeaderBytes + pitch * std::size_t(height)) {
        writeImageHeader(image, 0, width, height);
    }
    uint8_t* at(int x, int y) {
        return image.data() + kImageHeaderBytes + std::size_t(y) * pitch + std::size_t(x);
    }
    std::size_t pitch;
    std::vector<uint8_t> image;
};

// Puts tile `n`'s image scaled down to `scale` pixels by sampling, its
// top-left at (x, y) of the picture; transparent leaves colour 0 out.
void putSampled(Picture& picture, const TileSheet& tiles, int64_t n, int x, int y, int scale,
                bool transparent) {
    const uint8_t* image = tiles.tileImages.data() + tileImageOffset(tiles, n) + kImageHeaderBytes;
    for (int j = 0; j < scale; ++j) {
        const uint8_t* from = image + std::size_t(j * 16 / scale) * imagePitch(16);
        uint8_t* to = picture.at(x, y + j);
        for (int i = 0; i < scale; ++i) {
            const uint8_t colour = from[i * 16 / scale];
            if (!transparent || colour != 0) to[i] = colour;
        }
    }
}

void fillSquare(Picture& picture, int x, int y, int side, int colour) {
    for (int j = 0; j < side; ++j) std::fill_n(picture.at(x, y + j), side, uint8_t(colour));
}

} // namespace

OverviewLayout overviewLayout(const Level& level) {
    OverviewLayout layout;
    if (level.width > 0 && level.height > 0)
        layout.scale =
            std::clamp(std::min(kSurfaceWidth / level.width, kSurfaceHeight / level.height), 1, 16);
    layout.left = (kSurfaceWidth - std::max(level.width, 0) * layout.scale) / 2;
    layout.top = (kSurfaceHeight - std::max(level.height, 0) * layout.scale) / 2;
    return layout;
}

std::optional<Cell> overviewCellAt(const OverviewLayout& layout, const Level& level, int x, int y) {
    if (x < layout.left || y < layout.top) return std::nullopt;
    const Cell cell{1 + (x - layout.left) / layout.scale, 1 + (y - layout.top) / layout.scale};
    if (cell.column > level.width || cell.row > level.height) return std::nullopt;
    return cell;
}

// The level is drawn into a picture of its own size, put on the page at once.
void drawOverview(Editor& editor) {
    const Level& level = editor.level;
    const OverviewLayout layout = overviewLayout(level);
    const int s = layout.scale;
    fillBox(editor.surface, 0, 0, kSurfaceWidth - 1, kSurfaceHeight - 1, kBackground);
    if (level.width <= 0 || level.height <= 0) return;
    Picture picture(level.width * s, level.height * s);
    for (int row = 1; row <= level.height; ++row) {
        for (int column = 1; column <= level.width; ++column) {
            const int x = (column - 1) * s, y = (row - 1) * s;
            putSampled(picture, editor.tiles, tileCell(level, column, row), x, y, s, false);
            const int32_t value = objectCell(level, column, row);
            const bool object = holdsCatalogueObject(editor.profile, value);
            const bool link = isDoorLink(value);
            if (!object && !link) continue;
            if (s >= kPictureScale) {
                if (object)
                    putSampled(picture, editor.tiles, objectPicture(editor.profile, value), x, y, s,
                               true);
                if (link) putSampled(picture, editor.tiles, kDoorLinkMarker, x, y, s, true);
                continue;
            }
            const int side = std::max(1, s / 2), inset = (s - side) / 2;
            fillSquare(picture, x + inset, y + inset, side, object ? kObjectMark : kLinkMark);
        }
    }
    putImage(editor.surface, layout.left, layout.top, picture.image, 0, PutMode::Opaque);

    // The cells the map view shows, outlined one pixel outside them.
    const int x0 = layout.left + (editor.viewOriginColumn - 1) * s - 1;
    const int y0 = layout.top + (editor.viewOriginRow - 1) * s - 1;
    drawBox(editor.surface, x0, y0, x0 + kViewColumns * s + 1, y0 + kViewRows * s + 1,
            kViewOutline);
}

} // namespace tessaly
