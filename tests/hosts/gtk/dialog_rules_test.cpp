#include <fnmatch.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "hosts/gtk/filter_patterns.h"
#include "tests/support/temp_folder.h"

namespace tessaly {
namespace {

bool shows(const std::vector<std::string>& globs, const char* name) {
    for (const auto& g : globs) {
        if (fnmatch(g.c_str(), name, 0) == 0) return true;
    }
    return false;
}

TEST(DialogFilters, PatternsMatchWhateverTheCaseAndStarDotStarShowsEverything) {
    const auto ck1 = filterGlobs("*.ck1");
    EXPECT_EQ(ck1, std::vector<std::string>{"*.[cC][kK]1"});
    EXPECT_TRUE(shows(ck1, "LEVEL01.CK1"));
    EXPECT_TRUE(shows(ck1, "level01.ck1"));
    EXPECT_TRUE(shows(ck1, "Level01.cK1"));
    EXPECT_FALSE(shows(ck1, "LEVEL01.CK2"));
    EXPECT_FALSE(shows(ck1, "LEVEL01.CK1.BAK"));

    const auto all = filterGlobs("*.*");
    EXPECT_TRUE(shows(all, "README"));
    EXPECT_TRUE(shows(all, "LEVEL01.CK1"));

    EXPECT_EQ(filterGlobs("*.dd2; *.NIN"),
              (std::vector<std::string>{"*.[dD][dD]2", "*.[nN][iI][nN]"}));
    EXPECT_EQ(filterGlobs("lev[0-9].x"), std::vector<std::string>{"[lL][eE][vV][0-9].[xX]"});
    EXPECT_TRUE(filterGlobs("").empty());
    EXPECT_TRUE(filterGlobs(" ; ").empty());
}

class DialogPaths : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(dir / "folder");
        std::ofstream(dir / "LEVEL01.CK1") << "x";
    }
    std::string at(const char* name) const { return (dir / name).string(); }
    test::TempFolder folder;
    std::filesystem::path dir = folder.fsPath();
};

TEST_F(DialogPaths, OpenTakesOnlyAnExistingRegularFile) {
    EXPECT_TRUE(acceptableToOpen(at("LEVEL01.CK1")));
    EXPECT_FALSE(acceptableToOpen(at("LEVEL02.CK1")));
    EXPECT_FALSE(acceptableToOpen(at("folder")));
    EXPECT_FALSE(acceptableToOpen(""));
}

TEST_F(DialogPaths, SaveTakesANewNameInAnExistingFolderOrAnExistingFile) {
    EXPECT_TRUE(acceptableToSave(at("LEVEL01.CK1"))); // overwritten without a question
    EXPECT_TRUE(acceptableToSave(at("new level")));   // taken as typed, no extension added
    EXPECT_FALSE(acceptableToSave(at("missing/new.ck1")));
    EXPECT_FALSE(acceptableToSave(at("folder")));
    EXPECT_FALSE(acceptableToSave(at("folder/")));
    EXPECT_FALSE(acceptableToSave(""));
    // Any length the system takes: a name far past the old 260-byte limit.
    std::filesystem::path deep = dir;
    for (int i = 0; i < 4; ++i) deep /= std::string(80, char('a' + i));
    std::filesystem::create_directories(deep);
    EXPECT_TRUE(acceptableToSave((deep / "LEVEL01.CK1").string()));
}

} // namespace
} // namespace tessaly
