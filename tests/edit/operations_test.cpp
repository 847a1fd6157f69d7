#include "edit/operations.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace tessaly::test {
namespace {

// An editing session of Dangerous Dave 2 over an empty level.
class Editing : public ::testing::Test {
  protected:
    Editing() { selectGame(session.profile, "DD2"); }

    Level& level() { return session.level; }
    EditState& edit() { return session.edit; }
    GameProfile& profile() { return session.profile; }

    void paint(int column, int row) { paintCell(session, {column, row}); }
    void pick(int column, int row) { pickFromMap(session, {column, row}); }
    void link(int column, int row) { linkDoor(session, {column, row}); }
    void copyCorners(Cell start, Cell end) {
        setCopyStart(session, start);
        setCopyEnd(session, end);
    }
    void paste(int column, int row) { pasteBlock(session, Cell{column, row}); }
    // Tile plane cell (c, r) holds 1000 c + r, so every copied cell is recognisable.
    void numberTiles() {
        for (int c = 0; c < kPlaneSize; ++c)
            for (int r = 0; r < kPlaneSize; ++r) level().tilePlane[c][r] = 1000 * c + r;
    }

    EditSession session;
};

TEST_F(Editing, PaintingAMapTileLeavesTheObject) {
    setObjectCell(level(), 6, 7, 5);
    edit().currentTile = 857; // the last map tile of this game
    paint(6, 7);
    EXPECT_EQ(tileCell(level(), 6, 7), 857);
    EXPECT_EQ(objectCell(level(), 6, 7), 5);

    // An entry whose picture is a map tile number is never painted as an
    // object: the number goes into the tile plane.
    edit().currentTile = 157; // "Free", code 8
    paint(6, 7);
    EXPECT_EQ(tileCell(level(), 6, 7), 157);
    EXPECT_EQ(objectCell(level(), 6, 7), 5);
}

TEST_F(Editing, PaintingAnObjectPictureStoresTheLastMatchingCodeAndLeavesTheTile) {
    setTileCell(level(), 6, 7, 33);
    edit().currentTile = 860; // "Knife GrandMa", code 2
    paint(6, 7);
    EXPECT_EQ(objectCell(level(), 6, 7), 2);
    EXPECT_EQ(tileCell(level(), 6, 7), 33);
    edit().currentTile = 870; // a picture no entry uses
    paint(6, 7);
    EXPECT_EQ(objectCell(level(), 6, 7), 2);
    EXPECT_EQ(tileCell(level(), 6, 7), 33);

    edit().currentTile = 877; // "Free", code 0: erases
    paint(6, 7);
    EXPECT_EQ(objectCell(level(), 6, 7), 0);
    EXPECT_EQ(tileCell(level(), 6, 7), 33);

    // Two entries share picture 875: the later entry's code wins.
    selectGame(profile(), "CK3");
    edit().currentTile = 875;
    paint(6, 7);
    EXPECT_EQ(objectCell(level(), 6, 7), 17);
}

TEST_F(Editing, PickingFromTheMapSelectsDoorsFromValue256Up) {
    selectGame(profile(), "CK1"); // links count from 1
    setTileCell(level(), 40, 5, 44);
    setObjectCell(level(), 40, 5, 775);
    pick(40, 5);
    EXPECT_EQ(edit().currentTile, 44);
    EXPECT_EQ(edit().editCell, (Cell{40, 5}));
    EXPECT_EQ(edit().selectedDoor, (Cell{40, 5}));
    EXPECT_EQ(edit().doorExit, (Cell{3, 7}));

    // 255 and 0 are no doors: the door and its exit stay.
    setTileCell(level(), 8, 9, 55);
    setObjectCell(level(), 8, 9, 255);
    pick(8, 9);
    EXPECT_EQ(edit().currentTile, 55);
    EXPECT_EQ(edit().editCell, (Cell{8, 9}));
    EXPECT_EQ(edit().selectedDoor, (Cell{40, 5}));
    EXPECT_EQ(edit().doorExit, (Cell{3, 7}));
    pick(2, 2);
    EXPECT_EQ(edit().currentTile, 0);
    EXPECT_EQ(edit().editCell, (Cell{2, 2}));
    EXPECT_EQ(edit().selectedDoor, (Cell{40, 5}));

    // A catalogue door code of 32768 reads as a link to (128, 0).
    setObjectCell(level(), 12, 3, 32768);
    pick(12, 3);
    EXPECT_EQ(edit().selectedDoor, (Cell{12, 3}));
    EXPECT_EQ(edit().doorExit, (Cell{128, 0}));
}

TEST_F(Editing, LinkingStoresTheDestinationInTheSelectedDoor) {
    selectGame(profile(), "CK1"); // links count from 1
    setObjectCell(level(), 40, 5, 775);
    pick(40, 5);
    link(12, 9);
    EXPECT_EQ(objectCell(level(), 40, 5), 3081);
    EXPECT_EQ(edit().doorExit, (Cell{12, 9}));
    EXPECT_EQ(edit().selectedDoor, (Cell{40, 5}));
    EXPECT_EQ(objectCell(level(), 12, 9), 0);

    link(255, 255); // the largest link a level file holds
    EXPECT_EQ(objectCell(level(), 40, 5), 65535);
    EXPECT_EQ(edit().doorExit, (Cell{255, 255}));
}

// Safe: column x 256 + row names a cell only while both are at most 255.
TEST_F(Editing, LinkingToColumnOrRow256DoesNothing) {
    selectGame(profile(), "CK1"); // links count from 1
    setObjectCell(level(), 40, 5, 775);
    pick(40, 5);
    for (auto [column, row] : {std::pair{256, 9}, {12, 256}, {256, 256}}) {
        link(column, row);
        EXPECT_EQ(objectCell(level(), 40, 5), 775) << column << ", " << row;
        EXPECT_EQ(edit().doorExit, (Cell{3, 7}));
    }
}

// Dangerous Dave 2 counts its links from 0, as its real levels show: the
// doors at (11, 7) and (7, 52) link each other as 0x0633 and 0x0A06. A link
// to column 1 would be stored below 256, an object: it links nothing.
TEST_F(Editing, DangerousDave2LinksCountFromZero) {
    setObjectCell(level(), 11, 7, 0x0633);
    pick(11, 7);
    EXPECT_EQ(edit().doorExit, (Cell{7, 52}));
    EXPECT_EQ(linkDoor(session, {9, 9}), LinkProblem::None);
    EXPECT_EQ(objectCell(level(), 11, 7), 8 * 256 + 8);
    EXPECT_EQ(linkDoor(session, {7, 52}), LinkProblem::None);
    EXPECT_EQ(objectCell(level(), 11, 7), 0x0633);
    EXPECT_EQ(edit().doorExit, (Cell{7, 52}));
    EXPECT_EQ(linkDoor(session, {1, 30}), LinkProblem::ReadsAsObject);
    EXPECT_EQ(objectCell(level(), 11, 7), 0x0633);
    EXPECT_EQ(linkDoor(session, {256, 256}), LinkProblem::None);
    EXPECT_EQ(objectCell(level(), 11, 7), 65535);
}

// Kept: before any door is selected the link goes to cell (0, 0), outside
// every map.
TEST_F(Editing, LinkingWithNoDoorSelectedWritesOnlyCellZero) {
    selectGame(profile(), "CK1"); // links count from 1
    link(3, 4);
    EXPECT_EQ(level().objectPlane[0][0], 3 * 256 + 4);
    Level fresh;
    level().objectPlane[0][0] = 0;
    EXPECT_EQ(level().objectPlane, fresh.objectPlane);
}

TEST_F(Editing, CopyAndPasteABlockOfThreeByTwo) {
    numberTiles();
    setObjectCell(level(), 5, 5, 9);
    copyCorners({5, 5}, {7, 6});
    copyBlock(session);
    EXPECT_EQ(edit().copySize, (std::array<int32_t, 2>{3, 2}));

    const Plane before = level().tilePlane;
    paste(10, 10);
    EXPECT_EQ(edit().editCell, (Cell{10, 10}));
    Plane expected = before;
    for (int dx = 0; dx < 3; ++dx)
        for (int dy = 0; dy < 2; ++dy) expected[10 + dx][10 + dy] = 1000 * (5 + dx) + 5 + dy;
    EXPECT_EQ(level().tilePlane, expected);
    EXPECT_EQ(objectCell(level(), 10, 10), 0); // objects stay behind
}

// A corner left of (or above) the other gives a single column (or row);
// the copy size is what the buffer holds.
TEST_F(Editing, CopyInEveryDirection) {
    numberTiles();
    struct Case {
        Cell start, end;
        int columns, rows;
    };
    for (const Case& c :
         {Case{{5, 5}, {7, 7}, 3, 3}, Case{{8, 5}, {6, 7}, 1, 3}, Case{{5, 8}, {7, 6}, 3, 1},
          Case{{8, 8}, {6, 6}, 1, 1}, Case{{5, 5}, {5, 5}, 1, 1}}) {
        edit().copyBuffer = {};
        level().tilePlane[30][30] = -1; // marks the paste area's far corner
        copyCorners(c.start, c.end);
        copyBlock(session);
        EXPECT_EQ(edit().copySize, (std::array<int32_t, 2>{c.columns, c.rows}));
        for (int dx = 0; dx < 4; ++dx)
            for (int dy = 0; dy < 4; ++dy) {
                const int32_t want = dx < c.columns && dy < c.rows
                                         ? 1000 * (c.start.column + dx) + c.start.row + dy
                                         : 0;
                ASSERT_EQ(edit().copyBuffer[dx][dy], want) << dx << ", " << dy;
            }

        const Plane before = level().tilePlane;
        paste(20, 20);
        Plane expected = before;
        for (int dx = 0; dx < c.columns; ++dx)
            for (int dy = 0; dy < c.rows; ++dy)
                expected[20 + dx][20 + dy] = edit().copyBuffer[dx][dy];
        EXPECT_EQ(level().tilePlane, expected);
        numberTiles();
    }
}

// The pasted size comes from the corners as they are now; cells beyond the
// copied block come from older buffer contents.
TEST_F(Editing, MovingACornerAfterTheCopyChangesThePasteSize) {
    numberTiles();
    copyCorners({5, 5}, {7, 7});
    copyBlock(session); // 3 x 3
    copyCorners({20, 20}, {21, 21});
    copyBlock(session); // 2 x 2 over the first block's corner
    copyCorners({20, 20}, {22, 22});
    EXPECT_EQ(edit().copySize, (std::array<int32_t, 2>{2, 2}));

    paste(40, 40);
    for (int dx = 0; dx < 3; ++dx)
        for (int dy = 0; dy < 3; ++dy) {
            const int32_t want =
                dx < 2 && dy < 2 ? 1000 * (20 + dx) + 20 + dy : 1000 * (5 + dx) + 5 + dy;
            EXPECT_EQ(tileCell(level(), 40 + dx, 40 + dy), want) << dx << ", " << dy;
        }
    EXPECT_EQ(tileCell(level(), 43, 40), 43040);
    EXPECT_EQ(tileCell(level(), 40, 43), 40043);
}

TEST_F(Editing, PasteWithNoCellHitPastesAtThePreviousEditCell) {
    numberTiles();
    copyCorners({5, 5}, {6, 6});
    copyBlock(session);
    pick(30, 40);
    pasteBlock(session, std::nullopt); // the pointer on no cell
    EXPECT_EQ(edit().editCell, (Cell{30, 40}));
    EXPECT_EQ(tileCell(level(), 30, 40), 5005);
    EXPECT_EQ(tileCell(level(), 31, 41), 6006);
}

// Safe: a paste near the planes' edge leaves out every cell beyond index
// 256 and writes nothing outside the planes.
TEST_F(Editing, PastePastThePlaneEdgeLeavesOutTheCellsBeyond) {
    numberTiles();
    copyCorners({1, 1}, {256, 256});
    copyBlock(session);
    EXPECT_EQ(edit().copySize, (std::array<int32_t, 2>{256, 256}));

    const Plane tilesBefore = level().tilePlane;
    const Plane objectsBefore = level().objectPlane;
    paste(250, 240);
    Plane expected = tilesBefore;
    for (int c = 250; c <= 256; ++c)
        for (int r = 240; r <= 256; ++r) expected[c][r] = 1000 * (c - 249) + r - 239;
    EXPECT_EQ(level().tilePlane, expected);
    EXPECT_EQ(level().objectPlane, objectsBefore);
}

// An origin left over from a larger level can show cells beyond the planes:
// every operation there reads 0 and writes nothing.
TEST_F(Editing, CellsBeyondThePlanesAreReadAsZeroAndNeverWritten) {
    numberTiles();
    const Plane tilesBefore = level().tilePlane;
    setObjectCell(level(), 250, 250, 300);
    pick(250, 250);
    ASSERT_EQ(edit().selectedDoor, (Cell{250, 250}));
    edit().currentTile = 5;
    paint(260, 260);
    edit().currentTile = 860;
    paint(260, 260);
    pick(260, 260);
    EXPECT_EQ(edit().currentTile, 0);
    link(260, 260);
    EXPECT_EQ(objectCell(level(), 250, 250), 300);
    copyCorners({255, 255}, {269, 269});
    copyBlock(session);
    EXPECT_EQ(edit().copySize, (std::array<int32_t, 2>{15, 15}));
    EXPECT_EQ(edit().copyBuffer[0][0], 255255);
    EXPECT_EQ(edit().copyBuffer[1][1], 256256);
    EXPECT_EQ(edit().copyBuffer[2][1], 0);
    paste(260, 260);
    EXPECT_EQ(level().tilePlane, tilesBefore);
}

// A pick from the object panel paints an object whatever its number: Dave
// 2's entry 9 has picture 157, below the tile count.
TEST_F(Editing, AnObjectPanelPickPlacesAnObjectBelowTheTileCount) {
    pickImage(session, 157, true);
    paint(3, 4);
    EXPECT_EQ(objectCell(level(), 3, 4), 8);
    EXPECT_EQ(tileCell(level(), 3, 4), 0);
    pickImage(session, 157, false);
    paint(3, 4);
    EXPECT_EQ(tileCell(level(), 3, 4), 157);
}

// A drag's line: every cell between two cells of a stroke, both ends left out.
TEST_F(Editing, PaintingBetweenTwoCellsFillsTheLineBetween) {
    edit().currentTile = 9;
    paintBetween(session, {2, 3}, {8, 6});
    int painted = 0;
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 7; ++r) painted += tileCell(level(), c, r) == 9;
    EXPECT_EQ(painted, 5); // columns 3..7, one cell each
    EXPECT_EQ(tileCell(level(), 2, 3), 0);
    EXPECT_EQ(tileCell(level(), 8, 6), 0);
    EXPECT_EQ(tileCell(level(), 5, 4) + tileCell(level(), 5, 5), 9);
    paintBetween(session, {4, 4}, {4, 4}); // the same cell: nothing between
}

} // namespace
} // namespace tessaly::test
