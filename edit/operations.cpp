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

std::optional<PaintValue> paintValue(const EditSession& s) {
    const GameProfile& p = s.profile;
    const int32_t tile = s.edit.currentTile;
    if (paintsTile(s)) return PaintValue{PlaneKind::Tile, tile};
    std::optional<PaintValue> object;
    for (int k = 1; k <= p.objectCount && k < kCatalogueSize; ++k) {
        if (p.objectPicture[k] == tile && tile > 0) object = {PlaneKind::Object, p.objectCode[k]};
    }
    return object;
}

int32_t cellValue(const Level& level, PlaneKind plane, Cell c) {
    return plane == PlaneKind::Tile ? tileCell(level, c.column, c.row)
                                    : objectCell(level, c.column, c.row);
}

void setCellValue(EditSession& s, PlaneKind plane, Cell c, int32_t value) {
    if (plane == PlaneKind::Tile) {
        setTile(s, c.column, c.row, value);
    } else {
        setObject(s, c.column, c.row, value);
    }
}

void paintCell(EditSession& s, Cell c) {
    if (const std::optional<PaintValue> paint = paintValue(s))
        setCellValue(s, paint->plane, c, paint->value);
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
        e.doorExit = decodeDoorLink(value, s.profile.linkCounting);
        e.selectedDoor = c;
    }
}

LinkProblem linkDoor(EditSession& s, Cell c) {
    // Safe: column x 256 + row names a cell only while both fit 0..255; past
    // that the value would not fit a level file or would name another cell,
    // and a value below 256 reads as an object. Such a destination links
    // nothing.
    const LinkCounting counting = s.profile.linkCounting;
    const LinkProblem problem = doorLinkProblem(c, counting);
    if (problem != LinkProblem::None) return problem;
    const int32_t v = encodeDoorLink(c, counting).value();
    // Kept: the selected cell is overwritten whatever it holds now; before
    // any door is selected that is cell (0, 0), outside every map.
    setObject(s, s.edit.selectedDoor.column, s.edit.selectedDoor.row, v);
    s.edit.doorExit = decodeDoorLink(v, counting);
    return LinkProblem::None;
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
    if (now != before)
        s.edit.doorExit = picksAsDoor(now) ? decodeDoorLink(now, s.profile.linkCounting) : Cell{};
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
