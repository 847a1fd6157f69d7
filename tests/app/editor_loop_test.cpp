#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/editor_loop.h"
#include "app/program.h"
#include "app/start_screen.h"
#include "level/profile.h"
#include "tests/app/stopping_host.h"
#include "tests/support/temp_folder.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using test::StoppingHost;

struct EditorLoop : ::testing::Test {
    StoppingHost host;
    std::unique_ptr<Program> program = std::make_unique<Program>(host);
    test::TempFolder folder;
    fs::path dir = folder.fsPath();

    void SetUp() override {
        startUp(*program);
        selectGame(program->editor->profile, "CK1");
    }

    std::string writeLevelFile(const std::string& name, int width, int height) {
        std::vector<char> bytes(36);
        bytes[4] = char(width & 255);
        bytes[5] = char(width >> 8);
        bytes[6] = char(height & 255);
        bytes[7] = char(height >> 8);
        for (int i = 0; i < 2 * width * height && width <= 256 && height <= 256; ++i) {
            bytes.push_back(char(i % 7));
            bytes.push_back(0);
        }
        const fs::path path = dir / name;
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return path.string();
    }
};

TEST_F(EditorLoop, TooBigALevelIsNotReadAndItsNameForgotten) {
    const std::string path = writeLevelFile("huge.ck1", 300, 10);
    host.openAnswers.push_back(path);
    startEditor(*program);
    EXPECT_EQ(program->editor->level.width, 0);
    EXPECT_TRUE(program->editor->level.fileName.empty());
    // F5 then has nowhere to write: the file stays as it was.
    const auto before = fs::file_size(path);
    host.keys[0x3F] = true;
    editorPass(*program);
    EXPECT_EQ(fs::file_size(path), before);
}

TEST_F(EditorLoop, AFileThatCannotBeReadOpensEmptyAndNamelessToo) {
    host.openAnswers.push_back(dir.string()); // a folder, say, picked through "*.*"
    startEditor(*program);
    EXPECT_EQ(program->editor->level.width, 0);
    EXPECT_TRUE(program->editor->level.fileName.empty());
}

TEST_F(EditorLoop, OpenDialogIsTheGamesWithItsPatternPreselected) {
    host.openAnswers.push_back(writeLevelFile("a.ck1", 30, 25));
    startEditor(*program);
    ASSERT_EQ(host.openRequests.size(), 1u);
    EXPECT_EQ(host.openRequests[0].title, "Open File Map Commander Keen 1");
    EXPECT_EQ(host.openRequests[0].selectedFilter, 1);
    EXPECT_EQ(program->editor->level.width, 30);
    EXPECT_EQ(program->editor->level.fileName, (dir / "a.ck1").string());
}

TEST_F(EditorLoop, ActionsRunInTableOrderEachFollowedByAStatusUpdate) {
    host.openAnswers.push_back(writeLevelFile("a.ck1", 30, 25));
    startEditor(*program);
    Editor& e = *program->editor;
    e.edit.currentTile = 5;
    // Left and right together over view cell (2, 3): paint, then pick.
    host.mouse = {62, 78, 0, 3};
    const int pausesBefore = host.pauses;
    EXPECT_EQ(editorPass(*program), PassEnd::Stay);
    EXPECT_EQ(tileCell(e.level, 3, 4), 5);
    EXPECT_EQ(e.edit.editCell, (Cell{3, 4}));
    EXPECT_EQ(host.pauses - pausesBefore, 3); // the loop's pause and one per action

    // Digit keys act only over the map view; an unreadable mouse hits nothing.
    host.mouse = {450, 50, 0, 0};
    host.keys[0x02] = true;
    e.edit.copyStart = {9, 9};
    editorPass(*program);
    EXPECT_EQ(e.edit.copyStart, (Cell{9, 9}));
    host.keys[0x02] = false;
    host.mouse = {-1, -1, -1, -1};
    const int paintedBefore = tileCell(e.level, 1, 1);
    editorPass(*program);
    EXPECT_EQ(tileCell(e.level, 1, 1), paintedBefore);
}

TEST_F(EditorLoop, F10EndsTheLoopAfterThePass) {
    host.openAnswers.push_back("");
    startEditor(*program);
    host.keys[0x4D] = true; // right arrow with F10: the arrow's command still runs
    host.keys[0x44] = true;
    const int pausesBefore = host.pauses;
    EXPECT_EQ(editorPass(*program), PassEnd::Leave);
    EXPECT_EQ(host.pauses - pausesBefore, 2);
    EXPECT_TRUE(host.questions.empty()); // nothing was unsaved
}

// Shift+arrow moves the view one cell per press, however many passes the
// keys stay down, within the arrows' limits; the plain arrow makes way while
// Shift is held and moves on every pass again once it is released.
TEST_F(EditorLoop, ShiftArrowScrollsOneCellPerPress) {
    host.openAnswers.push_back(writeLevelFile("wide.ck1", 23, 22));
    startEditor(*program);
    const Editor& e = *program->editor;
    host.keys[scan::LeftShift] = true;
    host.keys[scan::Right] = true;
    for (int pass = 0; pass < 10; ++pass) editorPass(*program);
    EXPECT_EQ(e.viewOriginColumn, 2);
    host.keys[scan::Right] = false;
    editorPass(*program);
    host.keys[scan::Right] = true;
    host.keys[scan::Down] = true;
    for (int pass = 0; pass < 3; ++pass) editorPass(*program);
    EXPECT_EQ(e.viewOriginColumn, 3);
    EXPECT_EQ(e.viewOriginRow, 2);

    // At the last full view (23 - 20 + 1) a press moves no further.
    host.keys[scan::Right] = host.keys[scan::Down] = false;
    editorPass(*program);
    for (int press = 0; press < 3; ++press) {
        host.tap(scan::Right);
        host.tap(scan::Down);
        editorPass(*program);
        editorPass(*program);
    }
    EXPECT_EQ(e.viewOriginColumn, 4);
    EXPECT_EQ(e.viewOriginRow, 3);

    // Shift let go before the arrow: the arrow moves no further until it is
    // pressed again.
    host.keys[scan::Right] = true;
    editorPass(*program);
    EXPECT_EQ(e.viewOriginColumn, 4);
    program->editor->viewOriginColumn = 2;
    host.keys[scan::LeftShift] = false;
    for (int pass = 0; pass < 3; ++pass) editorPass(*program);
    EXPECT_EQ(e.viewOriginColumn, 2);
    host.keys[scan::Right] = false;
    editorPass(*program);
    host.keys[scan::LeftShift] = true;

    // The right Shift counts too; the left arrow alone moves on every pass.
    host.keys[scan::LeftShift] = false;
    host.keys[scan::RightShift] = true;
    host.keys[scan::Left] = true;
    for (int pass = 0; pass < 3; ++pass) editorPass(*program);
    EXPECT_EQ(e.viewOriginColumn, 1);
    host.keys[scan::RightShift] = host.keys[scan::Left] = false;
    editorPass(*program);
    program->editor->viewOriginColumn = 4;
    host.keys[scan::Left] = true;
    for (int pass = 0; pass < 3; ++pass) editorPass(*program);
    EXPECT_EQ(e.viewOriginColumn, 1);
}

// A key tapped between two passes (pressed and released at once) acts in
// the next pass, once.
TEST_F(EditorLoop, TappedKeysAndClickedButtonsActOnce) {
    host.openAnswers.push_back(writeLevelFile("tap.ck1", 64, 30));
    startEditor(*program);
    Editor& e = *program->editor;
    host.tap(scan::Right);
    editorPass(*program);
    editorPass(*program);
    EXPECT_EQ(e.viewOriginColumn, 2);
    e.edit.currentTile = 7;
    host.mouse = {62, 78, 0, 0}; // view cell (2, 3)
    host.click(1);
    editorPass(*program);
    EXPECT_EQ(tileCell(e.level, 4, 4), 7);
}

} // namespace
} // namespace tessaly
