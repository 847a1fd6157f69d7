#include "app/key_commands.h"

#include "app/map_actions.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "level/level_file.h"
#include "system/files.h"
#include "tests/app/app_fixture.h"
#include "tests/support/temp_folder.h"

namespace tessaly::test {
namespace {

class KeyCommands : public AppTest {
  protected:
    // Marks one pixel of the map view, of the tile panel and of the status
    // panel, so a test can tell which of them a command redrew.
    void markViews() {
        setPixel(surface, 30, 30, 250);
        setPixel(surface, 430, 30, 250);
        setPixel(surface, 5, 537, 250);
    }
    bool mapViewRedrawn() const { return pixelAt(surface, 0, 30, 30) != 250; }
    bool tilePanelRedrawn() const { return pixelAt(surface, 0, 430, 30) != 250; }
    bool statusPanelRedrawn() const { return pixelAt(surface, 0, 5, 537) != 250; }

    void run(std::string_view name, int times = 1) {
        const auto command = std::find_if(kKeyCommands.begin(), kKeyCommands.end(),
                                          [&](const KeyCommand& c) { return c.name == name; });
        ASSERT_NE(command, kKeyCommands.end()) << name;
        for (int i = 0; i < times; ++i) RunKeyCommand(*program, *command);
    }
};

TEST_F(KeyCommands, ScrollingStopsAtTheEdgesButStillRedrawsAndPauses) {
    level().width = 64;
    level().height = 30;
    markViews();
    run("SC_LEFT");
    EXPECT_EQ(editor->viewOriginColumn, 1);
    EXPECT_TRUE(mapViewRedrawn());
    EXPECT_TRUE(statusPanelRedrawn());
    EXPECT_FALSE(tilePanelRedrawn());
    EXPECT_EQ(host.pauses, 1);
    EXPECT_EQ(host.clock, 10);
    run("SC_UP");
    EXPECT_EQ(editor->viewOriginRow, 1);

    run("SC_RIGHT", 100);
    EXPECT_EQ(editor->viewOriginColumn, 45); // 64 - 20 + 1
    run("SC_DOWN", 100);
    EXPECT_EQ(editor->viewOriginRow, 11);
    EXPECT_TRUE(showsTile(surface, tiles(), 26, 26, 0));
    run("SC_LEFT");
    run("SC_UP");
    EXPECT_EQ(editor->viewOriginColumn, 44);
    EXPECT_EQ(editor->viewOriginRow, 10);
    EXPECT_EQ(host.pauses, 204);

    for (int side : {20, 19, 0}) { // exactly one view wide, narrower, a cancelled open
        editor->viewOriginColumn = 1;
        editor->viewOriginRow = 1;
        level().width = side;
        level().height = side;
        run("SC_RIGHT");
        run("SC_DOWN");
        EXPECT_EQ(editor->viewOriginColumn, 1) << side;
        EXPECT_EQ(editor->viewOriginRow, 1) << side;
    }

    // An origin left over from a larger level is not corrected: right does
    // nothing, left steps back.
    level().width = 64;
    editor->viewOriginColumn = 100;
    run("SC_RIGHT");
    EXPECT_EQ(editor->viewOriginColumn, 100);
    run("SC_LEFT");
    EXPECT_EQ(editor->viewOriginColumn, 99);
}

TEST_F(KeyCommands, TilePanelPagingStopsAtTheLastFullPageAndAtZero) {
    ASSERT_EQ(profile().tileCount, 858);
    editor->tilePanelStart = 680;
    markViews();
    run("SC_PAGEDOWN");
    EXPECT_EQ(editor->tilePanelStart, 689); // 858 - 169, not 693
    EXPECT_TRUE(tilePanelRedrawn());
    EXPECT_TRUE(showsTile(surface, tiles(), 428, 28, 689));
    run("SC_PAGEDOWN");
    EXPECT_EQ(editor->tilePanelStart, 689);

    editor->tilePanelStart = 100;
    run("SC_GRAYMINUS");
    EXPECT_EQ(editor->tilePanelStart, 0);
    editor->tilePanelStart = 12;
    run("SC_PAGEUP");
    EXPECT_EQ(editor->tilePanelStart, 0);
    editor->tilePanelStart = 26;
    run("SC_PAGEUP");
    EXPECT_EQ(editor->tilePanelStart, 13);
    run("SC_GRAYPLUS");
    EXPECT_EQ(editor->tilePanelStart, 182);
    run("SC_GRAYPLUS", 4);
    EXPECT_EQ(editor->tilePanelStart, 689);
    run("SC_GRAYMINUS");
    EXPECT_EQ(editor->tilePanelStart, 520);
    EXPECT_TRUE(showsTile(surface, tiles(), 428, 28, 520));
    EXPECT_EQ(host.pauses, 11);

    // A start left over from a game with more tiles: paging on brings it
    // straight to the new last page, paging back steps from where it is.
    profile().tileCount = 611;
    editor->tilePanelStart = 689;
    run("SC_PAGEUP");
    EXPECT_EQ(editor->tilePanelStart, 676);
    run("SC_PAGEDOWN");
    EXPECT_EQ(editor->tilePanelStart, 442);
}

// A pick from the tile panel or the map shows the current tile in the
// preview, also when it hit no slot or cell; a pick from the object panel
// leaves the preview as it was.
TEST_F(KeyCommands, PicksFromTheTilePanelAndTheMapRedrawThePreview) {
    const auto pass = [&](int x, int y, int buttons) {
        program->mouse = {x, y, 0, buttons};
        runMapActions(*program);
    };
    pass(450, 50, 1); // tile panel slot (1, 1)
    EXPECT_EQ(edit().currentTile, 14);
    EXPECT_TRUE(showsTile(surface, tiles(), 650, 450, 14));
    pass(429, 289, 1); // object panel slot (0, 0)
    EXPECT_EQ(edit().currentTile, 858);
    EXPECT_TRUE(showsTile(surface, tiles(), 650, 450, 14));
    fillBox(surface, 650, 450, 665, 465, 250);
    pass(445, 50, 1); // the gap between two slots: no pick
    EXPECT_TRUE(showsTile(surface, tiles(), 650, 450, 858));
    fillBox(surface, 650, 450, 665, 465, 250);
    pass(42, 50, 2); // the left column of view cell (1, 1): no cell
    EXPECT_TRUE(showsTile(surface, tiles(), 650, 450, 858));
}

// Shift+Page Up and Down move the object panel a row over the whole tile
// sheet (up to its last full panel, 897 - 65), and redraw it.
TEST_F(KeyCommands, ObjectPanelPagesByRowsOverTheTileSheet) {
    editor->objectPanelStart = 858;
    run("SC_SHIFT_PAGEUP", 2);
    EXPECT_EQ(editor->objectPanelStart, 832);
    EXPECT_TRUE(showsTile(surface, tiles(), 428, 288, 832));
    run("SC_SHIFT_PAGEDOWN", 3);
    EXPECT_EQ(editor->objectPanelStart, 858); // the game's own start, past 832
    editor->objectPanelStart = 5;
    run("SC_SHIFT_PAGEUP");
    EXPECT_EQ(editor->objectPanelStart, 0);
}

// Undoing a door link shows the exit the selected door holds again, and
// none once the door holds no link.
TEST_F(KeyCommands, UndoAndRedoOfADoorLinkShowTheLinkTheLevelHolds) {
    level().width = level().height = 30;
    editor->edit.selectedDoor = {4, 5};
    setObject(*editor, 4, 5, 2 * 256 + 3);
    closeStep(editor->history);
    setObject(*editor, 4, 5, 9 * 256 + 8);
    closeStep(editor->history);
    editor->edit.doorExit = {10, 9}; // links count from 0 in Dangerous Dave 2
    run("SC_UNDO");
    EXPECT_EQ(editor->edit.doorExit, (Cell{3, 4}));
    run("SC_UNDO");
    EXPECT_EQ(editor->edit.doorExit, Cell{});
    run("SC_REDO");
    EXPECT_EQ(editor->edit.doorExit, (Cell{3, 4}));
}

// Safe: a game with fewer than 169 tiles keeps the panel at tile 0, so no
// image number below 0 is drawn.
TEST_F(KeyCommands, FewerThan169TilesKeepThePanelAtZero) {
    profile().tileCount = 100;
    for (const char* name : {"SC_PAGEDOWN", "SC_GRAYPLUS", "SC_PAGEUP", "SC_GRAYMINUS"}) {
        run(name);
        EXPECT_EQ(editor->tilePanelStart, 0) << name;
    }
    editor->tilePanelStart = 500;
    run("SC_PAGEDOWN");
    EXPECT_EQ(editor->tilePanelStart, 0);
    EXPECT_TRUE(showsTile(surface, tiles(), 428, 28, 0));
}

class SaveCommands : public KeyCommands {
  protected:
    SaveCommands() {
        // The header a 30 x 20 level was read with: width and height words at bytes 4 and 6.
        level().width = 30;
        level().height = 20;
        level().keptHeader[4] = 30;
        level().keptHeader[6] = 20;
        setTileCell(level(), 3, 4, 77);
        setObjectCell(level(), 5, 6, 3081);
    }
    std::optional<std::vector<uint8_t>> fileAt(const std::string& path) {
        return readFileBytes(path);
    }
    TempFolder folder;
};

TEST_F(SaveCommands, F5WritesTheLevelToItsFileName) {
    level().fileName = folder.file("level01.dd2");
    markViews();
    run("SC_F5");
    EXPECT_EQ(fileAt(level().fileName), encodeLevel(level()));
    EXPECT_TRUE(tilePanelRedrawn());
    EXPECT_EQ(host.pauses, 1);
    EXPECT_TRUE(host.saveRequests.empty());

    Level reread;
    ASSERT_EQ(readLevel(reread, level().fileName).result, ReadResult::Read);
    EXPECT_EQ(reread.tilePlane[3][4], 77);
    EXPECT_EQ(reread.objectPlane[5][6], 3081);

    // An empty name (a cancelled open dialog) writes nothing.
    level().fileName.clear();
    run("SC_F5");
    EXPECT_EQ(host.pauses, 2);
}

// Safe: a cancelled Save As changes nothing, so F5 still saves where it did.
TEST_F(SaveCommands, CancelledF6KeepsTheFileNameAndWritesNothing) {
    level().fileName = folder.file("level01.dd2");
    host.saveAnswers = {""};
    markViews();
    run("SC_F6");
    ASSERT_EQ(host.saveRequests.size(), 1u);
    EXPECT_EQ(host.saveRequests[0].title, "Save File Map Dangerous Dave 2");
    EXPECT_EQ(level().fileName, folder.file("level01.dd2"));
    EXPECT_FALSE(std::filesystem::exists(level().fileName));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    EXPECT_TRUE(tilePanelRedrawn());
    EXPECT_EQ(host.pauses, 1);
}

TEST_F(SaveCommands, F6ToANewNameWritesThereAndKeepsTheName) {
    level().fileName = folder.file("level01.dd2");
    host.saveAnswers = {folder.file("copy.dd2")};
    run("SC_F6");
    EXPECT_EQ(level().fileName, folder.file("copy.dd2"));
    EXPECT_EQ(fileAt(folder.file("copy.dd2")), encodeLevel(level()));
    EXPECT_FALSE(std::filesystem::exists(folder.file("level01.dd2")));

    // F5 now saves to the new name.
    setTileCell(level(), 3, 4, 78);
    run("SC_F5");
    EXPECT_EQ(fileAt(folder.file("copy.dd2")), encodeLevel(level()));

    // A path that cannot be written does not become the name: a later F5
    // still saves the level's own file.
    host.saveAnswers = {folder.file("no such folder/x.dd2")};
    run("SC_F6");
    EXPECT_EQ(level().fileName, folder.file("copy.dd2"));
    setTileCell(level(), 3, 4, 79);
    run("SC_F5");
    EXPECT_EQ(fileAt(folder.file("copy.dd2")), encodeLevel(level()));
}

} // namespace
} // namespace tessaly::test
