// Game profiles: each game's row and catalogue as the games define them.
#include "level/profile.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tessaly {
namespace {

struct Row {
    const char* id;
    std::array<int32_t, 10> tiles; // frame corners, edges, copy markers
    const char* bitmap;
    int32_t tileCount, objectCount;
};

std::array<int32_t, 10> tilesOf(const GameProfile& p) {
    return {p.frameTopLeft,    p.frameTopRight, p.frameBottomLeft, p.frameBottomRight,
            p.frameLeft,       p.frameRight,    p.frameTop,        p.frameBottom,
            p.copyStartMarker, p.copyEndMarker};
}

TEST(GameProfile, EveryGameHasItsRow) {
    const Row rows[] = {
        {"DD2", {82, 84, 108, 110, 95, 97, 83, 109, 695, 709}, "DD2TILES.bmp", 858, 28},
        {"CK1", {273, 274, 225, 227, 258, 258, 275, 226, 476, 491}, "CK1TILES.bmp", 611, 11},
        {"CK2", {359, 363, 373, 371, 360, 362, 358, 372, 403, 418}, "CK2TILES.bmp", 689, 8},
        {"CK3", {308, 298, 321, 320, 309, 309, 296, 296, 378, 406}, "CK3TILES.bmp", 624, 19},
        {"NIN", {143, 148, 182, 187, 156, 174, 144, 185, 0, 0}, "NINTILES.bmp", 871, 19},
    };
    ASSERT_EQ(kGames.size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        EXPECT_EQ(kGames[i].gameId, row.id);
        auto profile = std::make_unique<GameProfile>();
        ASSERT_TRUE(selectGame(*profile, row.id));
        EXPECT_EQ(profile->gameId, row.id);
        EXPECT_EQ(tilesOf(*profile), row.tiles) << row.id;
        EXPECT_EQ(profile->tileBitmapName, row.bitmap);
        EXPECT_EQ(profile->tileCount, row.tileCount);
        EXPECT_EQ(profile->objectCount, row.objectCount);
        // Entry 1 is the player; codes are distinct.
        EXPECT_EQ(profile->objectCode[1], 255) << row.id;
        for (int a = 1; a <= profile->objectCount; ++a) {
            for (int b = a + 1; b <= profile->objectCount; ++b) {
                EXPECT_NE(profile->objectCode[a], profile->objectCode[b]) << row.id << " " << a;
            }
        }
    }
}

TEST(GameProfile, CataloguesHoldTheGamesEntries) {
    struct Entry {
        const char* game;
        int entry;
        int32_t picture, code;
        const char* label;
    };
    const Entry entries[] = {
        {"DD2", 1, 858, 255, "Dave :-)"},
        {"DD2", 8, 864, 7, "Flare Fly Skul"},
        {"DD2", 11, 866, 11, "S_Frank BOSS1"},
        {"DD2", 20, 877, 0, "Free"},
        {"DD2", 21, 878, 257, "EXIT LEVEL DOOR"},
        {"DD2", 28, 884, 32774, "Door Bonus +Life"},
        {"CK1", 1, 858, 255, "-=Keen=-"},
        {"CK1", 7, 865, 6, "Ice Thrower RiUp"},
        {"CK1", 11, 866, 10, "Track"},
        {"CK2", 5, 863, 4, "Wall walk Drone"},
        {"CK2", 7, 865, 6, "Lift <>"},
        {"CK2", 8, 864, 7, "Zap for Shot"},
        {"CK3", 4, 861, 3, "Bany Fat"},
        {"CK3", 7, 865, 6, "Afraid! ;-]]"},
        {"CK3", 19, 876, 18, "Robot Right"},
        {"NIN", 1, 858, 255, "-=Ninja=-"},
        {"NIN", 2, 859, 1, "Blackjack Man"},
        {"NIN", 19, 871, 18, "-=18=-"},
    };
    for (const Entry& e : entries) {
        auto profile = std::make_unique<GameProfile>();
        selectGame(*profile, e.game);
        EXPECT_EQ(profile->objectPicture[e.entry], e.picture) << e.game << " " << e.entry;
        EXPECT_EQ(profile->objectCode[e.entry], e.code) << e.game << " " << e.entry;
        EXPECT_EQ(profile->objectLabel[e.entry], e.label) << e.game << " " << e.entry;
    }
}

std::vector<int> entriesWithPicture(const GameProfile& profile, int32_t picture) {
    std::vector<int> found;
    for (int entry = 1; entry <= profile.objectCount; ++entry) {
        if (profile.objectPicture[entry] == picture) found.push_back(entry);
    }
    return found;
}

TEST(GameProfile, ObjectPanelOffersTheEntriesWhosePictureLiesInItsRange) {
    const std::vector<std::pair<const char*, std::vector<int>>> expected = {
        {"DD2", {1,  2,  3,  4,  5,  6,  7,  8,  10, 11, 12, 14, 15,
                 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28}},
        {"CK1", {}},
        {"CK2", {}},
        {"CK3", {}},
        {"NIN", {14, 15, 16, 17, 18, 19}},
    };
    for (const auto& [game, entries] : expected) {
        auto profile = std::make_unique<GameProfile>();
        selectGame(*profile, game);
        std::vector<int> inRange;
        for (int entry = 1; entry <= profile->objectCount; ++entry) {
            const int32_t picture = profile->objectPicture[entry];
            if (picture >= profile->tileCount && picture <= profile->tileCount + 64) {
                inRange.push_back(entry);
            }
        }
        EXPECT_EQ(inRange, entries) << game;
    }
    auto ck3 = std::make_unique<GameProfile>();
    selectGame(*ck3, "CK3");
    EXPECT_EQ(entriesWithPicture(*ck3, 875), (std::vector<int>{17, 18}));
}

TEST(GameProfile, OtherIdsLeaveTheProfileAlone) {
    auto profile = std::make_unique<GameProfile>();
    ASSERT_TRUE(selectGame(*profile, "DD2"));
    for (const char* id : {"dd2", "", "CK4", "NIN "}) {
        EXPECT_FALSE(selectGame(*profile, id)) << id;
        EXPECT_EQ(profile->gameId, "DD2");
    }
    // A game with a shorter catalogue leaves the later entries as they were.
    ASSERT_TRUE(selectGame(*profile, "CK2"));
    EXPECT_EQ(profile->objectCount, 8);
    EXPECT_EQ(profile->objectLabel[20], "Free");
    EXPECT_EQ(profile->objectCode[28], 32774);
}

} // namespace
} // namespace tessaly
