#include "edit/resize.h"

#include <algorithm>
#include <memory>

#include "level/door_link.h"
#include "level/level_file.h"

namespace tessaly {

namespace {

// Where old cell (c, r) goes: (c + dx, r + dy).
struct Shift {
    int dx = 0, dy = 0;
};

// West and north keep their edge, east and south theirs, the middle choices
// share the difference (cut toward zero, so growing and shrinking back
// returns every cell to its place).
Shift shiftFor(const Level& level, int width, int height, Anchor anchor) {
    const int column = int(anchor) % 3, row = int(anchor) / 3;
    const auto part = [](int which, int grown) {
        return which == 0 ? 0 : which == 1 ? grown / 2 : grown;
    };
    return {part(column, width - level.width), part(row, height - level.height)};
}

bool inside(int column, int row, int width, int height) {
    return column >= 1 && column <= width && row >= 1 && row <= height;
}

bool isCatalogueCode(const GameProfile& p, int32_t value) {
    for (int k = 1; k <= p.objectCount && k < kCatalogueSize; ++k)
        if (p.objectCode[std::size_t(k)] == value) return true;
    return false;
}

// Whether the game's editor takes `value` for a door link to move along.
bool movesAsLink(const GameProfile& p, int32_t value) {
    return p.followsDoorLinks && isDoorLink(value) && !isCatalogueCode(p, value);
}

// The link `value` at its destination's new place; 0 when that place is
// dropped or cannot be linked to.
int32_t movedLink(const GameProfile& p, int32_t value, Shift shift, int width, int height) {
    const Cell to = decodeDoorLink(value, p.linkCounting);
    const Cell moved{to.column + shift.dx, to.row + shift.dy};
    if (!inside(moved.column, moved.row, width, height)) return 0;
    return encodeDoorLink(moved, p.linkCounting).value_or(0);
}

int32_t keptInside(int32_t value, int32_t side) {
    return std::min(value, side);
}

} // namespace

ResizeLoss resizeLoss(const EditSession& s, int width, int height, Anchor anchor) {
    const Level& level = s.level;
    const Shift shift = shiftFor(level, width, height, anchor);
    ResizeLoss loss;
    for (int column = 1; column <= level.width; ++column) {
        for (int row = 1; row <= level.height; ++row) {
            const int32_t object = objectCell(level, column, row);
            if (!inside(column + shift.dx, row + shift.dy, width, height)) {
                loss.cells += tileCell(level, column, row) != 0 || object != 0;
                continue;
            }
            if (movesAsLink(s.profile, object) &&
                movedLink(s.profile, object, shift, width, height) == 0)
                ++loss.links;
        }
    }
    return loss;
}

void resizeLevel(EditSession& s, int width, int height, Anchor anchor) {
    width = std::clamp(width, 1, kMaxMapSide);
    height = std::clamp(height, 1, kMaxMapSide);
    const Level& level = s.level;
    const Shift shift = shiftFor(level, width, height, anchor);
    // The new planes first, read from the old ones, then written cell by
    // cell through the history.
    auto tiles = std::make_unique<Plane>();
    auto objects = std::make_unique<Plane>();
    for (int column = 1; column <= width; ++column) {
        for (int row = 1; row <= height; ++row) {
            const int oldColumn = column - shift.dx, oldRow = row - shift.dy;
            if (!inside(oldColumn, oldRow, level.width, level.height)) continue;
            (*tiles)[std::size_t(column)][std::size_t(row)] = tileCell(level, oldColumn, oldRow);
            int32_t object = objectCell(level, oldColumn, oldRow);
            if (movesAsLink(s.profile, object))
                object = movedLink(s.profile, object, shift, width, height);
            (*objects)[std::size_t(column)][std::size_t(row)] = object;
        }
    }
    for (int column = 0; column < kPlaneSize; ++column) {
        for (int row = 0; row < kPlaneSize; ++row) {
            setTile(s, column, row, (*tiles)[std::size_t(column)][std::size_t(row)]);
            setObject(s, column, row, (*objects)[std::size_t(column)][std::size_t(row)]);
        }
    }
    const LevelShape before = shapeOf(level);
    const LevelShape after = shapeForSize(level, width, height);
    recordShapeChange(s.history, before, after);
    setShape(s.level, after);

    EditState& e = s.edit;
    for (Cell* cell : {&e.copyStart, &e.copyEnd, &e.editCell, &e.selectedDoor, &e.doorExit}) {
        cell->column = keptInside(cell->column, width);
        cell->row = keptInside(cell->row, height);
    }
}

void makeNewLevel(EditSession& s, int width, int height) {
    width = std::clamp(width, 1, kMaxMapSide);
    height = std::clamp(height, 1, kMaxMapSide);
    // The empty map's planes hold nothing, but cells an earlier level left
    // beyond it must not come back inside the new one.
    for (int column = 0; column < kPlaneSize; ++column) {
        for (int row = 0; row < kPlaneSize; ++row) {
            setTile(s, column, row, 0);
            setObject(s, column, row, 0);
        }
    }
    const LevelShape after = newLevelShape(width, height);
    recordShapeChange(s.history, shapeOf(s.level), after);
    setShape(s.level, after);
}

} // namespace tessaly
