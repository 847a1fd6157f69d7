// Which of a game's own files hold its map tiles, from the game table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "level/games.h"

namespace tessaly {

struct GameTileFiles {
    TileFileLayout layout = TileFileLayout::Planar;
    std::string headName;               // Latch only: "EGAHEAD.CK1"
    std::vector<std::string> dataNames; // accepted names of the tile data, first found wins
};

// False for an id the game table does not hold.
bool tileFilesForGame(std::string_view gameId, GameTileFiles& files);

} // namespace tessaly
