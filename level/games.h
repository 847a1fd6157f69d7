// What the program knows about each of the games, in one constant table: the
// one place a game is described. The editor, its dialogs, the start screen,
// the help texts, the tile import, the default tile art and the sample levels
// read it at run time; the build reads the ids and names of its records (see
// games.cpp) for what it makes per game: tile bitmaps, samples, file types,
// the desktop entry and the manual pages. A new game is a new record (and an
// art theme for its default tiles).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "level/door_link.h"

namespace tessaly {

// The object value that places the player in every game.
constexpr int32_t kPlayerStart = 255;

// One entry of a game's object catalogue: the tile picture the object panel
// and the map view show, the value the object plane holds, and its label.
struct CatalogueEntry {
    int32_t picture = 0;
    int32_t code = 0;
    std::string_view label;
};

// How a game's graphics files hold its map tiles: a header file and a latch
// file (the Keen games), or one file of planar tiles.
enum class TileFileLayout { Latch, Planar };

struct GameRecord {
    // "DD2": the start-screen button's name and, in any case, the extension
    // of the game's level files.
    std::string_view gameId;
    std::string_view name; // "Dangerous Dave 2"

    // The editor screen: frame corners and edges round the map view and the
    // panels, the two copy-corner markers, the tile bitmap in Resources/, the
    // number of map tiles (numbers from tileCount on are object pictures and
    // markers, and the object panel starts there), the object catalogue.
    int32_t frameTopLeft = 0, frameTopRight = 0, frameBottomLeft = 0, frameBottomRight = 0;
    int32_t frameLeft = 0, frameRight = 0, frameTop = 0, frameBottom = 0;
    int32_t copyStartMarker = 0, copyEndMarker = 0;
    std::string_view tileBitmapName;
    int32_t tileCount = 0;
    std::span<const CatalogueEntry> catalogue; // entries 1, 2, ... in order
    // Whether the game itself takes object values 256..32767 as door links
    // (see door_link.h) and so needs their destinations inside the level; in
    // the other games such values mean other things.
    bool followsDoorLinks = false;
    // How its door links count columns and rows (door_link.h).
    LinkCounting linkCounting = LinkCounting::FromOne;
    // Whether its doors come in pairs, each linked to the other: a link whose
    // destination holds no link back is worth a note.
    bool doorsInPairs = false;
    // The most cells a level of the game can have for the game to handle it
    // (0: as many as a level file holds), and who handles that many, for the
    // note about a larger level ("the Keen games").
    int32_t cellLimit = 0;
    std::string_view cellLimitHolders;

    // The open and save dialogs: the levels filter and the two titles.
    std::string_view levelsDescription;
    std::string_view levelsPattern;
    std::string_view openTitle;
    std::string_view saveTitle;

    // The game's button on the start screen: caption and colour scheme
    // (five palette indexes, lightest first).
    std::string_view buttonCaption;
    std::array<uint8_t, 5> buttonColours{};

    // The game's own files that tessaly-tiles import reads the tiles from,
    // whatever the case of their names: the header (Latch only) and the tile
    // data (the first of these names found is read).
    TileFileLayout tileLayout = TileFileLayout::Planar;
    std::string_view tileHeadName;
    std::span<const std::string_view> tileDataNames;

    // Which of the default art's themes draws the game's tiles and frame.
    int artTheme = 0;

    // Test play (app/test_play.h): the names the game's program has in its
    // releases, any case, and the stem of its level files' names, which
    // number the levels with two digits ("LEVEL" for LEVEL07.CK1).
    std::span<const std::string_view> programNames;
    std::string_view levelFileStem;
};

// The games in the table's order, which the start screen follows.
extern const std::span<const GameRecord> kGames;

// The game whose id is exactly `gameId`; nullptr for any other text.
const GameRecord* findGame(std::string_view gameId);

// The game whose id a file's extension spells, in any case ("level1.ck1",
// "LEVEL1.CK1"); nullptr for a path with another or no extension.
const GameRecord* gameOfPath(std::string_view path);

// The games listed for people: their ids ("DD2, CK1, CK2, CK3 or NIN"),
// their level files' extensions (".dd2, .ck1, .ck2, .ck3 or .nin") or their
// names ("Dangerous Dave 2, ..., Commander Keen 3 and Shadow Knight"), joined
// with `separator` and `last` before the last one.
enum class GameListing { Ids, Extensions, Names };
std::string listGames(GameListing what, std::string_view separator = ", ",
                      std::string_view last = " or ");

} // namespace tessaly
