#include "tests/tools/tiles/ega_writer.h"

#include <algorithm>
#include <map>
#include <random>
#include <utility>

#include "tools/tiles/lzw.h"

namespace tessaly::test {

namespace {

void putU16(std::vector<uint8_t>& b, std::size_t at, uint32_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}

void putU32(std::vector<uint8_t>& b, std::size_t at, uint32_t v) {
    putU16(b, at, v & 0xFFFF);
    putU16(b, at + 2, v >> 16);
}

} // namespace

void BitWriter::write(uint32_t code, int width) {
    for (int i = width - 1; i >= 0; --i, ++bits) {
        if (bits % 8 == 0) bytes.push_back(0);
        if ((code >> i) & 1) bytes.back() |= uint8_t(0x80 >> (bits % 8));
    }
}

// The encoder makes an entry for every code it writes, one code ahead of the
// decoder, which makes it on reading the next code; the code width follows the
// decoder's count, since the decoder must read each code at the width it has.
std::vector<uint8_t> compressLzw(std::span<const uint8_t> data, LzwStats* stats) {
    BitWriter out;
    std::map<std::pair<uint32_t, uint8_t>, uint32_t> dictionary;
    uint32_t encoderNext = kLzwFirstEntry;
    uint32_t decoderNext = kLzwFirstEntry;
    int width = kLzwFirstWidth;
    bool first = true;
    LzwStats local;

    auto emit = [&](uint32_t code) {
        out.write(code, width);
        local.widestCode = std::max(local.widestCode, width);
        if (!first && decoderNext < kLzwDictionarySize) {
            ++decoderNext;
            if (decoderNext == (1u << width) - 1 && width < kLzwMaxWidth) ++width;
        }
        first = false;
    };

    if (!data.empty()) {
        uint32_t current = data[0];
        for (std::size_t i = 1; i < data.size(); ++i) {
            const auto key = std::make_pair(current, data[i]);
            if (auto found = dictionary.find(key); found != dictionary.end()) {
                current = found->second;
                continue;
            }
            emit(current);
            if (encoderNext < kLzwDictionarySize) dictionary[key] = encoderNext++;
            current = data[i];
        }
        emit(current);
    }
    out.write(kLzwEndCode, width);
    local.dictionaryFull = decoderNext == kLzwDictionarySize;
    if (stats) *stats = local;
    return out.bytes;
}

std::vector<uint8_t> tilePlanes(const TilePixels& tile) {
    std::vector<uint8_t> planes(kPlanarTileBytes);
    for (int p = 0; p < 4; ++p)
        for (int y = 0; y < kTileSide; ++y)
            for (int x = 0; x < kTileSide; ++x)
                if ((tile[y * kTileSide + x] >> p) & 1)
                    planes[p * kTilePlaneBytes + 2 * y + x / 8] |= uint8_t(0x80 >> (x % 8));
    return planes;
}

std::vector<uint8_t> egaTilesFile(std::span<const TilePixels> tiles) {
    std::vector<uint8_t> file;
    for (const TilePixels& tile : tiles) {
        const std::vector<uint8_t> planes = tilePlanes(tile);
        file.insert(file.end(), planes.begin(), planes.end());
    }
    return file;
}

std::vector<uint8_t> egaHeadFile(uint32_t planeBytes, uint16_t tileCount, uint32_t tileOffset) {
    std::vector<uint8_t> head(kLatchHeaderBytes + 16);
    putU32(head, 0, planeBytes);
    putU16(head, 16, 256); // font: 256 characters of 8 bytes at 0
    putU32(head, 18, 0);
    putU16(head, 28, tileCount);
    putU32(head, 30, tileOffset);
    putU16(head, 34, 1); // one bitmap, one sprite, after the tiles
    putU32(head, 36, tileOffset + 32u * tileCount);
    putU16(head, 40, 1);
    putU32(head, 42, tileOffset + 32u * tileCount);
    return head;
}

std::vector<uint8_t> latchPlanes(uint32_t planeBytes, uint32_t tileOffset,
                                 std::span<const TilePixels> tiles, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> planes(std::size_t(planeBytes) * 4);
    for (uint8_t& b : planes) b = uint8_t(random());
    for (std::size_t t = 0; t < tiles.size(); ++t) {
        const std::vector<uint8_t> tile = tilePlanes(tiles[t]);
        for (int p = 0; p < 4; ++p)
            std::copy_n(tile.begin() + p * kTilePlaneBytes, kTilePlaneBytes,
                        planes.begin() + p * planeBytes + tileOffset + 32 * t);
    }
    return planes;
}

std::vector<uint8_t> compressedLatch(std::span<const uint8_t> planes, LzwStats* stats) {
    std::vector<uint8_t> file(6);
    putU32(file, 0, uint32_t(planes.size()));
    putU16(file, 4, kLzwMaxWidth);
    const std::vector<uint8_t> stream = compressLzw(planes, stats);
    file.insert(file.end(), stream.begin(), stream.end());
    return file;
}

std::vector<TilePixels> randomTiles(std::size_t count, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<TilePixels> tiles(count);
    for (TilePixels& tile : tiles)
        for (uint8_t& pixel : tile) pixel = uint8_t(random() % 16);
    return tiles;
}

} // namespace tessaly::test
