// Drawing tiles from the tile sheet.
#include "views/editor.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "tests/views/views_fixture.h"

namespace tessaly::test {
namespace {

class DrawTile : public ViewsTest {};

// Tile numbers come from level files (0..65535) and must never be looked up
// outside the offset table: beyond it, and below 0, they draw tile 0.
TEST_F(DrawTile, NumbersOutsideTheSheetDrawTileZero) {
    for (int64_t n : {int64_t(897), int64_t(2176), int64_t(2177), int64_t(65535), int64_t(-1),
                      int64_t(INT32_MIN), int64_t(LLONG_MAX)}) {
        drawTile(*editor, 5, 100, 100, PutMode::Opaque);
        drawTile(*editor, n, 100, 100, PutMode::Opaque);
        EXPECT_TRUE(showsTile(surface, tiles(), 100, 100, 0)) << n;
    }
    drawTile(*editor, 896, 100, 100, PutMode::Opaque);
    EXPECT_TRUE(showsTile(surface, tiles(), 100, 100, 896));
}

} // namespace
} // namespace tessaly::test
