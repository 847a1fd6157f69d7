// Test play on the tests' host: what is played and what is refused, and the
// play folders going once nothing uses them. The whole F9 flow with its
// dialogs is run by the replay cases play_* (tests/e2e).
#include <gtest/gtest.h>

#include <filesystem>

#include "app/program.h"
#include "app/start_screen.h"
#include "app/test_play.h"
#include "level/profile.h"
#include "system/files.h"
#include "system/folder_tree.h"
#include "system/user_folders.h"
#include "tests/support/temp_folder.h"
#include "tests/support/scoped_env.h"
#include "tests/support/test_host.h"

namespace tessaly::test {
namespace {

namespace fs = std::filesystem;
using Scratch = TempFolder;

struct TestPlay : ::testing::Test {
    Scratch scratch;
    // The user's cache and config folders in the scratch folder.
    ScopedEnv cache{"XDG_CACHE_HOME", scratch.file("cache").c_str()};
    ScopedEnv config{"XDG_CONFIG_HOME", scratch.file("config").c_str()};
    ScopedEnv localAppData{"LOCALAPPDATA", scratch.file("cache").c_str()};
    ScopedEnv appData{"APPDATA", scratch.file("config").c_str()};
    TestHost host;
    std::unique_ptr<Program> program = std::make_unique<Program>(host);

    void SetUp() override {
        startUp(*program);
        selectGame(program->editor->profile, "CK1");
    }
    std::string playFolder(const std::string& name) {
        return scratch.file("cache/tessaly/play/" + name);
    }
};

TEST_F(TestPlay, AnEmptyMapOrALevelWithErrorsIsNotPlayed) {
    playLevel(*program, false);
    Level& level = program->editor->level;
    level.width = 3;
    level.height = 2;
    setObjectCell(level, 1, 1, kPlayerStart);
    setObjectCell(level, 3, 2, kPlayerStart);
    playLevel(*program, false);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0], "There is no level to play: the map is empty (0 x 0).");
    EXPECT_EQ(host.messages[1].rfind("(no file) cannot be played: the game would fail on its "
                                     "errors.\n3,2: another player start",
                                     0),
              0u)
        << host.messages[1];
    EXPECT_TRUE(host.folderRequests.empty());
    EXPECT_TRUE(host.processes.empty());
}

TEST_F(TestPlay, APlayFolderGoesWhenNothingUsesIt) {
    std::string why;
    for (int i = 1; i <= 3; ++i) ASSERT_FALSE(makeNumberedFolder(playFolder(""), &why).empty());
    const ProcessOwner self = thisProcess();
    const std::string used = "editor: 1 1 elsewhere\ndosbox: " + std::to_string(self.id) + " " +
                             std::to_string(self.started) + " " + self.host + "\n";
    putFile(playFolder("1/TESSALY.RUN"), std::vector<uint8_t>(used.begin(), used.end()));
    putFile(playFolder("2/TESSALY.RUN"), {'x'});
    fs::create_directory(playFolder("saves"));
    removeLeftoverPlays();
    EXPECT_TRUE(fs::exists(playFolder("1")));
    EXPECT_FALSE(fs::exists(playFolder("2")));
    EXPECT_FALSE(fs::exists(playFolder("3")));
    EXPECT_TRUE(fs::exists(playFolder("saves")));

    program->play.running = {{playFolder("1"), self},
                             {playFolder("4"), ProcessOwner{1, 1, "elsewhere"}}};
    fs::create_directory(playFolder("4"));
    tickPlays(*program);
    EXPECT_TRUE(fs::exists(playFolder("1")));
    EXPECT_FALSE(fs::exists(playFolder("4")));
    ASSERT_EQ(program->play.running.size(), 1u);
}

TEST(DosBoxConfig, MountsTheQuotedFolderRunsTheGameAndEndsWithIt) {
    EXPECT_EQ(dosBoxConfig("C:\\PLAY\\1", "KEEN1.EXE")
                  .substr(dosBoxConfig("C:\\PLAY\\1", "KEEN1.EXE").find("[autoexec]")),
              "[autoexec]\n@echo off\nmount c \"C:\\PLAY\\1\"\nc:\nKEEN1.EXE\nexit\n");
}

} // namespace
} // namespace tessaly::test
