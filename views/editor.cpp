#include "views/editor.h"

namespace tessaly {

void drawTile(Editor& editor, int64_t tile, int x, int y, PutMode mode) {
    putImage(editor.surface, x, y, editor.tiles.tileImages, tileImageOffset(editor.tiles, tile),
             mode);
}

} // namespace tessaly
