#include "views/editing.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "level/door_link.h"
#include "views/map_view.h"
#include "views/panels.h"

namespace tessaly {

namespace {

struct Hit {
    Cell cell;
    int cx, cy; // top-left pixel of the view cell
};

std::optional<Hit> hitCell(const Editor& editor, int x, int y) {
    auto v = viewCellAt(x, y);
    if (!v) return std::nullopt;
    return Hit{levelCellOf(editor, *v), kMapCellsLeft + 16 * v->i, kMapCellsTop + 16 * v->j};
}

bool paintsTile(const Editor& editor) {
    return editor.edit.currentTile < editor.profile.tileCount && !editor.edit.objectPicked;
}

// The cell gets the current tile, or the code of the last catalogue entry
// whose picture is the current one (nothing when none is).
void paintLevelCell(Editor& editor, Cell c) {
    const GameProfile& p = editor.profile;
    const int32_t tile = editor.edit.currentTile;
    if (paintsTile(editor)) {
        setTile(editor, c.column, c.row, tile);
        return;
    }
    for (int k = 1; k <= p.objectCount && k < kCatalogueSize; ++k) {
        if (p.objectPicture[k] == tile && tile > 0) {
            setObject(editor, c.column, c.row, p.objectCode[k]);
        }
    }
}

} // namespace

std::optional<Cell> mapCellAt(const Editor& editor, int x, int y) {
    auto hit = hitCell(editor, x, y);
    if (!hit) return std::nullopt;
    return hit->cell;
}

void paintCell(Editor& editor, int x, int y) {
    auto hit = hitCell(editor, x, y);
    if (!hit) return;
    const Cell c = hit->cell;
    paintLevelCell(editor, c);
    if (paintsTile(editor)) {
        drawTile(editor, editor.edit.currentTile, hit->cx, hit->cy, PutMode::Opaque);
        return;
    }
    drawTile(editor, tileCell(editor.level, c.column, c.row), hit->cx, hit->cy, PutMode::Opaque);
    drawTile(editor, editor.edit.currentTile, hit->cx, hit->cy, PutMode::Transparent);
}

// Bresenham's line over cells: one cell per step along the longer side.
void paintBetween(Editor& editor, Cell from, Cell to) {
    const int dx = std::abs(to.column - from.column), dy = -std::abs(to.row - from.row);
    const int sx = from.column < to.column ? 1 : -1, sy = from.row < to.row ? 1 : -1;
    int error = dx + dy;
    Cell c = from;
    while (c != to) {
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            c.column += sx;
        }
        if (twice <= dx) {
            error += dx;
            c.row += sy;
        }
        if (c != to) paintLevelCell(editor, c);
    }
}

void pickFromMap(Editor& editor, int x, int y) {
    if (auto hit = hitCell(editor, x, y)) {
        const Cell c = hit->cell;
        EditState& e = editor.edit;
        e.currentTile = tileCell(editor.level, c.column, c.row);
        e.objectPicked = false;
        e.editCell = c;
        const int32_t value = objectCell(editor.level, c.column, c.row);
        if (picksAsDoor(value)) {
            e.doorExit = decodeDoorLink(value);
            e.selectedDoor = c;
        }
    }
    drawTilePreview(editor);
}

void linkDoor(Editor& editor, int x, int y) {
    auto hit = hitCell(editor, x, y);
    if (!hit) return;
    // Safe: column x 256 + row names a cell only while both are at most 255;
    // column 256 gives a value no level file can hold, and row 256 would link
    // to row 0 of the next column. Such a destination links nothing.
    const std::optional<int32_t> v = encodeDoorLink(hit->cell);
    if (!v) return;
    // Kept: the selected cell is overwritten whatever it holds now; before
    // any door is selected that is cell (0, 0), outside every map.
    setObject(editor, editor.edit.selectedDoor.column, editor.edit.selectedDoor.row, *v);
    editor.edit.doorExit = decodeDoorLink(*v);
}

void setCopyStart(Editor& editor, int x, int y) {
    if (auto hit = hitCell(editor, x, y)) editor.edit.copyStart = hit->cell;
}

void setCopyEnd(Editor& editor, int x, int y) {
    if (auto hit = hitCell(editor, x, y)) editor.edit.copyEnd = hit->cell;
}

// The block is columns sx..ex by rows sy..ey, read row by row into the buffer
// from [0][0]; a corner left of or above the other contributes a single column
// or row. Buffer elements outside the block keep what they held.
void copyBlock(Editor& editor) {
    EditState& e = editor.edit;
    const Cell s = e.copyStart, end = e.copyEnd;
    const int32_t columns = std::max(end.column - s.column + 1, 1);
    const int32_t rows = std::max(end.row - s.row + 1, 1);
    for (int32_t dy = 0; dy < rows && dy < kPlaneSize; ++dy) {
        for (int32_t dx = 0; dx < columns && dx < kPlaneSize; ++dx) {
            e.copyBuffer[size_t(dx)][size_t(dy)] =
                tileCell(editor.level, s.column + dx, s.row + dy);
        }
    }
    // Safe: the copy line shows the size of what the buffer holds.
    e.copySize = {columns, rows};
}

// The pasted size comes from the copy corners as they are now, not as they
// were when the block was copied.
void pasteBlock(Editor& editor, int x, int y) {
    EditState& e = editor.edit;
    if (auto hit = hitCell(editor, x, y)) e.editCell = hit->cell;
    const int32_t columns = std::max(e.copyEnd.column - e.copyStart.column + 1, 1);
    const int32_t rows = std::max(e.copyEnd.row - e.copyStart.row + 1, 1);
    for (int32_t dy = 0; dy < rows && dy < kPlaneSize; ++dy) {
        for (int32_t dx = 0; dx < columns && dx < kPlaneSize; ++dx) {
            // Safe: cells beyond index 256 of the planes are left out.
            setTile(editor, e.editCell.column + dx, e.editCell.row + dy,
                    e.copyBuffer[size_t(dx)][size_t(dy)]);
        }
    }
}

} // namespace tessaly
