// Decoding a game's map tiles from its graphics files once read.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tools/tiles/ega_tiles.h"

namespace tessaly {

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
