#include "views/editor.h"

namespace tessaly {

void drawTile(Editor& editor, int64_t tile, int x, int y, PutMode mode) {
    putTile(editor.surface, editor.tiles, tile, x, y, mode);
}

void setTile(Editor& editor, int column, int row, int32_t value) {
    recordChange(editor.history, PlaneKind::Tile, column, row, tileCell(editor.level, column, row),
                 value);
    setTileCell(editor.level, column, row, value);
}

void setObject(Editor& editor, int column, int row, int32_t value) {
    recordChange(editor.history, PlaneKind::Object, column, row,
                 objectCell(editor.level, column, row), value);
    setObjectCell(editor.level, column, row, value);
}

} // namespace tessaly
