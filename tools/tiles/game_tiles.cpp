#include "tools/tiles/game_tiles.h"

namespace tessaly {

GameTilesResult decodeKeenTiles(const NamedBytes& head, const NamedBytes& latch) {
    GameTilesResult r;
    const LatchHeaderResult header = readLatchHeader(head.bytes);
    if (!header.error.empty()) {
        r.error = head.path + ": " + header.error;
        return r;
    }
    LatchPlanesResult planes = readLatchPlanes(latch.bytes, header.header);
    if (!planes.error.empty()) {
        r.error = latch.path + ": " + planes.error;
        return r;
    }
    TilesResult tiles = decodeLatchTiles(planes.planes, header.header);
    if (!tiles.error.empty()) {
        r.error = latch.path + ": " + tiles.error;
        return r;
    }
    r.tiles = std::move(tiles.tiles);
    r.compressed = planes.compressed;
    return r;
}

GameTilesResult decodeTilesFile(const NamedBytes& file) {
    GameTilesResult r;
    TilesResult tiles = decodePlanarTiles(file.bytes);
    if (!tiles.error.empty()) {
        r.error = file.path + ": " + tiles.error;
        return r;
    }
    r.tiles = std::move(tiles.tiles);
    return r;
}

} // namespace tessaly
