// Undo and redo, the unsaved mark in the title, the questions before edits
// are lost, failed saves said out loud, saves over files another program
// changed, and recovery copies: the editor loop driven pass by pass on a test
// host.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/editor_loop.h"
#include "app/editor_step.h"
#include "app/program.h"
#include "app/recovery.h"
#include "app/start_screen.h"
#include "level/level_file.h"
#include "level/profile.h"
#include "system/files.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_host.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>

#include "tests/support/child_process.h"
#endif

namespace tessaly {
namespace {

namespace fs = std::filesystem;

constexpr int kLeft = 1, kMiddle = 4;
enum { kSave = 0, kDiscard = 1, kCancel = 2 };

// A point inside view cell (i, j); with the view at (1, 1) that is level cell (i + 1, j + 1).
int cellX(int i) {
    return 34 + 16 * i;
}
int cellY(int j) {
    return 34 + 16 * j;
}

// The user's folders the program keeps files in, pointed at `dir`: its
// state (recovery copies) in dir/state/PROGRAM, and on Linux its data (the
// user's tile bitmaps) in dir/data, which stays empty.
#ifdef _WIN32
constexpr const char* kProgramFolder = "Tessaly";
void pointUserFolders(const fs::path& dir) {
    _putenv_s("LOCALAPPDATA", (dir / "state").string().c_str());
}
void forgetUserFolders() {
    _putenv_s("LOCALAPPDATA", "");
}
#else
constexpr const char* kProgramFolder = "tessaly";
void pointUserFolders(const fs::path& dir) {
    setenv("XDG_STATE_HOME", (dir / "state").c_str(), 1);
    setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
}
void forgetUserFolders() {
    unsetenv("XDG_STATE_HOME");
    unsetenv("XDG_DATA_HOME");
}
#endif

struct UnsavedEdits : ::testing::Test {
    TestHost host;
    std::unique_ptr<Program> program = std::make_unique<Program>(host);
    test::TempFolder folder;
    fs::path dir = folder.fsPath();

    void SetUp() override {
        host.exeDir = TESSALY_BIN_DIR; // where the tile bitmaps are
        fs::create_directories(dir / "state");
        pointUserFolders(dir);
        startUp(*program);
        selectGame(editor().profile, "CK1");
    }
    void TearDown() override { forgetUserFolders(); }

    Editor& editor() { return *program->editor; }
    Level& level() { return editor().level; }

    std::string writeLevelFile(const std::string& name, int width, int height) {
        Level l;
        l.width = width;
        l.height = height;
        l.keptHeader[4] = uint8_t(width);
        l.keptHeader[5] = uint8_t(width >> 8);
        l.keptHeader[6] = uint8_t(height);
        l.keptHeader[7] = uint8_t(height >> 8);
        const std::string path = (dir / name).string();
        EXPECT_TRUE(writeLevel(l, path));
        return path;
    }
    void open(const std::string& path) {
        host.openAnswers.push_back(path);
        startEditor(*program);
    }
    PassEnd pass() { return editorPass(*program); }
    // One pass with these buttons at (x, y) and these keys held, nothing else.
    PassEnd pass(int x, int y, int buttons, std::initializer_list<int> keys = {}) {
        host.mouse = {x, y, 0, buttons};
        host.releaseKeys();
        for (int k : keys) host.keys[size_t(k)] = true;
        return pass();
    }
    PassEnd idle() { return pass(700, 500, 0); }
    void undo() {
        pass(700, 500, 0, {scan::Ctrl, scan::Z});
        idle();
    }
    void redo() {
        pass(700, 500, 0, {scan::Ctrl, scan::Y});
        idle();
    }
    void paint(int i, int j, int32_t tile) {
        editor().edit.currentTile = tile;
        pass(cellX(i), cellY(j), kLeft);
        idle();
    }
    std::string title() const { return host.title; }

    fs::path copies() const { return dir / "state" / kProgramFolder / "recovery"; }
    // The program ends without a word, as in a crash, and starts again.
    void crash() {
        program = std::make_unique<Program>(host);
        startUp(*program);
        selectGame(editor().profile, "CK1");
    }
    // Opens `path`, paints `tile` at level cell (1, 1) and waits for the
    // recovery copy; gives its path.
    std::string leaveACopy(const std::string& path, int32_t tile) {
        open(path);
        paint(0, 0, tile);
        const int64_t start = host.clock;
        while (host.clock < start + 31000) idle();
        return program->recovery.copyPath;
    }
    void press(int key) {
        pass(700, 500, 0, {key});
        idle();
    }
};

void putBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Another program's time for a file: 2001-02-03 04:05:06 UTC.
void setModifiedByThem(const fs::path& path) {
    using namespace std::chrono;
    fs::last_write_time(path, file_clock::from_sys(sys_seconds(seconds(981173106))));
}

TEST_F(UnsavedEdits, AStrokeIsOneStepAndUndoKeysActOncePerPress) {
    open(writeLevelFile("a.ck1", 30, 25));
    editor().edit.currentTile = 5;
    // One press of the left button painting three cells over three passes.
    pass(cellX(0), cellY(0), kLeft);
    pass(cellX(1), cellY(0), kLeft);
    pass(cellX(2), cellY(0), kLeft);
    idle();
    editor().edit.currentTile = 6;
    pass(cellX(0), cellY(1), kLeft);
    idle();

    // Holding Ctrl+Z for several passes undoes one step.
    for (int i = 0; i < 5; ++i) pass(700, 500, 0, {scan::Ctrl, scan::Z});
    EXPECT_EQ(tileCell(level(), 1, 2), 0);
    EXPECT_EQ(tileCell(level(), 3, 1), 5);
    idle();
    undo();
    EXPECT_EQ(tileCell(level(), 1, 1), 0);
    EXPECT_EQ(tileCell(level(), 3, 1), 0);
    undo(); // nothing left: nothing happens
    // Ctrl+Y and Ctrl+Shift+Z both redo; the editing state stays as it is.
    editor().edit.currentTile = 42;
    redo();
    EXPECT_EQ(tileCell(level(), 2, 1), 5);
    pass(700, 500, 0, {scan::Ctrl, scan::RightShift, scan::Z});
    EXPECT_EQ(tileCell(level(), 1, 2), 6);
    EXPECT_EQ(editor().edit.currentTile, 42);
    // Z alone, or Shift+Z without Ctrl, does nothing.
    idle();
    pass(700, 500, 0, {scan::Z});
    pass(700, 500, 0, {scan::LeftShift, scan::Z});
    EXPECT_EQ(tileCell(level(), 1, 2), 6);
}

TEST_F(UnsavedEdits, PastesAndDoorLinksAreStepsOfTheirOwn) {
    open(writeLevelFile("a.ck1", 30, 25));
    paint(0, 0, 7);
    // Copy the 1 x 1 block at (1, 1) and paste it on three passes while key 4 is held.
    editor().edit.copyStart = {1, 1};
    editor().edit.copyEnd = {1, 1};
    pass(cellX(0), cellY(0), 0, {scan::Digit3});
    pass(cellX(5), cellY(5), 0, {scan::Digit4});
    pass(cellX(6), cellY(5), 0, {scan::Digit4});
    pass(cellX(6), cellY(5), 0, {scan::Digit4}); // writes nothing new: no step
    idle();
    EXPECT_EQ(tileCell(level(), 7, 6), 7);
    undo();
    EXPECT_EQ(tileCell(level(), 7, 6), 0);
    EXPECT_EQ(tileCell(level(), 6, 6), 7);
    undo();
    EXPECT_EQ(tileCell(level(), 6, 6), 0);
    EXPECT_EQ(tileCell(level(), 1, 1), 7);

    // A door link: select the door cell, link it, undo the link.
    setObjectCell(level(), 4, 4, 3 * 256 + 7);
    pass(cellX(3), cellY(3), 2);
    idle();
    pass(cellX(9), cellY(8), kMiddle);
    idle();
    EXPECT_EQ(objectCell(level(), 4, 4), 10 * 256 + 9);
    undo();
    EXPECT_EQ(objectCell(level(), 4, 4), 3 * 256 + 7);
}

TEST_F(UnsavedEdits, TheTitleShowsTheFileAndTheUnsavedMark) {
    open(writeLevelFile("a.ck1", 30, 25));
    EXPECT_EQ(title(), "Tessaly Editor v0.9 - a.ck1");
    paint(0, 0, 0); // tile 0 over tile 0 changes nothing
    EXPECT_EQ(title(), "Tessaly Editor v0.9 - a.ck1");
    paint(0, 0, 3);
    EXPECT_EQ(title(), "Tessaly Editor v0.9 - a.ck1 *");
    undo();
    EXPECT_EQ(title(), "Tessaly Editor v0.9 - a.ck1");
    redo();
    pass(700, 500, 0, {scan::F5});
    idle();
    EXPECT_EQ(title(), "Tessaly Editor v0.9 - a.ck1");
    // The history outlives the save: undo brings the mark back.
    undo();
    EXPECT_EQ(tileCell(level(), 1, 1), 0);
    EXPECT_EQ(title(), "Tessaly Editor v0.9 - a.ck1 *");

    // No file: "(no file)".
    pass(700, 500, 0, {scan::F10});
    host.answers = {kDiscard};
    EXPECT_EQ(pass(700, 500, 0, {scan::F10}), PassEnd::Leave);
    open("");
    EXPECT_EQ(title(), "Tessaly Editor v0.9 - (no file)");
}

TEST_F(UnsavedEdits, ALongNameIsCutAndTheMarkStays) {
    const std::string program = "Tessaly Editor v0.9";
    const std::string name(200, 'x');
    EXPECT_EQ(editorTitle(program, "/d/" + name, true),
              program + " - " + std::string(127 - 22 - 2, 'x') + " *");
    EXPECT_EQ(editorTitle(program, name, false), program + " - " + std::string(127 - 22, 'x'));
    // A name is cut between characters, never inside one (a is two bytes here).
    std::string wide;
    for (int i = 0; i < 120; ++i) wide += "\xC3\xA4";
    const std::string cut = editorTitle(program, wide, true);
    EXPECT_EQ(cut.substr(cut.size() - 4), "\xC3\xA4 *");
    EXPECT_EQ(editorTitle(program, "dir/lev\xC3\xA4l.ck1", false), program + " - lev\xC3\xA4l.ck1");
}

TEST_F(UnsavedEdits, F10WithUnsavedEditsAsksOnce) {
    const std::string path = writeLevelFile("a.ck1", 30, 25);
    open(path);
    const auto before = readFileBytes(path);
    paint(0, 0, 3);

    // Cancel, and a question closed with Escape, stay in the editor; a held
    // F10 asked once only, as the question took the focus.
    host.answers = {kCancel};
    EXPECT_EQ(pass(700, 500, 0, {scan::F10}), PassEnd::Stay);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, "Save changes to a.ck1 before leaving the editor?");
    EXPECT_EQ(host.questions[0].answers, (std::vector<std::string>{"Save", "Discard", "Cancel"}));
    EXPECT_EQ(host.questions[0].defaultAnswer, 0);
    idle();
    EXPECT_EQ(pass(700, 500, 0, {scan::F10}), PassEnd::Stay); // no answer: closed
    idle();

    // Discard leaves without writing.
    host.answers = {kDiscard};
    EXPECT_EQ(pass(700, 500, 0, {scan::F10}), PassEnd::Leave);
    EXPECT_EQ(readFileBytes(path), before);

    // Save writes first, then leaves.
    open(path);
    paint(1, 1, 4);
    host.answers = {kSave};
    EXPECT_EQ(pass(700, 500, 0, {scan::F10}), PassEnd::Leave);
    Level reread;
    readLevel(reread, path);
    EXPECT_EQ(tileCell(reread, 2, 2), 4);

    // Without unsaved edits F10 leaves at once.
    const std::size_t asked = host.questions.size();
    open(path);
    EXPECT_EQ(pass(700, 500, 0, {scan::F10}), PassEnd::Leave);
    EXPECT_EQ(host.questions.size(), asked);
}

TEST_F(UnsavedEdits, SaveAnswerWithoutAFileNameIsSaveAsAndACancelStays) {
    open("");
    paint(0, 0, 3);
    host.answers = {kSave};
    host.saveAnswers = {""}; // the save dialog is cancelled
    EXPECT_EQ(pass(700, 500, 0, {scan::F10}), PassEnd::Stay);
    EXPECT_EQ(host.saveRequests.size(), 1u);
    idle();
    host.answers = {kSave};
    host.saveAnswers = {(dir / "new.ck1").string()};
    EXPECT_EQ(pass(700, 500, 0, {scan::F10}), PassEnd::Leave);
    EXPECT_TRUE(fs::exists(dir / "new.ck1"));
}

TEST_F(UnsavedEdits, ACloseRequestEndsTheProgramOnlyWhenNothingIsLost) {
    const std::string path = writeLevelFile("a.ck1", 30, 25);
    open(path);
    host.closeRequest = true;
    EXPECT_EQ(pass(), PassEnd::EndProgram);
    EXPECT_TRUE(host.questions.empty());

    open(path);
    paint(0, 0, 3);
    host.closeRequest = true;
    host.answers = {kCancel};
    EXPECT_EQ(pass(), PassEnd::Stay);
    EXPECT_EQ(host.questions.back().text, "Save changes to a.ck1 before closing?");

    // A Save that fails keeps the editor open.
    fs::remove(path);
    fs::create_directory(path); // the name is now a folder
    host.closeRequest = true;
    host.answers = {kSave};
    EXPECT_EQ(pass(), PassEnd::Stay);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].rfind("Could not save " + path + ": ", 0), 0u) << host.messages[0];
    EXPECT_EQ(title(), "Tessaly Editor v0.9 - a.ck1 *");

    host.closeRequest = true;
    host.answers = {kDiscard};
    EXPECT_EQ(pass(), PassEnd::EndProgram);
}

TEST_F(UnsavedEdits, AFailedSaveIsToldAndLeavesTheLevelUnsaved) {
    open(writeLevelFile("a.ck1", 30, 25));
    paint(0, 0, 3);
    host.saveAnswers = {(dir / "no such folder" / "b.ck1").string()};
    pass(700, 500, 0, {scan::F6});
    idle();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "Could not save " + (dir / "no such folder" / "b.ck1").string() +
                                    ": No such file or directory.");
    // The level keeps its own name, and the mark.
    EXPECT_EQ(title(), "Tessaly Editor v0.9 - a.ck1 *");
}

TEST_F(UnsavedEdits, F5OverAFileThatWasNotAWholeLevelAsksFirst) {
    // A 20 x 20 level cut short after its header.
    const std::string path = writeLevelFile("cut.ck1", 20, 20);
    fs::resize_file(path, 40);
    open(path);
    host.answers = {1}; // Cancel
    pass(700, 500, 0, {scan::F5});
    idle();
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, "cut.ck1 was not a complete level file. Overwrite it?");
    EXPECT_EQ(host.questions[0].answers, (std::vector<std::string>{"Overwrite", "Cancel"}));
    EXPECT_EQ(fs::file_size(path), 40u);
    host.answers = {0}; // Overwrite
    pass(700, 500, 0, {scan::F5});
    idle();
    EXPECT_EQ(fs::file_size(path), 36u + 4 * 20 * 20);
    // Written by the editor, the file is whole: F5 asks no more.
    pass(700, 500, 0, {scan::F5});
    EXPECT_EQ(host.questions.size(), 2u);
}

TEST_F(UnsavedEdits, MessagesForFilesThatCannotBeOpened) {
    open((dir / "missing.ck1").string());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "Could not open " + (dir / "missing.ck1").string() +
                                    ": No such file or directory. An empty map is opened.");
    EXPECT_EQ(title(), "Tessaly Editor v0.9 - (no file)");
    // A level too big for the editor.
    host.messages.clear();
    const std::string huge = writeLevelFile("huge.ck1", 300, 10);
    open(huge);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "Could not open " + huge +
                                    ": it declares more than 256 columns or rows. An empty map "
                                    "is opened.");

    // A missing tile bitmap is told once per editor start.
    host.exeDir = dir.string();
    host.messages.clear();
    open("");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].rfind("The tile bitmap CK1TILES.bmp was found in none of " +
                                         (dir / "Resources").string(),
                                     0),
              0u)
        << host.messages[0];
}

TEST_F(UnsavedEdits, RecoveryCopiesComeEvery30SecondsAndGoWithTheSave) {
    const std::string path = writeLevelFile("a.ck1", 30, 25);
    open(path);
    paint(0, 0, 3);
    const fs::path copies = dir / "state" / kProgramFolder / "recovery";
    const std::string copy = (copies / recoveryCopyName(fs::absolute(path).string(), 1)).string();
    while (host.clock < 29000) idle();
    EXPECT_FALSE(fs::exists(copy));
    while (host.clock < 31000) idle();
    ASSERT_TRUE(fs::exists(copy));
    Level saved;
    readLevel(saved, copy);
    EXPECT_EQ(tileCell(saved, 1, 1), 3);
    std::string line;
    {
        // Closed at once: Windows removes no file that is open.
        std::ifstream side(copy + ".info");
        std::getline(side, line);
    }
    EXPECT_EQ(line, "path: " + fs::absolute(path).string());

    // Leaving without saving (a crash, say) and opening again offers it.
    host.answers = {kDiscard};
    pass(700, 500, 0, {scan::F10});
    ASSERT_FALSE(fs::exists(copy)); // discarding removed it; write it again
    open(path);
    paint(0, 0, 9);
    while (!fs::exists(copy)) idle();
    program = std::make_unique<Program>(host); // the program is gone without a word
    startUp(*program);
    selectGame(editor().profile, "CK1");
    host.answers = {0}; // Restore
    open(path);
    EXPECT_EQ(host.questions.back().text.rfind("a.ck1 has unsaved changes from ", 0), 0u);
    EXPECT_EQ(tileCell(level(), 1, 1), 9);
    EXPECT_EQ(title(), "Tessaly Editor v0.9 - a.ck1 *");
    pass(700, 500, 0, {scan::F5});
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_FALSE(fs::exists(copy + ".info"));
}

TEST_F(UnsavedEdits, ACopyNotRestoredNorDiscardedIsKeptAndNewEditsGoBesideIt) {
    const std::string path = writeLevelFile("a.ck1", 30, 25);
    open(path);
    paint(0, 0, 3);
    while (host.clock < 31000) idle();
    const fs::path copies = dir / "state" / kProgramFolder / "recovery";
    const std::string full = fs::absolute(path).string();
    const std::string first = (copies / recoveryCopyName(full, 1)).string();
    ASSERT_TRUE(fs::exists(first));

    program = std::make_unique<Program>(host);
    startUp(*program);
    selectGame(editor().profile, "CK1");
    host.answers.clear(); // Escape
    open(path);
    EXPECT_EQ(tileCell(level(), 1, 1), 0);
    paint(0, 0, 5);
    const int64_t start = host.clock;
    while (host.clock < start + 31000) idle();
    const std::string second = (copies / recoveryCopyName(full, 2)).string();
    ASSERT_TRUE(fs::exists(second));
    Level kept;
    readLevel(kept, first);
    EXPECT_EQ(tileCell(kept, 1, 1), 3);
}

TEST_F(UnsavedEdits, AnUnnamedLevelGetsACopyThatStays) {
    host.wall = {1700000000, 3600}; // 2023-11-14 22:13:20 UTC, an hour ahead
    open("");
    paint(0, 0, 3);
    while (host.clock < 31000) idle();
    const fs::path copy =
        dir / "state" / kProgramFolder / "recovery" / "unnamed-2023-11-14-231320.ck1";
    ASSERT_TRUE(fs::exists(copy));
    host.answers = {kDiscard};
    EXPECT_EQ(pass(700, 500, 0, {scan::F10}), PassEnd::Leave);
    EXPECT_TRUE(fs::exists(copy));
}

// Another program changes, replaces or removes the file while the editor has
// it open: F5 asks before writing over anything that is not the file as the
// editor last read or wrote it, and its own saves never ask.
TEST_F(UnsavedEdits, F5AsksBeforeReplacingWhatAnotherProgramWrote) {
    const std::string path = writeLevelFile("a.ck1", 30, 25);
    open(path);
    paint(0, 0, 3);
    pass(700, 500, 0, {scan::F5});
    press(scan::F5);
    paint(0, 0, 4);
    press(scan::F5);
    EXPECT_TRUE(host.questions.empty());

    const std::vector<uint8_t> theirs(100, 7);
    putBytes(path, theirs); // written over in place
    setModifiedByThem(path);
    paint(0, 0, 5);
    host.answers = {1}; // Cancel
    press(scan::F5);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text,
              "a.ck1 was changed by another program at 2001-02-03 04:05:06, after the editor "
              "opened or saved it. Overwrite it?");
    EXPECT_EQ(host.questions[0].answers, (std::vector<std::string>{"Overwrite", "Cancel"}));
    EXPECT_EQ(readFileBytes(path), theirs);
    host.answers = {0}; // Overwrite
    press(scan::F5);
    Level reread;
    readLevel(reread, path);
    EXPECT_EQ(tileCell(reread, 1, 1), 5);

    // Replaced: by a link to a text file (on Windows, by a file renamed over it).
    const fs::path text = dir / "notes.txt";
    putBytes(text, theirs);
    setModifiedByThem(text);
#ifdef _WIN32
    fs::rename(text, path);
    const fs::path replacement = path;
#else
    fs::remove(path);
    fs::create_symlink(text, path);
    const fs::path replacement = text;
#endif
    paint(0, 0, 6);
    host.answers = {1};
    press(scan::F5);
    ASSERT_EQ(host.questions.size(), 3u);
    EXPECT_EQ(host.questions[2].text,
              "a.ck1 was replaced by another file (dated 2001-02-03 04:05:06) after the editor "
              "opened or saved it. Overwrite it?");
    EXPECT_EQ(readFileBytes(replacement.string()), theirs);

    // Removed: nothing is lost, the save puts the level back without a question.
    fs::remove(path);
    press(scan::F5);
    EXPECT_EQ(host.questions.size(), 3u);
    readLevel(reread, path);
    EXPECT_EQ(tileCell(reread, 1, 1), 6);
}

// A copy cut short is not a whole level: it is told once, kept as it is, and
// never offered, so that F5 cannot write a level of zeros over the file.
TEST_F(UnsavedEdits, ADamagedRecoveryCopyIsToldAndKeptButNotRestored) {
    const std::string path = writeLevelFile("a.ck1", 30, 25);
    const auto before = readFileBytes(path);
    for (const std::uintmax_t size : {0u, 1000u}) {
        const std::string copy = leaveACopy(path, 3);
        ASSERT_TRUE(fs::exists(copy));
        crash();
        fs::resize_file(copy, size);
        host.messages.clear();
        host.questions.clear();
        host.answers = {0}; // Restore, were it asked
        open(path);
        EXPECT_TRUE(host.questions.empty());
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].rfind("The recovery copy " + copy + " of a.ck1 from ", 0), 0u)
            << host.messages[0];
        EXPECT_EQ(tileCell(level(), 1, 1), 0);
        EXPECT_EQ(title(), "Tessaly Editor v0.9 - a.ck1");
        press(scan::F5);
        EXPECT_EQ(readFileBytes(path), before);
        EXPECT_EQ(fs::file_size(copy), size);
        // Told once.
        open(path);
        EXPECT_EQ(host.messages.size(), 1u);
        EXPECT_TRUE(host.questions.empty());
        host.answers.clear();
    }
}

// No recovery folder: the state folder is a file, then the recovery folder
// is. The user is told once per editor start.
TEST_F(UnsavedEdits, ARecoveryFolderThatCannotBeMadeIsTold) {
    const std::string path = writeLevelFile("a.ck1", 30, 25);
    fs::remove_all(dir / "state");
    putBytes(dir / "state", {1});
    for (int round = 0; round < 2; ++round) {
        host.messages.clear();
        open(path);
        paint(0, 0, 3);
        const int64_t start = host.clock;
        while (host.clock < start + 61000) idle();
        ASSERT_EQ(host.messages.size(), 1u) << round;
        EXPECT_EQ(host.messages[0].rfind("Could not make the recovery folder ", 0), 0u)
            << host.messages[0];
        host.answers = {kDiscard};
        pass(700, 500, 0, {scan::F10});
        if (round > 0) break;
        fs::remove(dir / "state");
        fs::create_directories(dir / "state" / kProgramFolder);
        putBytes(copies(), {1});
    }
}

#ifndef _WIN32
// Two editors on one level: while the first runs, the second neither offers
// nor removes its copy; once it has ended, the copy is offered.
TEST_F(UnsavedEdits, TheCopyOfAnEditorStillRunningIsLeftToIt) {
    const std::string path = writeLevelFile("a.ck1", 30, 25);
    int ready[2], done[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(done), 0);
    const pid_t first = ::fork();
    if (first == 0) {
        ::close(done[1]);
        char wrote = fs::exists(leaveACopy(path, 3)) ? 1 : 0;
        if (::write(ready[1], &wrote, 1) == 1 && ::read(done[0], &wrote, 1) >= 0) ::_exit(0);
        ::_exit(1);
    }
    ::close(done[0]);
    char wrote = 0;
    ASSERT_EQ(::read(ready[0], &wrote, 1), 1);
    ASSERT_EQ(wrote, 1);
    const fs::path copy = copies() / recoveryCopyName(fs::absolute(path).string(), 1);
    host.answers = {kDiscard};
    open(path);
    EXPECT_TRUE(host.questions.empty());
    EXPECT_TRUE(fs::exists(copy));

    ::close(done[1]);
    ::waitpid(first, nullptr, 0);
    open(path);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_FALSE(fs::exists(copy)); // discarded
}

// A line break in a level's name does not break its side file.
TEST_F(UnsavedEdits, ALevelNamedWithALineBreakHasItsCopyOffered) {
    const std::string path = writeLevelFile("two\nlines.ck1", 30, 25);
    ASSERT_TRUE(fs::exists(leaveACopy(path, 3)));
    crash();
    host.answers = {0};
    open(path);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(tileCell(level(), 1, 1), 3);
}

// Two levels of one name in two folders that take no new files: each save is
// written in place and fails half way (a file size limit). Each keeps its old
// bytes in the recovery folder under a name of its own, which the failure
// message gives.
TEST_F(UnsavedEdits, FailedSavesInPlaceKeepEachFilesOldBytesAndSayWhere) {
    std::vector<std::string> paths;
    std::vector<std::vector<uint8_t>> old;
    for (const char* folder : {"one", "two"}) {
        Level l;
        l.width = 30;
        l.height = 25;
        l.keptHeader[4] = 30;
        l.keptHeader[6] = 25;
        setTileCell(l, 1, 1, folder[0]);
        fs::create_directory(dir / folder);
        paths.push_back((dir / folder / "level.ck1").string());
        old.push_back(encodeLevelWithRuns(l)); // shorter than the editor's save
        putBytes(paths.back(), old.back());
        ::chmod(paths.back().c_str(), 0666);
        ::chmod((dir / folder).c_str(), 0555);
    }
    fs::create_directories(copies());
    ::chmod(copies().c_str(), 0777);
    std::vector<std::string> kept;
    const int status = test::inChild(true, [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{2000, 2000};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return false;
        const std::string where = " Its old contents are kept in ";
        for (std::size_t i = 0; i < 2; ++i) {
            host.messages.clear();
            open(paths[i]);
            press(scan::F5);
            const std::string told = host.messages.empty() ? "" : host.messages.back();
            const std::size_t at = told.find(where);
            if (told.rfind("Could not save " + paths[i] + ": ", 0) != 0 ||
                at == std::string::npos) {
                std::fprintf(stderr, "told: %s\n", told.c_str());
                return false;
            }
            kept.push_back(told.substr(at + where.size(), told.size() - at - where.size() - 1));
        }
        return kept[0] != kept[1] && readFileBytes(kept[0]) == old[0] &&
               readFileBytes(kept[1]) == old[1];
    });
    for (const char* folder : {"one", "two"}) ::chmod((dir / folder).c_str(), 0755);
    if (status == test::kCannotDropPrivileges) GTEST_SKIP() << "cannot drop root privileges";
    EXPECT_EQ(status, 0);
    for (std::size_t i = 0; i < 2; ++i) EXPECT_EQ(readFileBytes(paths[i]), old[i]);
}
#endif

TEST(RecoveryNames, DateAndTimeInTheUsersTime) {
    EXPECT_EQ(formatDateTime({946684800, 0}), "2000-01-01 00:00:00");
    EXPECT_EQ(formatDateTime({951782400 + 86399, 0}), "2000-02-29 23:59:59");
    EXPECT_EQ(formatDateTime({0, -3600}), "1969-12-31 23:00:00");
    const std::string a = recoveryCopyName("/levels/LEVEL01.CK1", 1);
    EXPECT_EQ(a.substr(0, 8), "LEVEL01-");
    EXPECT_EQ(a.substr(a.size() - 4), ".CK1");
    EXPECT_NE(a, recoveryCopyName("/other/LEVEL01.CK1", 1));
    EXPECT_EQ(recoveryCopyName("/levels/LEVEL01.CK1", 2), a.substr(0, a.size() - 4) + "-2.CK1");
}

} // namespace
} // namespace tessaly
