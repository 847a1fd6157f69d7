#include "level/level.h"

namespace tessaly {

namespace {

bool insidePlanes(int column, int row) {
    return column >= 0 && column < kPlaneSize && row >= 0 && row < kPlaneSize;
}

} // namespace

LevelShape shapeOf(const Level& level) {
    return {level.width,        level.height,      level.keptHeader,
            level.paddingWords, level.tilePadding, level.objectPadding};
}

void setShape(Level& level, const LevelShape& shape) {
    level.width = shape.width;
    level.height = shape.height;
    level.keptHeader = shape.keptHeader;
    level.paddingWords = shape.paddingWords;
    level.tilePadding = shape.tilePadding;
    level.objectPadding = shape.objectPadding;
}

void setTileCell(Level& level, int column, int row, int32_t value) {
    if (insidePlanes(column, row)) level.tilePlane[column][row] = value;
}

void setObjectCell(Level& level, int column, int row, int32_t value) {
    if (insidePlanes(column, row)) level.objectPlane[column][row] = value;
}

int32_t tileCell(const Level& level, int column, int row) {
    return insidePlanes(column, row) ? level.tilePlane[column][row] : 0;
}

int32_t objectCell(const Level& level, int column, int row) {
    return insidePlanes(column, row) ? level.objectPlane[column][row] : 0;
}

} // namespace tessaly
