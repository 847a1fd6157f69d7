#include <gtest/gtest.h>

#include <string>

#include "level/games.h"

namespace tessaly {
namespace {

// The build reads the games' ids and names from the table's source; what it
// makes per game must be what the program knows.
TEST(GameList, TheBuildsListIsTheTable) {
    std::string ids, names;
    for (const GameRecord& game : kGames) {
        ids += (ids.empty() ? "" : ",") + std::string(game.gameId);
        names += (names.empty() ? "" : ",") + std::string(game.name);
    }
    EXPECT_EQ(ids, TESSALY_BUILD_GAME_IDS);
    EXPECT_EQ(names, TESSALY_BUILD_GAME_NAMES);
}

TEST(GameList, ListsForPeople) {
    EXPECT_EQ(listGames(GameListing::Ids), "DD2, CK1, CK2, CK3 or NIN");
    EXPECT_EQ(listGames(GameListing::Extensions, " ", " "), ".dd2 .ck1 .ck2 .ck3 .nin");
    EXPECT_EQ(listGames(GameListing::Names, ", ", " and "),
              "Dangerous Dave 2, Commander Keen 1, Commander Keen 2, Commander Keen 3 and "
              "Shadow Knight");
}

} // namespace
} // namespace tessaly
