// The build's default bitmaps replace only what the build itself wrote: an
// imported or hand-made bitmap in Resources/ survives every rebuild.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "level/games.h"
#include "system/files.h"
#include "tests/support/temp_folder.h"
#include "tools/tilegen/default_bitmaps.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

class DefaultBitmaps : public ::testing::Test {
  protected:
    std::vector<uint8_t> bytes(const std::string& name) const {
        return readFileBytes((folder / name).string()).value_or(std::vector<uint8_t>{});
    }
    void put(const std::string& name, const std::string& text) const {
        std::ofstream(folder / name, std::ios::binary) << text;
    }
    std::string run() const {
        std::ostringstream notes;
        EXPECT_TRUE(writeDefaultBitmaps(folder.string(), notes));
        return notes.str();
    }

    test::TempFolder temp;
    // Not made yet: the first run makes it.
    fs::path folder = temp.fsPath() / "Resources";
};

TEST_F(DefaultBitmaps, WritesEveryGamesBitmapAndAgainChangesNothing) {
    EXPECT_EQ(run(), "");
    for (const GameRecord& game : kGames) {
        const std::string name(game.tileBitmapName);
        EXPECT_GT(bytes(name).size(), 208u * 1104u) << name;
    }
    const std::vector<uint8_t> stamp = bytes(kTilegenStampName);
    EXPECT_EQ(std::size_t(std::count(stamp.begin(), stamp.end(), '\n')), kGames.size());

    const std::vector<uint8_t> first = bytes("CK1TILES.bmp");
    EXPECT_EQ(run(), "");
    EXPECT_EQ(bytes("CK1TILES.bmp"), first);
    EXPECT_EQ(bytes(kTilegenStampName), stamp);
}

TEST_F(DefaultBitmaps, KeepsABitmapItDidNotWrite) {
    run();
    const std::vector<uint8_t> art = bytes("CK1TILES.bmp");
    put("CK1TILES.bmp", "imported");
    const std::string notes = run();
    EXPECT_NE(notes.find("kept " + (folder / "CK1TILES.bmp").string()), std::string::npos) << notes;
    EXPECT_EQ(bytes("CK1TILES.bmp"),
              std::vector<uint8_t>({'i', 'm', 'p', 'o', 'r', 't', 'e', 'd'}));

    // Deleting it brings the default art back.
    fs::remove(folder / "CK1TILES.bmp");
    EXPECT_EQ(run(), "");
    EXPECT_EQ(bytes("CK1TILES.bmp"), art);
}

TEST_F(DefaultBitmaps, ReplacesItsOwnOlderArt) {
    run();
    const std::vector<uint8_t> art = bytes("DD2TILES.bmp");
    // An older build wrote different art and stamped it.
    const std::string older = "older art";
    put("DD2TILES.bmp", older);
    std::ostringstream line;
    line << "DD2TILES.bmp " << std::hex
         << bitmapHash(std::vector<uint8_t>(older.begin(), older.end())) << "\n";
    put(kTilegenStampName, line.str());
    EXPECT_EQ(run(), "");
    EXPECT_EQ(bytes("DD2TILES.bmp"), art);
}

TEST_F(DefaultBitmaps, WithoutAUsableStampOnlyMissingOrIdenticalFilesAreTakenAsOurs) {
    fs::create_directories(folder);
    put("NINTILES.bmp", "hand made");
    put(kTilegenStampName, "garbage\n\nNINTILES.bmp zz\n");
    const std::string notes = run();
    EXPECT_NE(notes.find("kept"), std::string::npos) << notes;
    EXPECT_EQ(bytes("NINTILES.bmp").size(), 9u);
    EXPECT_GT(bytes("CK3TILES.bmp").size(), 208u * 1104u);
}

} // namespace
} // namespace tessaly
