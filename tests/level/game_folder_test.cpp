// A game's folder for test play: accepted with its program and a level
// file in any case, and the file that plays a level, named as the folder
// names its levels.
#include <gtest/gtest.h>

#include "level/game_folder.h"

namespace tessaly::test {
namespace {

std::vector<FolderEntry> files(std::initializer_list<const char*> names) {
    std::vector<FolderEntry> entries;
    for (const char* n : names) entries.push_back({n, false});
    return entries;
}

const GameRecord& ck1() {
    return *findGame("CK1");
}

TEST(GameFolder, TheUsualProgramOrASingleExeAndALevelFileInAnyCaseMakeAGameFolder) {
    GameFolderCheck c = checkGameFolder(
        files({"keen1.exe", "SETUP.EXE", "level01.ck1", "EGAHEAD.CK1", "LEVEL01.CK2"}), ck1());
    EXPECT_TRUE(c.accepted());
    EXPECT_EQ(c.programs, std::vector<std::string>{"keen1.exe"});
    EXPECT_EQ(c.levelFiles, (std::vector<std::string>{"level01.ck1", "EGAHEAD.CK1"}));

    c = checkGameFolder(files({"GAME.EXE", "LEVEL01.CK1"}), ck1());
    EXPECT_EQ(c.programs, std::vector<std::string>{"GAME.EXE"});
    c = checkGameFolder(files({"A.EXE", "b.exe", "LEVEL01.CK1"}), ck1());
    EXPECT_EQ(c.programs, (std::vector<std::string>{"A.EXE", "b.exe"}));

    std::vector<FolderEntry> folderNamedLikeAGame{{"KEEN1.EXE", true}, {"LEVEL01.CK1", true}};
    c = checkGameFolder(folderNamedLikeAGame, ck1());
    EXPECT_FALSE(c.accepted());
    EXPECT_EQ(missingFromGameFolder(c, ck1()),
              "no program (KEEN1.EXE or another .EXE file) and no level file (*.CK1)");
    c = checkGameFolder(files({"KEEN1.EXE", "LEVEL01.CK2"}), ck1());
    EXPECT_EQ(missingFromGameFolder(c, ck1()), "no level file (*.CK1)");
}

TEST(GameFolder, ALevelOfTheGamesPatternPlaysInItsSlotAnyOtherAsLevelOne) {
    EXPECT_EQ(playSlot("/levels/LEVEL07.CK1", ck1()), 7);
    EXPECT_EQ(playSlot("C:\\levels\\level12.ck1", ck1()), 12);
    EXPECT_EQ(playSlot("mylevel.ck1", ck1()), 1);
    EXPECT_EQ(playSlot("LEVEL7.CK1", ck1()), 1);
    EXPECT_EQ(playSlot("LEVEL00.CK1", ck1()), 1);
    EXPECT_EQ(playSlot("LEVEL07.CK2", ck1()), 1);
    EXPECT_EQ(playSlot("", ck1()), 1);
}

TEST(GameFolder, TheSlotsFileKeepsTheFoldersCase) {
    EXPECT_EQ(slotFileName(files({"Level07.Ck1", "LEVEL01.CK1"}), ck1(), 7), "Level07.Ck1");
    EXPECT_EQ(slotFileName(files({"egahead.ck1", "level01.ck1"}), ck1(), 9), "level09.ck1");
    EXPECT_EQ(slotFileName(files({"EGAHEAD.CK1", "level01.ck1"}), ck1(), 9), "level09.ck1");
    EXPECT_EQ(slotFileName(files({"egahead.ck1", "LEVEL01.CK1"}), ck1(), 9), "LEVEL09.CK1");
    EXPECT_EQ(slotFileName(files({"egahead.ck1"}), ck1(), 1), "level01.ck1");
    EXPECT_EQ(slotFileName(files({"KEEN1.EXE"}), ck1(), 1), "LEVEL01.CK1");
}

} // namespace
} // namespace tessaly::test
