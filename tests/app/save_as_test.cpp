// Save As as users expect it: the dialog starts at the level's own file, a
// name typed without an extension gets the game's, and an existing file is
// asked about by the dialog itself.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "app/dialog_requests.h"
#include "app/program.h"
#include "app/save_commands.h"
#include "app/start_screen.h"
#include "level/profile.h"
#include "system/path_text.h"
#include "tests/support/test_host.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

TEST(SaveAsDialog, StartsAtTheLevelsOwnFileTheOpenDialogWhereTheLastChoiceWas) {
    TestHost host;
    std::string folder = "/last";
    host.saveAnswers = {"", ""};
    host.openAnswers = {""};
    // A level named on the command line, relative to the working folder.
    showSaveDialog(host, "CK1", folder, "levels/LEVEL01.CK1");
    showSaveDialog(host, "CK1", folder, ""); // a level with no file yet
    showOpenDialog(host, "CK1", folder);
    ASSERT_EQ(host.saveRequests.size(), 2u);
    const DialogRequest& own = host.saveRequests[0];
    EXPECT_EQ(pathFromUtf8(own.folder), fs::current_path() / "levels");
    EXPECT_EQ(own.fileName, "LEVEL01.CK1");
    EXPECT_EQ(own.defaultExtension, "ck1");
    EXPECT_TRUE(own.confirmOverwrite);
    EXPECT_EQ(host.saveRequests[1].folder, "/last");
    EXPECT_EQ(host.saveRequests[1].fileName, "");
    EXPECT_EQ(host.openRequests[0].folder, "/last");
    EXPECT_FALSE(host.openRequests[0].confirmOverwrite);
    EXPECT_EQ(folder, "/last"); // cancelled dialogs move nothing
}

// Whatever the dialog returns, a name without an extension of its own gets
// the game's; a dot in a folder's name is no extension.
TEST(SaveAsDialog, ANameWithoutAnExtensionGetsTheGames) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/levels/mycopy", "/levels/mycopy.nin"},   {"/levels.v2/mycopy", "/levels.v2/mycopy.nin"},
        {"/levels/my.copy", "/levels/my.copy"},     {"/levels/LEVEL01.NIN", "/levels/LEVEL01.NIN"},
        {"/levels/.hidden", "/levels/.hidden.nin"},
    };
    for (const auto& [chosen, saved] : cases) {
        TestHost host;
        host.saveAnswers = {chosen};
        std::string folder;
        EXPECT_EQ(showSaveDialog(host, "NIN", folder, ""), saved) << chosen;
    }
}

TEST(SaveAsDialog, WritesTheLevelUnderTheNameWithTheExtension) {
    const fs::path dir =
        fs::temp_directory_path() / ("tessaly-save-as-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    TestHost host;
    auto program = std::make_unique<Program>(host);
    startUp(*program);
    selectGame(program->editor->profile, "CK1");
    host.saveAnswers = {(dir / "mycopy").string()};
    EXPECT_TRUE(saveLevelAs(*program));
    EXPECT_EQ(program->editor->level.fileName, (dir / "mycopy.ck1").string());
    EXPECT_TRUE(fs::is_regular_file(dir / "mycopy.ck1"));
    EXPECT_FALSE(fs::exists(dir / "mycopy"));
    fs::remove_all(dir);
}

} // namespace
} // namespace tessaly
