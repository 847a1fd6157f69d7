// Comparing a picture of the editor's whole level with the map view, cell by cell.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "views/editor.h"
#include "views/map_view.h"

namespace tessaly::test {

// Whether pixel (x, y) of the picture, 16 pixels a cell, is what the map view
// shows of every cell of the level. The view is moved so that each cell lies
// among its inner cells 5..14, which every overlay that can reach them from
// the cells round them reaches there too, and no part of the frame covers.
inline ::testing::AssertionResult
showsEveryCellAsTheMapView(Editor& editor, const std::function<uint8_t(int x, int y)>& picture) {
    const int columns = editor.level.width, rows = editor.level.height;
    for (int originRow = -4; originRow <= rows; originRow += 10) {
        for (int originColumn = -4; originColumn <= columns; originColumn += 10) {
            editor.viewOriginColumn = originColumn;
            editor.viewOriginRow = originRow;
            redrawMapView(editor);
            for (int j = 5; j < 15; ++j)
                for (int i = 5; i < 15; ++i) {
                    const int c = originColumn + i, r = originRow + j;
                    if (c < 1 || c > columns || r < 1 || r > rows) continue;
                    for (int y = 0; y < 16; ++y)
                        for (int x = 0; x < 16; ++x) {
                            const uint8_t shown =
                                pixelAt(editor.surface, editor.surface.workPage,
                                        kMapCellsLeft + 16 * i + x, kMapCellsTop + 16 * j + y);
                            const uint8_t drawn = picture(16 * (c - 1) + x, 16 * (r - 1) + y);
                            if (shown != drawn)
                                return ::testing::AssertionFailure()
                                       << "cell " << c << "," << r << " pixel " << x << "," << y
                                       << ": the picture has " << int(drawn) << ", the map view "
                                       << int(shown);
                        }
                }
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace tessaly::test
