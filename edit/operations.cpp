#include "edit/operations.h"

#include <algorithm>
#include <cstdlib>

#include "level/door_link.h"

namespace tessaly {

namespace {

bool paintsTile(const EditSession& s) {
    return s.edit.currentTile < s.profile.tileCount && !s.edit.objectPicked;
}

// The size of the block between the copy corners: a corner left of or above
// the other gives a single column or row.
std::array<int32_t, 2> copyCornersSize(const EditState& e) {
    return {std::max(e.copyEnd.column - e.copyStart.column + 1, 1),
            std::max(e.copyEnd.row - e.copyStart.row + 1, 1)};
}

} // namespace

void paintCell(EditSession& s, Cell c) {
    const GameProfile& p = s.profile;
    const int32_t tile = s.edit.currentTile;
    if (paintsTile(s)) {
        setTile(s, c.column, c.row, tile);
        return;
    }
    for (int k = 1; k <= p.objectCount && k < kCatalogueSize; ++k) {
        if (p.objectPicture[k] == tile && tile > 0) setObject(s, c.column, c.row, p.objectCode[k]);
    }
}

// Bresenham's line over cells: one cell per step along the longer side.
void paintBetween(EditSession& s, Cell from, Cell to) {
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
        if (c != to) paintCell(s, c);
    }
}

void pickImage(EditSession& s, int32_t image, bool fromObjectPanel) {
    s.edit.currentTile = image;
    s.edit.objectPicked = fromObjectPanel;
}

void pickFromMap(EditSession& s, Cell c) {
    EditState& e = s.edit;
    e.currentTile = tileCell(s.level, c.column, c.row);
    e.objectPicked = false;
    e.editCell = c;
    const int32_t value = objectCell(s.level, c.column, c.row);
    if (picksAsDoor(value)) {
        e.doorExit = decodeDoorLink(value);
        e.selectedDoor = c;
    }
}

void linkDoor(EditSession& s, Cell c) {
    // Safe: column x 256 + row names a cell only while both are at most 255;
    // column 256 gives a value no level file can hold, and row 256 would link
    // to row 0 of the next column. Such a destination links nothing.
    const std::optional<int32_t> v = encodeDoorLink(c);
    if (!v) return;
    // Kept: the selected cell is overwritten whatever it holds now; before
    // any door is selected that is cell (0, 0), outside every map.
    setObject(s, s.edit.selectedDoor.column, s.edit.selectedDoor.row, *v);
    s.edit.doorExit = decodeDoorLink(*v);
}

void setCopyStart(EditSession& s, Cell c) {
    s.edit.copyStart = c;
}

void setCopyEnd(EditSession& s, Cell c) {
    s.edit.copyEnd = c;
}

// The block is read row by row into the buffer from [0][0]. Buffer elements
// outside the block keep what they held.
void copyBlock(EditSession& s) {
    EditState& e = s.edit;
    const auto [columns, rows] = copyCornersSize(e);
    for (int32_t dy = 0; dy < rows && dy < kPlaneSize; ++dy) {
        for (int32_t dx = 0; dx < columns && dx < kPlaneSize; ++dx) {
            e.copyBuffer[size_t(dx)][size_t(dy)] =
                tileCell(s.level, e.copyStart.column + dx, e.copyStart.row + dy);
        }
    }
    // Safe: the copy line shows the size of what the buffer holds.
    e.copySize = {columns, rows};
}

// The pasted size comes from the copy corners as they are now, not as they
// were when the block was copied.
void pasteBlock(EditSession& s, std::optional<Cell> cell) {
    EditState& e = s.edit;
    if (cell) e.editCell = *cell;
    const auto [columns, rows] = copyCornersSize(e);
    for (int32_t dy = 0; dy < rows && dy < kPlaneSize; ++dy) {
        for (int32_t dx = 0; dx < columns && dx < kPlaneSize; ++dx) {
            // Safe: cells beyond index 256 of the planes are left out.
            setTile(s, e.editCell.column + dx, e.editCell.row + dy,
                    e.copyBuffer[size_t(dx)][size_t(dy)]);
        }
    }
}

namespace {

// Only level cells go back and forth; the editing state stays as it is,
// except the door exit: when the step changed the selected door's cell, the
// exit shown is the one the cell holds now (none when it holds no door link
// any more).
bool stepAndShowDoor(EditSession& s, bool (*step)(EditHistory&, Level&)) {
    const Cell door = s.edit.selectedDoor;
    const int32_t before = objectCell(s.level, door.column, door.row);
    const bool stepped = step(s.history, s.level);
    const int32_t now = objectCell(s.level, door.column, door.row);
    if (now != before) s.edit.doorExit = picksAsDoor(now) ? decodeDoorLink(now) : Cell{};
    return stepped;
}

} // namespace

bool undoEdit(EditSession& s) {
    return stepAndShowDoor(s, undoStep);
}

bool redoEdit(EditSession& s) {
    return stepAndShowDoor(s, redoStep);
}

} // namespace tessaly
