#include "edit/replace.h"

namespace tessaly {

std::optional<Replacement> replacementAt(const EditSession& s, Cell cell) {
    const Level& level = s.level;
    const std::optional<PaintValue> paint = paintValue(s);
    if (!paint || cell.column < 1 || cell.column > level.width || cell.row < 1 ||
        cell.row > level.height)
        return std::nullopt;
    Replacement r{paint->plane, cellValue(level, paint->plane, cell), paint->value, 0};
    if (r.from == r.to) return std::nullopt;
    for (int column = 1; column <= level.width; ++column)
        for (int row = 1; row <= level.height; ++row)
            r.cells += cellValue(level, r.plane, {column, row}) == r.from;
    return r;
}

void replaceEverywhere(EditSession& s, const Replacement& r) {
    for (int column = 1; column <= s.level.width; ++column)
        for (int row = 1; row <= s.level.height; ++row)
            if (cellValue(s.level, r.plane, {column, row}) == r.from)
                setCellValue(s, r.plane, {column, row}, r.to);
}

} // namespace tessaly
