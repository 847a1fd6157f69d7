// Writing 8-bit BMP files. The layout: a 14-byte file header ("BM", file
// size, two reserved words, pixel data offset), a 40-byte info header (size,
// width, positive height for bottom-up rows, 1 plane, 8 bits, no compression,
// image size, 2835 pixels per metre both ways, 256 colours used and
// important), a 256-entry colour table of blue, green, red, 0, then the rows
// from the bottom row up, each padded with zero bytes to a multiple of 4.
#include <cstddef>
#include <cstdint>

#include "core/bmp.h"

#include "core/bytes.h"

namespace tessaly {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;
constexpr std::size_t kColourTableBytes = 256 * 4;
constexpr std::size_t kPixelDataOffset = kFileHeaderBytes + kInfoHeaderBytes + kColourTableBytes;
// Larger pictures would overflow the header's 32-bit size fields.
constexpr int kMaxSide = 32768;

} // namespace

std::vector<uint8_t> encodeBitmap8(int width, int height, std::span<const uint8_t> pixels,
                                   std::span<const Rgb, 256> colours) {
    // Safe: a size the pixels cannot fill gives no file rather than a read
    // past the end of `pixels`.
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
        pixels.size() < std::size_t(width) * std::size_t(height)) {
        return {};
    }
    const std::size_t rowBytes = (std::size_t(width) + 3) / 4 * 4;
    const std::size_t imageBytes = rowBytes * std::size_t(height);
    std::vector<uint8_t> out(kPixelDataOffset + imageBytes, 0);

    out[0] = 'B';
    out[1] = 'M';
    writeLe32(out.data() + 2, uint32_t(out.size()));
    writeLe32(out.data() + 10, uint32_t(kPixelDataOffset));

    const std::size_t info = kFileHeaderBytes;
    writeLe32(out.data() + info + 0, uint32_t(kInfoHeaderBytes));
    writeLe32(out.data() + info + 4, uint32_t(width));
    writeLe32(out.data() + info + 8, uint32_t(height));
    writeLe16(out.data() + info + 12, 1);
    writeLe16(out.data() + info + 14, 8);
    writeLe32(out.data() + info + 16, 0);
    writeLe32(out.data() + info + 20, uint32_t(imageBytes));
    writeLe32(out.data() + info + 24, 2835);
    writeLe32(out.data() + info + 28, 2835);
    writeLe32(out.data() + info + 32, 256);
    writeLe32(out.data() + info + 36, 256);

    const std::size_t table = kFileHeaderBytes + kInfoHeaderBytes;
    for (std::size_t i = 0; i < 256; ++i) {
        out[table + 4 * i + 0] = colours[i].b;
        out[table + 4 * i + 1] = colours[i].g;
        out[table + 4 * i + 2] = colours[i].r;
    }

    for (int y = 0; y < height; ++y) {
        const uint8_t* source = pixels.data() + std::size_t(y) * std::size_t(width);
        uint8_t* row = out.data() + kPixelDataOffset + std::size_t(height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x) row[x] = source[x];
    }
    return out;
}

} // namespace tessaly
