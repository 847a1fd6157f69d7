#include "system/resources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "system/user_folders.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_folder.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

// An installed tree under a temporary prefix (prefix/bin, prefix/share) and a
// user data folder beside it.
class TileBitmapLookup : public ::testing::Test {
  protected:
    TileBitmapLookup() {
        fs::create_directories(bin);
        fs::create_directories(installed);
    }

    static void touch(const fs::path& path) {
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "bitmap";
    }

    test::TempFolder folder;
    fs::path root = folder.fsPath();
    fs::path bin = root / "prefix/bin";
    fs::path beside = bin / "Resources";
    fs::path installed = root / "prefix/share/tessaly/Resources";
    fs::path data = root / "data";
    fs::path user = data / "tessaly/Resources";
    ScopedEnv dataHome{"XDG_DATA_HOME", data.c_str()};
};

TEST_F(TileBitmapLookup, FoldersBesideTheProgramThenTheUsersThenTheInstalledOnes) {
    EXPECT_EQ(tileBitmapFolders(bin.string()),
              (std::vector<std::string>{beside.string(), user.string(), installed.string()}));
    // A relative executable folder keeps the installed folder relative to it.
    EXPECT_EQ(tileBitmapFolders("bin").back(), "share/tessaly/Resources");
}

TEST_F(TileBitmapLookup, TheFirstFolderThatHoldsTheBitmapWins) {
    // None has it: the path beside the program, which messages name.
    EXPECT_EQ(findTileBitmap(bin.string(), "CK1TILES.bmp"), (beside / "CK1TILES.bmp").string());

    touch(installed / "CK1TILES.bmp");
    EXPECT_EQ(findTileBitmap(bin.string(), "CK1TILES.bmp"), (installed / "CK1TILES.bmp").string());
    touch(user / "ck1tiles.BMP");
    EXPECT_EQ(findTileBitmap(bin.string(), "CK1TILES.bmp"), (user / "ck1tiles.BMP").string());
    touch(beside / "CK1TILES.bmp");
    EXPECT_EQ(findTileBitmap(bin.string(), "CK1TILES.bmp"), (beside / "CK1TILES.bmp").string());

    // A folder of the bitmap's name is no bitmap; the next folder is tried.
    fs::create_directories(beside / "CK2TILES.bmp");
    touch(installed / "CK2TILES.bmp");
    EXPECT_EQ(findTileBitmap(bin.string(), "CK2TILES.bmp"), (installed / "CK2TILES.bmp").string());
}

TEST_F(TileBitmapLookup, WithNoUserDataFolderTheOtherTwoAreSearched) {
    ScopedEnv noData("XDG_DATA_HOME", nullptr);
    ScopedEnv noHome("HOME", nullptr);
    EXPECT_EQ(userDataFolder(), "");
    EXPECT_EQ(tileBitmapFolders(bin.string()),
              (std::vector<std::string>{beside.string(), installed.string()}));
    EXPECT_EQ(tileBitmapImportFolder(bin.string()), "");
}

TEST_F(TileBitmapLookup, UserDataFolderFollowsTheDesktopsRules) {
    EXPECT_EQ(userDataFolder(), (data / "tessaly").string());
    ScopedEnv home("HOME", "/home/someone");
    {
        // A relative path in the variable is ignored.
        ScopedEnv relative("XDG_DATA_HOME", "relative/data");
        EXPECT_EQ(userDataFolder(), "/home/someone/.local/share/tessaly");
    }
    ScopedEnv unset("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(userDataFolder(), "/home/someone/.local/share/tessaly");
}

TEST_F(TileBitmapLookup, ImportsGoBesideTheProgramOnlyWhereItHasAWritableResourcesFolder) {
    // An installed program has none: the user's folder, which is not made here.
    EXPECT_EQ(tileBitmapImportFolder(bin.string()), user.string());
    EXPECT_FALSE(fs::exists(beside));
    EXPECT_FALSE(fs::exists(user));

    fs::create_directories(beside);
    EXPECT_EQ(tileBitmapImportFolder(bin.string()), beside.string());

    // The superuser may write anywhere, so only others see a read-only folder.
    if (::geteuid() != 0) {
        ::chmod(beside.c_str(), 0555);
        EXPECT_EQ(tileBitmapImportFolder(bin.string()), user.string());
        ::chmod(beside.c_str(), 0755);
    }
}

} // namespace
} // namespace tessaly
