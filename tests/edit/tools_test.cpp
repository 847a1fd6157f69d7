#include <gtest/gtest.h>

#include <memory>

#include "edit/fills.h"
#include "edit/replace.h"

namespace tessaly::test {
namespace {

// A 6 x 4 Keen 1 level of tiles 1 and 2:   1 1 2 1 1 1   row 1
//                                           1 2 2 2 2 1   row 2
//                                           1 1 2 1 2 1   row 3
//                                           2 1 2 2 2 1   row 4
// and a cell of tile 1 outside the level at (7, 1).
class Tools : public ::testing::Test {
  protected:
    Tools() {
        selectGame(session->profile, "CK1");
        level().width = 6;
        level().height = 4;
        const char* rows[] = {"112111", "122221", "112121", "212221"};
        for (int r = 1; r <= 4; ++r)
            for (int c = 1; c <= 6; ++c) setTileCell(level(), c, r, rows[r - 1][c - 1] - '0');
        setTileCell(level(), 7, 1, 1);
    }
    Level& level() { return session->level; }
    int countTiles(int32_t tile) {
        int n = 0;
        for (int c = 0; c < kPlaneSize; ++c)
            for (int r = 0; r < kPlaneSize; ++r) n += level().tilePlane[c][r] == tile;
        return n;
    }
    std::unique_ptr<EditSession> session = std::make_unique<EditSession>();
};

// 4-connected only: the six 1s at the left, not those at the right nor the
// walled-in (4, 3); nothing outside the level changes; the whole fill is one
// undo step.
TEST_F(Tools, FloodFillTakesTheFourConnectedRegionInsideTheLevel) {
    session->edit.currentTile = 9;
    floodFill(*session, {1, 1});
    EXPECT_EQ(countTiles(9), 6);
    EXPECT_EQ(tileCell(level(), 4, 3), 1);
    EXPECT_EQ(tileCell(level(), 4, 1), 1);
    EXPECT_EQ(tileCell(level(), 7, 1), 1);
    closeStep(session->history);
    undoStep(session->history, level());
    EXPECT_EQ(countTiles(9), 0);

    // With an object picture current the same region gets the object.
    session->edit.currentTile = 858; // Keen, code 255
    floodFill(*session, {3, 2});     // the 2s
    EXPECT_EQ(objectCell(level(), 3, 3), 255);
    EXPECT_EQ(objectCell(level(), 1, 1), 0);
    EXPECT_EQ(tileCell(level(), 3, 3), 2);
    floodFill(*session, {9, 9}); // no level cell
}

TEST_F(Tools, FloodFillOfTheLargestLevelFillsEveryCell) {
    level() = Level{};
    level().width = level().height = kMaxMapSide;
    session->edit.currentTile = 5;
    floodFill(*session, {256, 256});
    EXPECT_EQ(countTiles(5), kMaxMapSide * kMaxMapSide);
}

// The corners in either order; cells past the level's edge stay.
TEST_F(Tools, BlockFillFillsTheCopyBlockInsideTheLevel) {
    session->edit.copyStart = {7, 3};
    session->edit.copyEnd = {5, 1};
    session->edit.currentTile = 8;
    blockFill(*session);
    EXPECT_EQ(countTiles(8), 6); // columns 5..6, rows 1..3
    EXPECT_EQ(tileCell(level(), 7, 1), 1);
}

TEST_F(Tools, ReplaceCountsThenReplacesEveryLevelCellOfTheValue) {
    session->edit.currentTile = 4;
    const std::optional<Replacement> r = replacementAt(*session, {2, 2});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->from, 2);
    EXPECT_EQ(r->to, 4);
    EXPECT_EQ(r->cells, 11);
    replaceEverywhere(*session, *r);
    EXPECT_EQ(countTiles(4), 11);
    EXPECT_EQ(countTiles(2), 0);
    // The value under the pointer is already the current one: nothing to do.
    EXPECT_FALSE(replacementAt(*session, {2, 2}));
    EXPECT_FALSE(replacementAt(*session, {7, 1})); // no level cell

    setObjectCell(level(), 1, 1, 1);
    setObjectCell(level(), 6, 4, 1);
    session->edit.currentTile = 860; // "Green Two Eye", code 2
    const std::optional<Replacement> objects = replacementAt(*session, {6, 4});
    ASSERT_TRUE(objects);
    EXPECT_EQ(objects->plane, PlaneKind::Object);
    EXPECT_EQ(objects->cells, 2);
    replaceEverywhere(*session, *objects);
    EXPECT_EQ(objectCell(level(), 1, 1), 2);
}

} // namespace
} // namespace tessaly::test
