// The findings of tessaly-level check, one kind at a time, on small levels
// put together word by word.
#include "level/games.h"
#include "level/level_check.h"

#include "level_test_support.h"

#include <gtest/gtest.h>

#include <cctype>

namespace tessaly {

// Findings in failure messages as the tool would print them.
void PrintTo(const Finding& f, std::ostream* out) {
    if (f.cell) *out << f.cell->column << "," << f.cell->row << ": ";
    *out << (f.kind == Finding::Kind::Error ? "error: " : "note: ") << f.text;
}

namespace {

using test::addWords;
using Kind = Finding::Kind;

// A level file of width x height with these tile and object cells, row by
// row, and nothing after them.
std::vector<uint8_t> levelFile(int width, int height, std::initializer_list<int> tiles,
                               std::initializer_list<int> objects) {
    std::vector<uint8_t> bytes = test::plainHeader(width, height);
    addWords(bytes, tiles);
    addWords(bytes, objects);
    return bytes;
}

struct Checked {
    std::unique_ptr<Level> level = test::newLevel();
    std::vector<Finding> findings;
};

Checked check(const std::vector<uint8_t>& bytes, const char* gameId) {
    Checked c;
    const LevelReadInfo info = readLevelFromBytes(*c.level, bytes);
    c.findings = checkLevel(info, *c.level, gameId ? findGame(gameId) : nullptr);
    return c;
}

Finding error(std::optional<Cell> cell, std::string text) {
    return {Kind::Error, cell, std::move(text)};
}

Finding note(std::string text) {
    return {Kind::Note, std::nullopt, std::move(text)};
}

const std::string kNoStart =
    "no player start (object 255), as in the games' title and ending levels";

TEST(LevelCheck, ALevelAsTheGamesWantItHasNoFindings) {
    // 3 x 2: the player, a Zombie, and two doors at (3, 1) and (3, 2) linked
    // to each other as Dangerous Dave 2 counts links (from 0), tiles below
    // every game's map tile count.
    const auto bytes = levelFile(3, 2, {0, 610, 5, 1, 2, 3}, {255, 1, 513, 0, 0, 512});
    for (const GameRecord& game : kGames) {
        const std::string id(game.gameId);
        EXPECT_EQ(check(bytes, id.c_str()).findings, std::vector<Finding>{}) << id;
    }
    // Padding words missing at the end of a padded file are fine.
    std::vector<uint8_t> padded = test::paddedHeader(3, 2);
    addWords(padded, {0, 1, 2, 3, 4, 5, 9, 9}); // tile plane and its 2 padding words
    addWords(padded, {255, 0, 0, 0, 0, 0});
    const Checked c = check(padded, "CK1");
    EXPECT_EQ(c.level->paddingWords, 2);
    EXPECT_EQ(c.findings, std::vector<Finding>{});
}

TEST(LevelCheck, EveryGamesSampleHasNoFindings) {
    for (const GameRecord& game : kGames) {
        std::string ext(game.gameId);
        for (char& ch : ext) ch = char(std::tolower(static_cast<unsigned char>(ch)));
        auto level = test::newLevel();
        const std::string path = std::string(TESSALY_SAMPLES_DIR) + "/sample." + ext;
        const LevelReadInfo info = readLevel(*level, path);
        EXPECT_EQ(checkLevel(info, *level, gameOfPath(path)), std::vector<Finding>{}) << path;
    }
}

TEST(LevelCheck, AFileThatCannotBeReadOrIsRefused) {
    auto level = test::newLevel();
    EXPECT_EQ(checkLevel(readLevel(*level, "/nonexistent/level.dd2"), *level, findGame("DD2")),
              std::vector<Finding>{error(std::nullopt, "cannot be read")});
    EXPECT_EQ(check(test::plainHeader(3, 257), "DD2").findings,
              std::vector<Finding>{error(std::nullopt, "declares more than 256 columns or rows")});
}

TEST(LevelCheck, AFileCutShortOrTooLongIsNoWholeLevel) {
    // Its player start may lie in the cells it lacks: no note says there is none.
    std::vector<uint8_t> cut = levelFile(3, 2, {1, 2, 3, 4, 5, 6}, {0, 0, 0, 0, 0});
    EXPECT_EQ(check(cut, "CK2").findings,
              std::vector<Finding>{error(std::nullopt, "not a whole level: the file ends before "
                                                       "the last of the 3 x 2 cells its header "
                                                       "declares")});
    // The longest file of a 3 x 2 level writes every word as a six-byte run.
    std::vector<uint8_t> longest = levelFile(3, 2, {1, 2, 3, 4, 5, 6}, {255, 0, 0, 0, 0, 0});
    longest.resize(4 + 6 * (16 + 12), 0);
    EXPECT_EQ(check(longest, "CK2").findings, std::vector<Finding>{});
    longest.push_back(0);
    EXPECT_EQ(check(longest, "CK2").findings,
              std::vector<Finding>{error(std::nullopt, "not a whole level: 173 bytes, more than "
                                                       "the longest file of a 3 x 2 level (172 "
                                                       "bytes)")});
}

TEST(LevelCheck, EveryPlayerStartAfterTheFirstIsAnError) {
    // Row by row: (2,1) first, then (1,2) and (3,2).
    const auto bytes = levelFile(3, 2, {0, 0, 0, 0, 0, 0}, {0, 255, 0, 255, 1, 255});
    for (const char* game : {"DD2", "CK3", static_cast<const char*>(nullptr)}) {
        std::vector<Finding> expected = {
            error(Cell{1, 2}, "another player start (object 255); the first is at 2,1"),
            error(Cell{3, 2}, "another player start (object 255); the first is at 2,1")};
        if (!game)
            expected.push_back(
                note("the extension names no game: only the rules of every game were checked"));
        EXPECT_EQ(check(bytes, game).findings, expected) << (game ? game : "no game");
    }
}

TEST(LevelCheck, DangerousDave2DoorLinksMustLeadIntoTheLevelAndBack) {
    // 3 x 2, links counted from 0. Links to (4,1) and (2,3) lead out, 32767
    // to (128,256); (1,2) leads to (3,2) and (2,2) to (2,1), inside, but
    // neither destination links back; 32768 and 65535 are no door links.
    const auto bytes =
        levelFile(3, 2, {0, 0, 0, 0, 0, 0}, {255, 3 * 256, 256 + 2, 2 * 256 + 1, 256, 32767});
    EXPECT_EQ(check(bytes, "DD2").findings,
              (std::vector<Finding>{
                  error(Cell{2, 1}, "door link 768 leads to 4,1, outside the 3 x 2 level"),
                  error(Cell{3, 1}, "door link 258 leads to 2,3, outside the 3 x 2 level"),
                  error(Cell{3, 2}, "door link 32767 leads to 128,256, outside the 3 x 2 level"),
                  note("door link at 1,2 leads to 3,2, which holds no link back"),
                  note("door link at 2,2 leads to 2,1, which holds no link back")}));
    const auto others = levelFile(3, 2, {0, 0, 0, 0, 0, 0}, {255, 32768, 65535, 0, 0, 0});
    EXPECT_EQ(check(others, "DD2").findings, std::vector<Finding>{});
    // Values 256 and up mean other things in the other games: not judged.
    for (const GameRecord& game : kGames) {
        if (game.followsDoorLinks) continue;
        const std::string id(game.gameId);
        EXPECT_EQ(check(bytes, id.c_str()).findings, std::vector<Finding>{}) << id;
    }
}

TEST(LevelCheck, NoPlayerStartIsANote) {
    const Checked c = check(levelFile(2, 1, {0, 0}, {0, 1}), "CK1");
    EXPECT_EQ(c.findings, std::vector<Finding>{note(kNoStart)});
}

TEST(LevelCheck, TilesPastTheGamesMapTilesAreANote) {
    // Commander Keen 1 has 611 map tiles: 611 and 65535 lie past them.
    const auto bytes = levelFile(3, 2, {610, 0, 611, 0, 65535, 5}, {255, 0, 0, 0, 0, 0});
    EXPECT_EQ(check(bytes, "CK1").findings,
              std::vector<Finding>{note("2 tile cells hold a number from 611 on, past Commander "
                                        "Keen 1's map tiles (the first at 3,1)")});
    EXPECT_EQ(check(bytes, "DD2").findings,
              std::vector<Finding>{note("1 tile cell holds a number from 858 on, past Dangerous "
                                        "Dave 2's map tiles (the first at 2,2)")});
}

// The Keen games handle at most 25,000 cells; a larger level is a note.
TEST(LevelCheck, AKeenLevelPastTheGamesCellsIsANote) {
    const auto empty = [](int width, int height) {
        std::vector<uint8_t> bytes = test::plainHeader(width, height);
        bytes.resize(bytes.size() + 4 * std::size_t(width * height), 0);
        return bytes;
    };
    EXPECT_EQ(check(empty(200, 126), "CK2").findings,
              (std::vector<Finding>{
                  note("200 x 126 = 25200 cells, more than the 25,000 the Keen games handle"),
                  note(kNoStart)}));
    EXPECT_EQ(check(empty(200, 125), "CK2").findings, std::vector<Finding>{note(kNoStart)});
    EXPECT_EQ(check(empty(200, 126), "DD2").findings, std::vector<Finding>{note(kNoStart)});
}

} // namespace
} // namespace tessaly
