// The game table: what must hold for every game, so that a game added to the
// table works everywhere. The games' own values are pinned in profile_test.cpp
// and the dialog and start-screen tests.
#include "level/games.h"
#include "level/profile.h"
#include "views/tilesheet.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

namespace tessaly {
namespace {

constexpr int kSheetTiles = kTileSheetStrips * kTilesPerStrip; // 897

std::string lower(std::string_view text) {
    std::string s(text);
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool inSheet(int32_t tile) {
    return tile >= 0 && tile < kSheetTiles;
}

TEST(GameTable, IdsAreDistinctExtensionsAndEachIsFoundByIt) {
    std::set<std::string_view> ids;
    for (const GameRecord& game : kGames) {
        EXPECT_TRUE(ids.insert(game.gameId).second) << game.gameId;
        EXPECT_EQ(game.gameId.size(), 3u);
        for (char c : game.gameId) EXPECT_TRUE(std::isupper(c) || std::isdigit(c)) << game.gameId;
        EXPECT_EQ(findGame(game.gameId), &game);
        const std::string ext(game.gameId);
        EXPECT_EQ(gameOfPath("/levels/LEVEL01." + ext), &game);
        EXPECT_EQ(gameOfPath("level01." + lower(ext)), &game);
        EXPECT_EQ(gameOfPath("a.b/level01.Bak." + lower(ext)), &game);
        EXPECT_EQ(gameOfPath("/levels/" + ext), nullptr) << "no extension";
        EXPECT_EQ(gameOfPath("/levels." + ext + "/level01"), nullptr) << "a dot in the folder";
        EXPECT_EQ(gameOfPath("level01." + ext + "x"), nullptr);
        EXPECT_EQ(gameOfPath("level01.x" + ext), nullptr);
    }
    EXPECT_EQ(gameOfPath("level01."), nullptr);
    EXPECT_EQ(gameOfPath(""), nullptr);
    EXPECT_EQ(findGame("dd2"), nullptr);
}

TEST(GameTable, EveryPictureTheEditorDrawsLiesInTheTileSheet) {
    for (const GameRecord& game : kGames) {
        for (int32_t tile : {game.frameTopLeft, game.frameTopRight, game.frameBottomLeft,
                             game.frameBottomRight, game.frameLeft, game.frameRight, game.frameTop,
                             game.frameBottom, game.copyStartMarker, game.copyEndMarker})
            EXPECT_TRUE(inSheet(tile)) << game.gameId << " " << tile;
        // Map tiles come first in the sheet; object pictures and markers after.
        EXPECT_GT(game.tileCount, 0) << game.gameId;
        EXPECT_LT(game.tileCount, kSheetTiles) << game.gameId;
        ASSERT_FALSE(game.catalogue.empty()) << game.gameId;
        EXPECT_LT(game.catalogue.size(), std::size_t(kCatalogueSize)) << game.gameId;
        for (const CatalogueEntry& entry : game.catalogue)
            EXPECT_TRUE(inSheet(entry.picture)) << game.gameId << " " << entry.label;
        EXPECT_EQ(game.catalogue[0].code, kPlayerStart) << game.gameId;
    }
}

TEST(GameTable, EveryGamesFilesAreNamedByItsExtension) {
    for (const GameRecord& game : kGames) {
        const std::string pattern = "*." + lower(game.gameId);
        EXPECT_EQ(game.levelsPattern, pattern) << game.gameId;
        EXPECT_EQ(game.levelsDescription, std::string(game.name) + " Levels, (" + pattern + ")");
        EXPECT_TRUE(endsWith(game.openTitle, " File Map " + std::string(game.name)));
        EXPECT_EQ(game.saveTitle, "Save File Map " + std::string(game.name));
        EXPECT_EQ(game.tileBitmapName, std::string(game.gameId) + "TILES.bmp");

        ASSERT_FALSE(game.tileDataNames.empty()) << game.gameId;
        for (std::string_view name : game.tileDataNames)
            EXPECT_TRUE(endsWith(name, "." + std::string(game.gameId))) << name;
        const bool latch = game.tileLayout == TileFileLayout::Latch;
        EXPECT_EQ(latch, !game.tileHeadName.empty()) << game.gameId;
        if (latch) {
            EXPECT_EQ(game.tileHeadName, "EGAHEAD." + std::string(game.gameId));
        }
        EXPECT_FALSE(game.buttonCaption.empty());
    }
}

} // namespace
} // namespace tessaly
