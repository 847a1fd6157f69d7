#include "tools/tiles/ega_tiles.h"

#include <sstream>

#include "tools/tiles/lzw.h"

#include "core/bytes.h"

namespace tessaly {

namespace {

// One tile from the four 32-byte planes starting at the given offsets.
TilePixels decodeTile(std::span<const uint8_t> data, const std::array<std::size_t, 4>& plane) {
    TilePixels pixels{};
    for (int p = 0; p < 4; ++p) {
        for (int y = 0; y < kTileSide; ++y) {
            for (int x = 0; x < kTileSide; ++x) {
                const uint8_t byte = data[plane[p] + 2 * y + x / 8];
                const int bit = (byte >> (7 - x % 8)) & 1;
                pixels[y * kTileSide + x] |= uint8_t(bit << p);
            }
        }
    }
    return pixels;
}

} // namespace

LatchHeaderResult readLatchHeader(std::span<const uint8_t> file) {
    LatchHeaderResult r;
    std::ostringstream s;
    if (file.size() < kLatchHeaderBytes) {
        s << "only " << file.size() << " bytes, too short for the " << kLatchHeaderBytes
          << "-byte header";
        r.error = s.str();
        return r;
    }
    r.header.planeBytes = readLe32(file.data() + 0);
    r.header.tileCount = readLe16(file.data() + 28);
    r.header.tileOffset = readLe32(file.data() + 30);
    const LatchHeader& h = r.header;
    if (h.planeBytes == 0 || h.planeBytes > kMaxLatchPlaneBytes) {
        s << "plane size " << h.planeBytes << " is not between 1 and " << kMaxLatchPlaneBytes;
    } else if (h.tileCount == 0) {
        s << "holds no 16 x 16 tiles";
    } else if (uint64_t(h.tileOffset) + uint64_t(h.tileCount) * kTilePlaneBytes > h.planeBytes) {
        s << h.tileCount << " tiles of 32 bytes from offset " << h.tileOffset
          << " run past the plane size " << h.planeBytes;
    }
    r.error = s.str();
    return r;
}

LatchPlanesResult readLatchPlanes(std::span<const uint8_t> file, const LatchHeader& header) {
    LatchPlanesResult r;
    const uint64_t expected = uint64_t(header.planeBytes) * 4;
    std::ostringstream s;
    if (file.size() == expected) {
        r.planes.assign(file.begin(), file.end());
        return r;
    }
    // Not plain: then it must be the compressed form.
    r.compressed = true;
    if (file.size() < 6) {
        s << "only " << file.size() << " bytes: neither plain latch data (" << expected
          << " bytes) nor a compressed header";
    } else if (readLe32(file.data() + 0) != expected) {
        s << file.size() << " bytes is not the plain size " << expected
          << ", and as compressed data it claims " << readLe32(file.data() + 0) << " bytes";
    } else if (readLe16(file.data() + 4) != kLzwMaxWidth) {
        s << "compressed header gives code width " << readLe16(file.data() + 4) << ", expected "
          << kLzwMaxWidth;
    } else {
        LzwResult lzw = decompressLzw(file.subspan(6), std::size_t(expected));
        if (lzw.ok()) {
            r.planes = std::move(lzw.bytes);
        } else {
            s << lzw.error;
        }
    }
    r.error = s.str();
    return r;
}

TilesResult decodeLatchTiles(std::span<const uint8_t> planes, const LatchHeader& header) {
    TilesResult r;
    const uint64_t L = header.planeBytes;
    if (planes.size() != 4 * L ||
        uint64_t(header.tileOffset) + uint64_t(header.tileCount) * kTilePlaneBytes > L) {
        std::ostringstream s;
        s << "latch data of " << planes.size() << " bytes cannot hold " << header.tileCount
          << " tiles from offset " << header.tileOffset << " in planes of " << L << " bytes";
        r.error = s.str();
        return r;
    }
    r.tiles.reserve(header.tileCount);
    const std::size_t plane = std::size_t(L); // the planes are in memory: L fits
    for (uint32_t t = 0; t < header.tileCount; ++t) {
        const std::size_t at = header.tileOffset + kTilePlaneBytes * t;
        r.tiles.push_back(decodeTile(planes, {at, at + plane, at + 2 * plane, at + 3 * plane}));
    }
    return r;
}

TilesResult decodePlanarTiles(std::span<const uint8_t> file) {
    TilesResult r;
    if (file.empty() || file.size() % kPlanarTileBytes != 0) {
        std::ostringstream s;
        s << file.size() << " bytes is not a whole number of 128-byte tiles";
        if (file.empty()) s.str("the file is empty");
        r.error = s.str();
        return r;
    }
    const std::size_t count = file.size() / kPlanarTileBytes;
    r.tiles.reserve(count);
    for (std::size_t t = 0; t < count; ++t) {
        const std::size_t at = t * kPlanarTileBytes;
        r.tiles.push_back(decodeTile(file, {at, at + 32, at + 64, at + 96}));
    }
    return r;
}

} // namespace tessaly
