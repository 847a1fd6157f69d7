#include "edit/fills.h"

#include <algorithm>
#include <vector>

namespace tessaly {

namespace {

bool isLevelCell(const Level& level, Cell c) {
    return c.column >= 1 && c.column <= level.width && c.row >= 1 && c.row <= level.height;
}

} // namespace

// A depth-first walk with its own stack of cells, marking each cell when it
// is first pushed, so every cell is looked at once and the call stack stays
// flat whatever the region's shape.
void floodFill(EditSession& s, Cell start) {
    const std::optional<PaintValue> paint = paintValue(s);
    if (!paint || !isLevelCell(s.level, start)) return;
    const int32_t tile = tileCell(s.level, start.column, start.row);
    std::vector<uint8_t> seen(std::size_t(kPlaneSize) * kPlaneSize, 0);
    auto mark = [&](Cell c) { seen[std::size_t(c.column) * kPlaneSize + std::size_t(c.row)] = 1; };
    auto wanted = [&](Cell c) {
        return isLevelCell(s.level, c) &&
               !seen[std::size_t(c.column) * kPlaneSize + std::size_t(c.row)] &&
               tileCell(s.level, c.column, c.row) == tile;
    };
    std::vector<Cell> stack{start};
    mark(start);
    std::vector<Cell> region;
    while (!stack.empty()) {
        const Cell c = stack.back();
        stack.pop_back();
        region.push_back(c);
        for (const Cell next : {Cell{c.column + 1, c.row}, Cell{c.column - 1, c.row},
                                Cell{c.column, c.row + 1}, Cell{c.column, c.row - 1}}) {
            if (!wanted(next)) continue;
            mark(next);
            stack.push_back(next);
        }
    }
    // Painted only once the region is known: painting a tile while walking
    // would change what the walk compares.
    for (const Cell c : region) setCellValue(s, paint->plane, c, paint->value);
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
