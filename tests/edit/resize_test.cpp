#include <gtest/gtest.h>

#include <memory>

#include "edit/resize.h"
#include "level/door_link.h"
#include "level/level_file.h"

namespace tessaly::test {
namespace {

// A Keen 1 level of 4 x 3 whose tile (c, r) is 10 c + r, read from a file
// whose header declares the games' plane layout.
class Resize : public ::testing::Test {
  protected:
    Resize() {
        selectGame(session->profile, "CK1");
        session->level.keptHeader[4] = 4;
        session->level.keptHeader[6] = 3;
        session->level.keptHeader[8] = 2;
        session->level.keptHeader[18] = 32; // 24 bytes a plane, rounded up
        session->level.width = 4;
        session->level.height = 3;
        session->level.paddingWords = paddingWordsFor(session->level);
        for (int c = 1; c <= 4; ++c)
            for (int r = 1; r <= 3; ++r) setTileCell(level(), c, r, 10 * c + r);
    }
    Level& level() { return session->level; }
    std::unique_ptr<EditSession> session = std::make_unique<EditSession>();
};

TEST_F(Resize, EveryAnchorKeepsItsPartInPlace) {
    for (int a = 0; a < 9; ++a) {
        auto s = std::make_unique<EditSession>(*session);
        resizeLevel(*s, 6, 5, Anchor(a));
        const int dx = a % 3, dy = a / 3; // half of the 2 more columns and rows, or all
        EXPECT_EQ(tileCell(s->level, 1 + dx, 1 + dy), 11) << "anchor " << a;
        EXPECT_EQ(tileCell(s->level, 4 + dx, 3 + dy), 43) << "anchor " << a;
    }
    EXPECT_EQ(resizeLoss(*session, 2, 2, Anchor::SE).cells, 8);
    resizeLevel(*session, 2, 2, Anchor::SE);
    EXPECT_EQ(tileCell(level(), 1, 1), 32);
    EXPECT_EQ(tileCell(level(), 2, 2), 43);
    EXPECT_EQ(tileCell(level(), 3, 3), 0);
    EXPECT_EQ(tileCell(level(), 4, 3), 0); // nothing is left beyond the level
}

// The size goes into the header and the plane layout: 6 x 5 is 60 bytes a
// plane, 64 with its 2 padding words; one undo puts back every cell and the
// old size, header and padding.
TEST_F(Resize, TheHeaderFollowsAndOneUndoPutsEverythingBack) {
    const auto before = std::make_unique<Level>(level());
    resizeLevel(*session, 6, 5, Anchor::C);
    EXPECT_EQ(level().keptHeader[4], 6);
    EXPECT_EQ(level().keptHeader[6], 5);
    EXPECT_EQ(level().keptHeader[18], 64);
    EXPECT_EQ(level().paddingWords, 2);
    closeStep(session->history);
    ASSERT_TRUE(undoStep(session->history, level()));
    EXPECT_EQ(shapeOf(level()), shapeOf(*before));
    EXPECT_EQ(level().tilePlane, before->tilePlane);
    ASSERT_TRUE(redoStep(session->history, level()));
    EXPECT_EQ(level().width, 6);
}

// Dangerous Dave 2 follows door links: they move with their destinations;
// one whose destination is dropped becomes 0.
TEST_F(Resize, DoorLinksMoveWithTheirDestinations) {
    selectGame(session->profile, "DD2");
    level().width = level().height = 10;
    setObjectCell(level(), 5, 5, encodeDoorLink({8, 8}, LinkCounting::FromZero).value());
    session->edit.selectedDoor = {5, 5};
    resizeLevel(*session, 12, 12, Anchor::SE);
    EXPECT_EQ(objectCell(level(), 7, 7), encodeDoorLink({10, 10}, LinkCounting::FromZero));
    EXPECT_EQ(resizeLoss(*session, 8, 8, Anchor::NW).links, 1);
    resizeLevel(*session, 8, 8, Anchor::NW);
    EXPECT_EQ(objectCell(level(), 7, 7), 0);
    EXPECT_EQ(session->edit.selectedDoor, (Cell{5, 5}));
}

} // namespace
} // namespace tessaly::test
