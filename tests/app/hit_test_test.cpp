#include "app/hit_test.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <utility>

namespace tessaly::test {
namespace {

// Kept: a cell's leftmost pixel column and top pixel row belong to no cell.
TEST(ViewCellAt, IsStrictOnEveryCellEdge) {
    EXPECT_EQ(viewCellAt(27, 27), (ViewCell{0, 0}));
    EXPECT_EQ(viewCellAt(41, 41), (ViewCell{0, 0}));
    EXPECT_EQ(viewCellAt(43, 27), (ViewCell{1, 0}));
    EXPECT_EQ(viewCellAt(345, 345), (ViewCell{19, 19}));
    EXPECT_EQ(viewCellAt(27 + 16 * 7, 27 + 16 * 11), (ViewCell{7, 11}));
    for (int y : {26, 27, 100, 345}) EXPECT_FALSE(viewCellAt(26, y)) << y;
    for (int x : {26, 27, 100, 345}) EXPECT_FALSE(viewCellAt(x, 26)) << x;
    EXPECT_FALSE(viewCellAt(42, 30));  // left column of cell (1, 0)
    EXPECT_FALSE(viewCellAt(30, 42));  // top row of cell (0, 1)
    EXPECT_FALSE(viewCellAt(346, 30)); // left column of the frame
    EXPECT_FALSE(viewCellAt(30, 346));
    EXPECT_FALSE(viewCellAt(-100, -100));
    EXPECT_FALSE(viewCellAt(25, 25));

    EXPECT_TRUE(inMapView(27, 27));
    EXPECT_TRUE(inMapView(345, 345));
    EXPECT_FALSE(inMapView(26, 100));
    EXPECT_FALSE(inMapView(100, 26));
    EXPECT_FALSE(inMapView(346, 100));
    EXPECT_FALSE(inMapView(100, 346));
}

class PanelSlots : public ::testing::Test {
  protected:
    PanelSlots() {
        selectGame(editor->profile, "DD2");
        editor->objectPanelStart = 858;
    }
    std::optional<int32_t> tileAt(int x, int y) { return tilePanelImageAt(*editor, x, y); }
    std::optional<int32_t> objectAt(int x, int y) { return objectPanelImageAt(*editor, x, y); }

    Surface surface;
    TextState text;
    std::unique_ptr<Editor> editor = std::make_unique<Editor>(surface, text);
};

// A slot answers on the 16 x 16 pixels one right of and below its image,
// strictly: the image's own left column and top row, and the gap column
// between slots, pick nothing.
TEST_F(PanelSlots, TilePanelSlotsAreStrict) {
    EXPECT_EQ(tileAt(450, 50), 14);         // slot (1, 1)
    for (auto [x, y] : {std::pair{445, 50}, // the gap between slots 0 and 1
                        {428, 28},          // top-left pixel of the first image
                        {428, 35},          // its left column
                        {435, 28},          // its top row
                        {429, 45},          // the gap row between rows 0 and 1
                        {462, 50}}) {       // the gap column between slots 1 and 2
        EXPECT_FALSE(tileAt(x, y)) << x << ", " << y;
    }
    EXPECT_EQ(tileAt(429, 29), 0);
    EXPECT_EQ(tileAt(446, 29), 1); // first pixel of slot 1's answer
    EXPECT_EQ(tileAt(444, 44), 0); // last pixel of slot 0's

    editor->tilePanelStart = 689;
    EXPECT_EQ(tileAt(450, 50), 703);
    EXPECT_EQ(tileAt(647, 247), 689 + 168); // slot (12, 12)
}

TEST_F(PanelSlots, ObjectPanelSlotsAreStrictAndTheFifthRowAnswersUnderTheFrame) {
    EXPECT_EQ(objectAt(429, 289), 858);
    EXPECT_FALSE(objectAt(428, 288));        // on the image's top-left pixel
    EXPECT_FALSE(objectAt(445, 300));        // the gap between slots 0 and 1
    EXPECT_EQ(objectAt(430, 370), 858 + 52); // fifth row, where the frame covers the image
    EXPECT_EQ(objectAt(647, 371), 858 + 64);
    EXPECT_FALSE(objectAt(647, 373)); // below every slot
}

TEST(PanelAreas, TheEditorLoopsTestsAreStrict) {
    EXPECT_TRUE(inTilePanel(428, 28));
    EXPECT_TRUE(inTilePanel(647, 247));
    EXPECT_FALSE(inTilePanel(427, 100));
    EXPECT_FALSE(inTilePanel(648, 100));
    EXPECT_FALSE(inTilePanel(500, 27));
    EXPECT_FALSE(inTilePanel(500, 248));

    EXPECT_TRUE(inObjectPanel(428, 288));
    EXPECT_TRUE(inObjectPanel(647, 371));
    EXPECT_FALSE(inObjectPanel(427, 300));
    EXPECT_FALSE(inObjectPanel(648, 300));
    EXPECT_FALSE(inObjectPanel(500, 287));
    EXPECT_FALSE(inObjectPanel(500, 372));
}

} // namespace
} // namespace tessaly::test
