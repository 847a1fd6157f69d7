// The mouse wheel in the editor: each notch scrolls the map view 3 cells
// (sideways with Shift) or pages the panel under the pointer one row.
#include <gtest/gtest.h>

#include "app/editor_loop.h"
#include "app/map_actions.h"
#include "app/program.h"
#include "app/start_screen.h"
#include "level/profile.h"
#include "tests/support/test_host.h"
#include "views/panels.h"

namespace tessaly {
namespace {

constexpr int kMapX = 200, kMapY = 200;         // inside the map view
constexpr int kTilesX = 500, kTilesY = 100;     // inside the tile panel
constexpr int kObjectsX = 500, kObjectsY = 320; // inside the object panel

struct MouseWheel : ::testing::Test {
    TestHost host;
    std::unique_ptr<Program> program = std::make_unique<Program>(host);
    Editor& e = *program->editor;

    void SetUp() override {
        startUp(*program);
        selectGame(e.profile, "CK1");
        startEditor(*program); // the open dialog cancelled: an empty map
        e.level.width = e.level.height = 100;
        e.viewOriginColumn = e.viewOriginRow = 2;
    }
    // One pass with the wheel turned `notches` since the last, at (x, y).
    void turn(int notches, int x, int y, bool shift = false) {
        host.mouse = {x, y, host.mouse.wheel + notches, 0};
        host.keys[scan::LeftShift] = shift;
        editorPass(*program);
    }
};

TEST_F(MouseWheel, ANotchScrollsTheMapThreeCellsStoppingAtItsEdge) {
    turn(-1, kMapX, kMapY); // towards the user: down
    EXPECT_EQ(e.viewOriginRow, 5);
    turn(-2, kMapX, kMapY, true); // with Shift: right
    EXPECT_EQ(e.viewOriginColumn, 8);
    EXPECT_EQ(e.viewOriginRow, 5);
    turn(3, kMapX, kMapY); // up 9 cells, but the map's first row is 1
    EXPECT_EQ(e.viewOriginRow, 1);
    turn(0, kMapX, kMapY);
    EXPECT_EQ(e.viewOriginRow, 1);
}

TEST_F(MouseWheel, ANotchPagesThePanelUnderThePointerOneRow) {
    const int32_t objects = e.objectPanelStart;
    turn(-2, kTilesX, kTilesY);
    EXPECT_EQ(e.tilePanelStart, 2 * kPanelColumns);
    turn(1, kTilesX, kTilesY);
    EXPECT_EQ(e.tilePanelStart, kPanelColumns);
    turn(1, kObjectsX, kObjectsY);
    EXPECT_EQ(e.objectPanelStart, objects - kPanelColumns);
    EXPECT_EQ(e.tilePanelStart, kPanelColumns);
    // Elsewhere the wheel moves nothing.
    turn(-1, 700, 500);
    EXPECT_EQ(e.viewOriginRow, 2);
    EXPECT_EQ(e.objectPanelStart, objects - kPanelColumns);
}

// A read that cannot see the pointer (all four -1) turns no notches, neither
// in its pass nor in the next.
TEST_F(MouseWheel, AnUnreadablePointerTurnsNothing) {
    host.mouse = {-1, -1, -1, -1};
    editorPass(*program);
    host.mouse = {kMapX, kMapY, 0, 0}; // the count as it was before
    editorPass(*program);
    EXPECT_EQ(e.viewOriginRow, 2);
}

} // namespace
} // namespace tessaly
