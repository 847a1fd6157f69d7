#include "edit/fills.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace tessaly {

namespace {

bool isLevelCell(const Level& level, Cell c) {
    return c.column >= 1 && c.column <= level.width && c.row >= 1 && c.row <= level.height;
}

} // namespace

// A walk with its own stack of cells, marking each cell when it is first
// pushed, so every cell is looked at once and the call stack stays flat
// whatever the region's shape. A cell is painted when it is taken from the
// stack: the walk compares only cells not yet marked, which still hold what
// they held before the fill.
void floodFill(EditSession& s, Cell start) {
    const std::optional<PaintValue> paint = paintValue(s);
    const Level& level = s.level;
    if (!paint || !isLevelCell(level, start)) return;
    const int32_t tile = level.tilePlane[std::size_t(start.column)][std::size_t(start.row)];
    std::vector<uint8_t> seen(std::size_t(kPlaneSize) * kPlaneSize, 0);
    auto take = [&](int column, int row) {
        return column >= 1 && column <= level.width && row >= 1 && row <= level.height &&
               level.tilePlane[std::size_t(column)][std::size_t(row)] == tile &&
               !std::exchange(seen[std::size_t(column) * kPlaneSize + std::size_t(row)], 1);
    };
    std::vector<Cell> stack;
    stack.reserve(1024);
    take(start.column, start.row);
    stack.push_back(start);
    while (!stack.empty()) {
        const Cell c = stack.back();
        stack.pop_back();
        setCellValue(s, paint->plane, c, paint->value);
        if (take(c.column + 1, c.row)) stack.push_back({c.column + 1, c.row});
        if (take(c.column - 1, c.row)) stack.push_back({c.column - 1, c.row});
        if (take(c.column, c.row + 1)) stack.push_back({c.column, c.row + 1});
        if (take(c.column, c.row - 1)) stack.push_back({c.column, c.row - 1});
    }
}

void blockFill(EditSession& s) {
    const std::optional<PaintValue> paint = paintValue(s);
    if (!paint) return;
    const EditState& e = s.edit;
    const int first = std::max(std::min(e.copyStart.column, e.copyEnd.column), 1);
    const int last = std::min(std::max(e.copyStart.column, e.copyEnd.column), s.level.width);
    const int top = std::max(std::min(e.copyStart.row, e.copyEnd.row), 1);
    const int bottom = std::min(std::max(e.copyStart.row, e.copyEnd.row), s.level.height);
    for (int row = top; row <= bottom; ++row)
        for (int column = first; column <= last; ++column)
            setCellValue(s, paint->plane, {column, row}, paint->value);
}

} // namespace tessaly
