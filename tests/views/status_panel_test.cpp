#include "views/status_panel.h"

#include "app/editor_step.h"

#include <gtest/gtest.h>

#include "edit/operations.h"
#include "tests/views/views_fixture.h"
#include "views/map_view.h"

namespace tessaly::testing {
namespace {

class StatusPanel : public ViewsTest {};

// Kept: the captions are the program's own, spellings and spaces included.
TEST_F(StatusPanel, LinesOfAFreshEditorOnA120By40Level) {
    level().width = 120;
    level().height = 40;
    const std::array<std::string, 7> expected = {
        "---------Stats----------------",
        "Map H,V - 120x40 Tile - 0",
        "EZoneX - 1 EZoneY - 1",
        "Curent Edit H,V - 0 0",
        "Curent Select DOOR cardinate H,V 0 0",
        "Door exit - 0 0",
        "Copy H,V 0x0 --- 0x0 0x0",
    };
    EXPECT_EQ(statusLines(*editor), expected);

    level().width = 0; // a cancelled open dialog
    level().height = 0;
    EXPECT_EQ(statusLines(*editor)[1], "Map H,V - 0x0 Tile - 0");
}

TEST_F(StatusPanel, LinesFollowPicksDoorsAndCopies) {
    level().width = 120;
    level().height = 40;
    setTileCell(level(), 7, 12, 33);
    editor->viewOriginColumn = 3;
    editor->viewOriginRow = 2;
    pickFromMap(*editor, {7, 12});
    auto lines = statusLines(*editor);
    EXPECT_EQ(lines[1], "Map H,V - 120x40 Tile - 33");
    EXPECT_EQ(lines[2], "EZoneX - 3 EZoneY - 2");
    EXPECT_EQ(lines[3], "Curent Edit H,V - 7 12");

    setObjectCell(level(), 40, 5, 775);
    editor->viewOriginColumn = 31;
    editor->viewOriginRow = 1;
    pickFromMap(*editor, {40, 5});
    lines = statusLines(*editor);
    EXPECT_EQ(lines[4], "Curent Select DOOR cardinate H,V 40 5");
    EXPECT_EQ(lines[5], "Door exit - 4 8"); // Dangerous Dave 2 counts links from 0

    // Each copy corner is written row first; the size is the copied block's.
    edit().copyStart = {5, 7};
    edit().copyEnd = {9, 8};
    EXPECT_EQ(statusLines(*editor)[6], "Copy H,V 0x0 --- 7x5 8x9");
    copyBlock(*editor);
    EXPECT_EQ(statusLines(*editor)[6], "Copy H,V 5x2 --- 7x5 8x9");
}

TEST_F(StatusPanel, FinishingAStepDrawsThePanelRedrawsTheMapViewAndPauses10Ms) {
    const ColourScheme scheme{76, 77, 78, 79, 80};
    fillBox(surface, 0, 0, 799, 599, 250);
    SetTextScale(text, 1);

    finishStep(*program);

    EXPECT_EQ(host.pauses, 1);
    EXPECT_EQ(host.clock, 10);
    EXPECT_TRUE(showsTile(surface, tiles(), 26, 26, 0)); // the map view was drawn
    EXPECT_TRUE(showsTile(surface, tiles(), 10, 10, profile().frameTopLeft));
    // The panel covers x 2..432, y 390..540, bevelled in 76..80.
    EXPECT_EQ(pixel(2, 390), 76);
    EXPECT_EQ(pixel(432, 540), 80);
    EXPECT_EQ(pixel(5, 537), 78);
    EXPECT_EQ(pixel(1, 390), 250);
    EXPECT_EQ(pixel(433, 540), 250);
    EXPECT_EQ(pixel(2, 541), 250);
    // Line n's pen is at (14 + 10 (n - 1), 400 + 18 (n - 1)), at scale 2.
    const auto lines = statusLines(*editor);
    for (int n = 0; n < 7; ++n) {
        const GlyphCell first = firstDrawnCell(lines[std::size_t(n)][0], scheme);
        EXPECT_EQ(pixel(14 + 10 * n + 1 + 2 * first.column, 400 + 18 * n + 1 + 2 * first.row),
                  first.colour)
            << n;
        const TextStart start = textStart(lines[std::size_t(n)], 2);
        ASSERT_LT(start.dx, INT_MAX);
        // Glyphs draw in colours 1, 2, 4 and 5 of the scheme, never the face's 78.
        const TextStart found = colourExtent(surface, 4, 401 + 18 * n, 430, 418 + 18 * n,
                                             [](int c) { return c >= 76 && c <= 80 && c != 78; });
        EXPECT_EQ(found.dx, 14 + 10 * n + start.dx) << n;
    }
    EXPECT_EQ(text.scale, 2);
    EXPECT_EQ(text.colours, scheme);

    // An object label in view leaves the label's text state behind.
    profile().objectCount = 1;
    profile().objectCode[1] = 4;
    profile().objectLabel[1] = "Four";
    setObjectCell(level(), 3, 3, 4);
    finishStep(*program);
    EXPECT_EQ(host.pauses, 2);
    EXPECT_EQ(host.clock, 20);
    EXPECT_EQ(text.scale, 1);
    EXPECT_EQ(text.colours, (ColourScheme{71, 72, 73, 74, 75}));
}

} // namespace
} // namespace tessaly::testing
