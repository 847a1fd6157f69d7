#include "views/map_view.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/views/views_fixture.h"

namespace tessaly::test {
namespace {

class MapView : public ViewsTest {
  protected:
    void catalogue(std::initializer_list<std::tuple<int32_t, int32_t, std::string>> entries) {
        setCatalogue(profile(), entries);
    }

    // The object value of the level cell that view cell (i, j) shows at origin (1, 1).
    void object(int i, int j, int32_t value) { setObjectCell(level(), 1 + i, 1 + j, value); }

    // Whether view cell (i, j) shows its tile and nothing over it.
    ::testing::AssertionResult plainCell(int i, int j) {
        return showsTile(
            surface, tiles(), cellX(i), cellY(j),
            tileCell(level(), editor->viewOriginColumn + i, editor->viewOriginRow + j));
    }

    void expectFrame() {
        const GameProfile& p = profile();
        EXPECT_TRUE(showsTile(surface, tiles(), 10, 10, p.frameTopLeft));
        EXPECT_TRUE(showsTile(surface, tiles(), 346, 10, p.frameTopRight));
        EXPECT_TRUE(showsTile(surface, tiles(), 10, 346, p.frameBottomLeft));
        EXPECT_TRUE(showsTile(surface, tiles(), 346, 346, p.frameBottomRight));
        for (int d = 0; d < 320; d += 16) {
            EXPECT_TRUE(showsTile(surface, tiles(), 26 + d, 10, p.frameTop)) << d;
            EXPECT_TRUE(showsTile(surface, tiles(), 26 + d, 346, p.frameBottom)) << d;
            EXPECT_TRUE(showsTile(surface, tiles(), 10, 26 + d, p.frameLeft)) << d;
            EXPECT_TRUE(showsTile(surface, tiles(), 346, 26 + d, p.frameRight)) << d;
        }
    }
};

TEST_F(MapView, ShowsTheLevelFromTheViewOriginOverWhateverWasThere) {
    for (int c = 0; c < kPlaneSize; ++c)
        for (int r = 0; r < kPlaneSize; ++r) setTileCell(level(), c, r, 1 + (7 * c + 3 * r) % 850);
    fillBox(surface, 0, 0, 399, 399, 250);

    redrawMapView(*editor);

    // View cell (0, 0) shows level cell (1, 1), view cell (19, 19) shows (20, 20).
    EXPECT_TRUE(showsTile(surface, tiles(), 26, 26, tileCell(level(), 1, 1)));
    EXPECT_TRUE(showsTile(surface, tiles(), 330, 330, tileCell(level(), 20, 20)));
    // Every cell shows just its tile: a fresh editing state puts no door exit
    // or copy marker in view, as (0, 0) is no view cell.
    for (int j = 0; j < 20; ++j)
        for (int i = 0; i < 20; ++i) ASSERT_TRUE(plainCell(i, j)) << i << ", " << j;
    expectFrame();

    editor->viewOriginColumn = 5;
    editor->viewOriginRow = 3;
    redrawMapView(*editor);
    EXPECT_TRUE(showsTile(surface, tiles(), 26, 26, tileCell(level(), 5, 3)));
    EXPECT_TRUE(showsTile(surface, tiles(), 330, 330, tileCell(level(), 24, 22)));
}

// Level files may hold any tile number up to 65535, and an origin left over
// from a larger level may show cells beyond the planes: both draw tile 0.
TEST_F(MapView, TileNumbersAndCellsOutsideTheSheetOrPlanesDrawTileZero) {
    setTileCell(level(), 2, 1, 65535);
    setTileCell(level(), 3, 1, 2177);
    setTileCell(level(), 4, 1, -7);
    setTileCell(level(), 5, 1, 900);
    redrawMapView(*editor);
    for (int i = 1; i <= 4; ++i) EXPECT_TRUE(showsTile(surface, tiles(), cellX(i), 26, 0)) << i;

    setTileCell(level(), 256, 256, 33);
    editor->viewOriginColumn = 250;
    editor->viewOriginRow = 250;
    redrawMapView(*editor);
    EXPECT_TRUE(showsTile(surface, tiles(), cellX(6), cellY(6), 33));
    EXPECT_TRUE(showsTile(surface, tiles(), cellX(7), cellY(6), 0));
    EXPECT_TRUE(showsTile(surface, tiles(), cellX(19), cellY(19), 0));
}

TEST_F(MapView, ObjectShowsPictureLabelAndTwoBoxes) {
    setSparseTile(tiles(), 900, 6, 6, 210);
    catalogue({{5, 900, "AB"}});
    object(5, 5, 5);
    redrawMapView(*editor);

    const int cx = cellX(5), cy = cellY(5);
    EXPECT_EQ(pixel(cx + 6, cy + 6), 210);                         // picture
    EXPECT_EQ(pixel(cx + 5, cy + 6), tilePixel(tiles(), 0, 5, 6)); // transparent around it
    for (auto [x, y] : {std::pair{0, 0}, {17, 0}, {0, 17}, {17, 17}, {9, 0}, {0, 9}, {17, 9}})
        EXPECT_EQ(pixel(cx + x, cy + y), 71) << x << ", " << y;
    for (auto [x, y] : {std::pair{1, 1}, {16, 1}, {1, 16}, {16, 16}, {9, 1}, {1, 9}, {9, 16}})
        EXPECT_EQ(pixel(cx + x, cy + y), 72) << x << ", " << y;
    EXPECT_EQ(pixel(cx + 2, cy + 2), tilePixel(tiles(), 0, 2, 2));

    // The label's pen is at (cx + 1 - 2 x 2, cy - 11).
    const TextStart expected = textStart("AB", 1);
    ASSERT_LT(expected.dx, INT_MAX) << "the font draws nothing for AB";
    const TextStart found = colourExtent(surface, cx - 40, cy - 20, cx + 40, cy - 1, 71, 75);
    EXPECT_EQ(found.dx, cx + 1 - 4 + expected.dx);
    EXPECT_EQ(found.dy, cy - 11 + expected.dy);

    EXPECT_EQ(text.scale, 1);
    EXPECT_EQ(text.colours, (ColourScheme{71, 72, 73, 74, 75}));
}

// Labels start 11 pixels above their cell: in the top row they land in the
// frame band, which is drawn last; in other rows they lie over the row above,
// drawn after that row's overlays. Labels are not clipped, so a long label in
// the left column reaches past the frame.
TEST_F(MapView, FrameCoversTopRowLabelsWhileOtherLabelsLieOverTheRowAbove) {
    setTileImage(tiles(), 901, [](int, int) { return uint8_t(211); }); // a picture filling its cell
    catalogue({{5, 0, "Label over the row above"}, {6, 901, ""}});
    for (int i = 0; i < 20; ++i) object(i, 0, 5);  // labels in the frame band
    for (int j = 1; j < 20; ++j) object(19, j, 5); // boxes reaching into the right frame band
    for (int i = 0; i < 19; ++i) object(i, 19, 5); // and into the bottom band
    for (int i = 4; i <= 12; ++i) object(i, 7, 6); // opaque pictures in row 7
    object(8, 8, 5);                               // labelled, in row 8
    redrawMapView(*editor);

    expectFrame();

    // The first square of the label in row 8 lies over row 7's pictures.
    const std::string label = "Label over the row above";
    const int penX = cellX(8) + 1 - 2 * int(label.size()), penY = cellY(8) - 11;
    const GlyphCell first = firstDrawnCell(label[0], ColourScheme{71, 72, 73, 74, 75});
    ASSERT_GE(penX + 1 + first.column, cellX(4) + 2);
    ASSERT_GE(penY + 1 + first.row, cellY(7) + 2);
    EXPECT_EQ(pixel(penX + 1 + first.column, penY + 1 + first.row), first.colour);

    // The top-left label reaches left of the frame and stays there.
    EXPECT_LT(colourExtent(surface, 0, 16, 9, 24, 71, 75).dx, 10);
}

TEST_F(MapView, ValueWithoutEntryShowsOnlyItsTileAndZeroShowsNothing) {
    setSparseTile(tiles(), 900, 6, 6, 210);
    catalogue({{0, 900, "Eraser"}, {7, 900, "Seven"}});
    object(3, 3, 200); // no entry
    object(4, 4, 0);   // value 0 draws nothing, though an entry has code 0
    object(5, 5, 255); // no entry, below the door links
    redrawMapView(*editor);
    for (int j = 0; j < 20; ++j)
        for (int i = 0; i < 20; ++i) ASSERT_TRUE(plainCell(i, j)) << i << ", " << j;
}

TEST_F(MapView, DoorLinkMarkerShowsForValues256To32767) {
    catalogue({});
    const std::pair<int32_t, bool> cases[] = {{255, false},  {256, true},    {3081, true},
                                              {32767, true}, {32768, false}, {65535, false},
                                              {-1, false}};
    int i = 0;
    for (auto [value, marked] : cases) object(i++, 2, value);
    redrawMapView(*editor);
    i = 0;
    for (auto [value, marked] : cases) {
        const int cx = cellX(i), cy = cellY(2);
        if (marked) {
            EXPECT_EQ(pixel(cx + 10, cy + 10), kLinkMarkerColour) << value;
            EXPECT_EQ(pixel(cx + 9, cy + 10), tilePixel(tiles(), 0, 9, 10)) << value;
        } else {
            EXPECT_TRUE(plainCell(i, 2)) << value;
        }
        ++i;
    }
}

TEST_F(MapView, SharedCodesDrawEveryEntryAndADoorCodeAlsoGetsTheLinkMarker) {
    setTileImage(tiles(), 900, [](int x, int y) {
        return x == 6 && y == 6 ? 210 : x == 9 && y == 2 ? 214 : 0;
    });
    setSparseTile(tiles(), 901, 6, 6, 211);
    catalogue({{9, 900, "First"}, {9, 901, "Second"}, {257, 900, "EXIT LEVEL DOOR"}});
    object(2, 2, 9);
    object(6, 6, 257);
    redrawMapView(*editor);

    EXPECT_EQ(pixel(cellX(2) + 9, cellY(2) + 2), 214); // the first entry's picture
    EXPECT_EQ(pixel(cellX(2) + 6, cellY(2) + 6), 211); // the later entry on top

    const int cx = cellX(6), cy = cellY(6);
    EXPECT_EQ(pixel(cx + 6, cy + 6), 210);
    EXPECT_EQ(pixel(cx + 10, cy + 10), kLinkMarkerColour);
    EXPECT_EQ(pixel(cx, cy), 71);
    EXPECT_EQ(pixel(cx + 1, cy + 1), 72);
    const TextStart found = colourExtent(surface, cx - 40, cy - 14, cx + 40, cy - 1, 71, 75);
    const TextStart label = textStart("EXIT LEVEL DOOR", 1);
    ASSERT_LT(label.dx, INT_MAX);
    EXPECT_EQ(found.dx, cx + 1 - 30 + label.dx);
}

TEST_F(MapView, DoorExitMarkerFollowsTheViewOrigin) {
    edit().doorExit = {3, 4};
    redrawMapView(*editor);
    EXPECT_EQ(pixel(cellX(2) + 12, cellY(3) + 3), kExitMarkerColour);
    EXPECT_EQ(pixel(cellX(2) + 11, cellY(3) + 3), tilePixel(tiles(), 0, 11, 3));

    editor->viewOriginColumn = 2;
    editor->viewOriginRow = 2;
    redrawMapView(*editor);
    EXPECT_EQ(pixel(cellX(1) + 12, cellY(2) + 3), kExitMarkerColour);
    EXPECT_TRUE(plainCell(2, 3));
}

// The copy corners are put by exclusive-or: on one cell both markers apply in
// turn, and two equal markers cancel out.
TEST_F(MapView, CopyMarkersAreExclusiveOrAndCancelWhenEqual) {
    setTileCell(level(), 4, 4, 40);
    const int cx = cellX(3), cy = cellY(3);
    const int32_t start = profile().copyStartMarker, end = profile().copyEndMarker;
    ASSERT_NE(start, end);
    auto expectXor = [&](std::initializer_list<int32_t> markers) {
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                uint8_t want = tilePixel(tiles(), 40, x, y);
                for (int32_t m : markers) want ^= tilePixel(tiles(), m, x, y);
                ASSERT_EQ(pixel(cx + x, cy + y), want) << x << ", " << y;
            }
    };

    edit().copyStart = {4, 4};
    edit().copyEnd = {6, 6};
    redrawMapView(*editor);
    expectXor({start});

    edit().copyEnd = {4, 4};
    redrawMapView(*editor);
    expectXor({start, end});

    profile().copyEndMarker = start;
    redrawMapView(*editor);
    EXPECT_TRUE(plainCell(3, 3));

    selectGame(profile(), "NIN"); // both markers are tile 0
    redrawMapView(*editor);
    EXPECT_TRUE(plainCell(3, 3));
}

} // namespace
} // namespace tessaly::test
