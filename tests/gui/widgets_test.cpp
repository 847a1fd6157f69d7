#include "gui/widgets.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(WidgetAt, EdgesNeverHit) {
    WidgetTable table;
    RegisterWidget(table, 1, "Exit", 10, 10, 30, 200, "Exit");
    EXPECT_EQ(WidgetAt(table, 11, 11), 1);
    EXPECT_EQ(WidgetAt(table, 209, 39), 1);
    EXPECT_EQ(WidgetAt(table, 10, 20), 0);  // left edge
    EXPECT_EQ(WidgetAt(table, 210, 20), 0); // right edge
    EXPECT_EQ(WidgetAt(table, 50, 10), 0);  // top edge
    EXPECT_EQ(WidgetAt(table, 50, 40), 0);  // bottom edge
    EXPECT_EQ(WidgetAt(table, -1, -1), 0);  // unreadable mouse
}

TEST(WidgetAt, HighestSlotWinsAndSlotZeroIsNeverFound) {
    WidgetTable table;
    RegisterWidget(table, 0, "zero", 0, 0, 100, 100, "");
    EXPECT_EQ(WidgetAt(table, 50, 50), 0);
    RegisterWidget(table, 5, "five", 40, 40, 20, 20, "");
    RegisterWidget(table, 3, "three", 0, 0, 100, 100, "");
    EXPECT_EQ(WidgetAt(table, 50, 50), 5);
    EXPECT_EQ(WidgetAt(table, 20, 20), 3);
    RegisterWidget(table, 255, "last", 49, 49, 2, 2, "");
    EXPECT_EQ(WidgetAt(table, 50, 50), 255);
    // Empty slots and slots one pixel wide or high never match.
    WidgetTable thin;
    RegisterWidget(thin, 2, "thin", 0, 0, 100, 1, "");
    RegisterWidget(thin, 4, "flat", 0, 0, 1, 100, "");
    for (int p = -1; p < 3; ++p) EXPECT_EQ(WidgetAt(thin, p, p), 0);
    EXPECT_EQ(WidgetAt(WidgetTable{}, 0, 0), 0);
}

TEST(WidgetTable, RegisteringAgainMovesTheHitAreaAndKeepsColours) {
    WidgetTable table;
    std::string caption = "Dangerous Dave 2";
    RegisterWidget(table, 2, "DD2", 10, 10, 30, 200, caption);
    SetWidgetColours(table, 2, 56, 57, 58, 59, 60);
    caption = "changed"; // the table keeps its own copy
    EXPECT_EQ(table.slots[2].caption, "Dangerous Dave 2");
    RegisterWidget(table, 2, "DD2", 300, 300, 30, 200, "Dangerous Dave 2");
    EXPECT_EQ(WidgetAt(table, 50, 20), 0);
    EXPECT_EQ(WidgetAt(table, 350, 320), 2);
    EXPECT_EQ(table.slots[2].colours, (ColourScheme{56, 57, 58, 59, 60}));
}

TEST(WidgetTable, SlotsOutsideTheTableAreIgnored) {
    WidgetTable table;
    RegisterWidget(table, 256, "x", 0, 0, 100, 100, "x");
    RegisterWidget(table, -1, "x", 0, 0, 100, 100, "x");
    SetWidgetColours(table, 256, 1, 2, 3, 4, 5);
    SetWidgetColours(table, -1, 1, 2, 3, 4, 5);
    Surface s;
    TextState t;
    DrawWidget(table, s, t, 256, "Nor");
    DrawWidget(table, s, t, -7, "Inv");
    EXPECT_EQ(WidgetAt(table, 50, 50), 0);
    EXPECT_EQ(s.pages, Surface{}.pages);
    for (const WidgetSlot& slot : table.slots) EXPECT_EQ(slot.width, 0);
}

TEST(DrawWidget, NormalRaisedPressedReversedOtherStylesNothing) {
    WidgetTable table;
    RegisterWidget(table, 1, "OK", 100, 50, 30, 80, "OK");
    SetWidgetColours(table, 1, 30, 25, 23, 19, 17);
    TextState text;
    SetTextScale(text, 2);

    Surface none;
    DrawWidget(table, none, text, 1, "nor");
    DrawWidget(table, none, text, 1, "INV");
    DrawWidget(table, none, text, 1, "");
    EXPECT_EQ(none.pages, Surface{}.pages);
    EXPECT_EQ(text.colours, (ColourScheme{}));

    Surface raised, panel;
    DrawWidget(table, raised, text, 1, "Nor");
    EXPECT_EQ(text.colours, (ColourScheme{30, 25, 23, 19, 17}));
    TextState other;
    SetTextScale(other, 2);
    DrawPanel(panel, other, 100, 50, 30, 80, ColourScheme{30, 25, 23, 19, 17}, "OK");
    EXPECT_EQ(raised.pages, panel.pages);

    Surface pressed;
    DrawWidget(table, pressed, text, 1, "Inv");
    EXPECT_EQ(text.colours, (ColourScheme{17, 19, 23, 25, 30}));
    EXPECT_EQ(pixelAt(pressed, 0, 100, 50), 17); // light edge now dark
    EXPECT_EQ(pixelAt(pressed, 0, 180, 80), 30); // dark edge now light
    EXPECT_EQ(pixelAt(pressed, 0, 102, 52), 23); // the face keeps colour 3
    EXPECT_EQ(pixelAt(pressed, 0, 130, 58), 30); // caption outline in the reversed scheme
}

} // namespace
} // namespace tessaly
