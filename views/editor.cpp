#include "views/editor.h"

namespace tessaly {

void drawTile(Editor& editor, int64_t tile, int x, int y, PutMode mode) {
    putImage(editor.surface, x, y, editor.tiles.tileImages, tileImageOffset(editor.tiles, tile),
             mode);
}

Cell decodeDoorLink(int32_t value) {
    int64_t v = value;
    int64_t q = v >= 0 ? v / 256 : (v - 255) / 256; // division rounded down
    return {int32_t(q), int32_t(v - 256 * q)};
}

} // namespace tessaly
