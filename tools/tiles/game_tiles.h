// Which graphics files hold a game's map tiles, and decoding them once read.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/tiles/ega_tiles.h"

namespace tessaly {

enum class TileFileLayout { Latch, Planar };

struct GameTileFiles {
    TileFileLayout layout = TileFileLayout::Planar;
    std::string headName;               // Latch only: "EGAHEAD.CK1"
    std::vector<std::string> dataNames; // accepted names of the tile data, first found wins
};

// False for an id other than DD2, CK1, CK2, CK3, NIN.
bool tileFilesForGame(std::string_view gameId, GameTileFiles& files);

// A file's bytes and the path to name it by in messages.
struct NamedBytes {
    std::string path;
    std::span<const uint8_t> bytes;
};

struct GameTilesResult {
    std::vector<TilePixels> tiles;
    bool compressed = false;
    std::string error; // "PATH: problem"; empty on success
};

GameTilesResult decodeKeenTiles(const NamedBytes& head, const NamedBytes& latch);
GameTilesResult decodeTilesFile(const NamedBytes& tiles);

} // namespace tessaly
