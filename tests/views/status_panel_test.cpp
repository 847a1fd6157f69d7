#include "views/status_panel.h"

#include <gtest/gtest.h>

#include "edit/operations.h"
#include "tests/views/views_fixture.h"
#include "views/map_view.h"

namespace tessaly::test {
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

} // namespace
} // namespace tessaly::test
