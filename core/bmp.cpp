#include "core/bmp.h"

#include <algorithm>
#include <cstring>

#include "core/bytes.h"

namespace tessaly {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;

// What the loader needs to know of a BMP file, found and checked before a
// single byte of the store or the palette is touched.
//
// File layout, all little-endian: a 14-byte file header ("BM", file size,
// reserved, offset of the pixel data at 10), an info header whose size comes
// first (40 bytes, or the 108- and 124-byte versions that keep the same fields
// at the same places: width at 18, height at 22, planes at 26, bits per pixel
// at 28, compression at 30), then the colour table of blue, green, red, unused
// quadruples, then the pixel rows padded to 4 bytes, bottom row first unless
// the height is negative.
struct BmpLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bits = 0;
    std::size_t pixels = 0; // offset of the first stored row
    std::size_t stride = 0; // bytes per stored row
    std::size_t table = 0;  // offset of the colour table
    int colours = 0;        // colour table entries to take, 0..256
};

bool readLayout(std::span<const uint8_t> file, BmpLayout& out) {
    if (file.size() < kFileHeaderBytes + 40) return false;
    if (file[0] != 'B' || file[1] != 'M') return false;
    const uint32_t infoSize = readLe32(file.data() + 14);
    if (infoSize != 40 && infoSize != 108 && infoSize != 124) return false;
    if (file.size() < kFileHeaderBytes + infoSize) return false;

    const int64_t width = int32_t(readLe32(file.data() + 18));
    const int64_t signedHeight = int32_t(readLe32(file.data() + 22));
    const int64_t height = signedHeight < 0 ? -signedHeight : signedHeight;
    const int bits = readLe16(file.data() + 28);
    if (width <= 0 || height == 0 || height > INT32_MAX) return false;
    if (readLe16(file.data() + 26) != 1 || (bits != 1 && bits != 4 && bits != 8)) return false;
    if (readLe32(file.data() + 30) != 0) return false; // compressed or bit fields

    // The colour table fills the space between the info header and the pixel
    // data; with the 40-byte header that is (offset - 54) / 4 entries.
    const uint64_t table = kFileHeaderBytes + infoSize;
    const uint64_t pixels = readLe32(file.data() + 10);
    if (pixels < table || pixels > file.size()) return false;
    const uint64_t colours = std::min<uint64_t>((pixels - table) / 4, 256);

    // Every row must be in the file; the last one may lack its padding.
    const uint64_t stride = (uint64_t(width) * uint64_t(bits) + 31) / 32 * 4;
    const uint64_t lastRow = (uint64_t(width) * uint64_t(bits) + 7) / 8;
    if (file.size() - pixels < stride * uint64_t(height - 1) + lastRow) return false;

    out.width = int(width);
    out.height = int(height);
    out.topDown = signedHeight < 0;
    out.bits = bits;
    out.pixels = std::size_t(pixels);
    out.stride = std::size_t(stride);
    out.table = std::size_t(table);
    out.colours = int(colours);
    return true;
}

// Whether a w x h image fits the store at `offset` (64-bit arithmetic: the
// product of two 31-bit sizes stays well inside it).
bool fitsStore(std::size_t storeSize, std::size_t offset, int w, int h) {
    if (offset > storeSize) return false;
    const uint64_t pitch = (uint64_t(w) + 15) / 16 * 16;
    return kImageHeaderBytes + uint64_t(h) * pitch <= storeSize - offset;
}

// Unpacks one stored row into palette indexes; 1- and 4-bit pixels are packed
// from the most significant bits down.
void unpackRow(const uint8_t* src, int bits, int width, uint8_t* dst) {
    switch (bits) {
    case 8:
        std::memcpy(dst, src, std::size_t(width));
        break;
    case 4:
        for (int x = 0; x < width; ++x) dst[x] = uint8_t(src[x / 2] >> (x % 2 == 0 ? 4 : 0) & 0x0F);
        break;
    default:
        for (int x = 0; x < width; ++x) dst[x] = uint8_t(src[x / 8] >> (7 - x % 8) & 1);
        break;
    }
}

} // namespace

bool loadBitmapFromBytes(Surface& surface, std::span<const uint8_t> file, std::span<uint8_t> store,
                         std::size_t offset) {
    BmpLayout bmp;
    if (!readLayout(file, bmp)) return false;
    // Safe: an image too big for its place in the store is refused whole
    // instead of being written past the store's end.
    if (!fitsStore(store.size(), offset, bmp.width, bmp.height)) return false;

    writeImageHeader(store, offset, bmp.width, bmp.height);
    const std::size_t pitch = imagePitch(bmp.width);
    uint8_t* rows = store.data() + offset + kImageHeaderBytes;
    for (int y = 0; y < bmp.height; ++y) {
        const int stored = bmp.topDown ? y : bmp.height - 1 - y;
        uint8_t* dst = rows + std::size_t(y) * pitch;
        unpackRow(file.data() + bmp.pixels + std::size_t(stored) * bmp.stride, bmp.bits, bmp.width,
                  dst);
        std::memset(dst + bmp.width, 0, pitch - std::size_t(bmp.width));
    }
    for (int i = 0; i < bmp.colours; ++i) {
        const std::size_t at = bmp.table + std::size_t(i) * 4;
        setPaletteEntry(surface, i, file[at + 2], file[at + 1], file[at]);
    }
    return true;
}

bool readBitmapColours(std::span<const uint8_t> file, std::array<Rgb, 256>& colours) {
    BmpLayout bmp;
    if (!readLayout(file, bmp)) return false;
    colours.fill(Rgb{});
    for (int i = 0; i < bmp.colours; ++i) {
        const std::size_t at = bmp.table + std::size_t(i) * 4;
        colours[std::size_t(i)] = {file[at + 2], file[at + 1], file[at]};
    }
    return true;
}

} // namespace tessaly
