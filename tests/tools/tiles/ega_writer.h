// Writes the games' graphics files from known tiles, so the import can be
// checked against what went in: an LZW encoder following the decoder's rules,
// EGAHEAD / EGALATCH (plain and compressed) and EGATILES files.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "tools/tiles/ega_tiles.h"

namespace tessaly::test {

// Codes written most significant bit first.
struct BitWriter {
    std::vector<uint8_t> bytes;
    std::size_t bits = 0;
    void write(uint32_t code, int width);
};

struct LzwStats {
    int widestCode = 0;          // widest code width written
    bool dictionaryFull = false; // all 4096 entries were made
};

// The stream that decompressLzw turns back into `data`, ended by code 257.
std::vector<uint8_t> compressLzw(std::span<const uint8_t> data, LzwStats* stats = nullptr);

// A tile's four 32-byte planes (blue, green, red, intensity), one after another.
std::vector<uint8_t> tilePlanes(const TilePixels& tile);

// An EGATILES file: each tile's 128 bytes in turn.
std::vector<uint8_t> egaTilesFile(std::span<const TilePixels> tiles);

// EGAHEAD with plane size L, tile count T and tile offset O (other fields filled).
std::vector<uint8_t> egaHeadFile(uint32_t planeBytes, uint16_t tileCount, uint32_t tileOffset);

// Four planes of L bytes with the tiles at O + 32 t in each plane; every other
// byte is noise, so reading from the wrong place shows.
std::vector<uint8_t> latchPlanes(uint32_t planeBytes, uint32_t tileOffset,
                                 std::span<const TilePixels> tiles, uint32_t seed);

// The compressed EGALATCH form of latch planes: size, 12, then the stream.
std::vector<uint8_t> compressedLatch(std::span<const uint8_t> planes, LzwStats* stats = nullptr);

// Tiles of pseudo-random colours 0..15.
std::vector<TilePixels> randomTiles(std::size_t count, uint32_t seed);

} // namespace tessaly::test
