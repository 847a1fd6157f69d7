#include "views/editor.h"

namespace tessaly {

void drawTile(Editor& editor, int64_t tile, int x, int y, PutMode mode) {
    putImage(editor.surface, x, y, editor.tiles.tileImages, tileImageOffset(editor.tiles, tile),
             mode);
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

Cell decodeDoorLink(int32_t value) {
    int64_t v = value;
    int64_t q = v >= 0 ? v / 256 : (v - 255) / 256; // division rounded down
    return {int32_t(q), int32_t(v - 256 * q)};
}

} // namespace tessaly
