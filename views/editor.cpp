#include "views/editor.h"

namespace tessaly {

void drawTile(Editor& editor, int64_t tile, int x, int y, PutMode mode) {
    putTile(editor.surface, editor.tiles, tile, x, y, mode);
}

} // namespace tessaly
