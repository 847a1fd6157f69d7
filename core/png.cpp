#include "core/png.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <zlib.h>

namespace tessaly {

namespace {

// Deflate through zlib, the fastest level: a whole 4096 x 4096 level picture
// goes through stb_image_write's own deflate in about half a second, through
// zlib's in a fraction of that, and its rows of repeated tiles compress about
// as well. The buffer is malloc's, as stb frees it with free.
unsigned char* deflateWithZlib(unsigned char* data, int size, int* outSize, int /*quality*/) {
    uLongf room = compressBound(uLong(size));
    auto* out = static_cast<unsigned char*>(std::malloc(room));
    if (!out) return nullptr;
    if (compress2(out, &room, data, uLong(size), Z_BEST_SPEED) != Z_OK) {
        std::free(out);
        return nullptr;
    }
    *outSize = int(room);
    return out;
}

} // namespace

} // namespace tessaly

// stb_image_write encodes the PNGs in memory, the same code on every system;
// a file is then written like any other, through the safe write.
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBIW_ZLIB_COMPRESS tessaly::deflateWithZlib
#include <stb_image_write.h>

namespace tessaly {

namespace {

void appendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

void putBig32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

// A chunk: its length, type, data and the CRC of type and data.
void putChunk(std::vector<uint8_t>& out, const char (&type)[5], const uint8_t* data,
              std::size_t size) {
    putBig32(out, uint32_t(size));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    if (size > 0) out.insert(out.end(), data, data + size);
    // The CRC-32 of ISO 3309, as zlib computes it.
    putBig32(out, uint32_t(::crc32(0, out.data() + typeAt, uInt(size + 4))));
}

} // namespace

std::vector<uint8_t> encodeRgbPng(int width, int height, std::span<const uint8_t> pixels,
                                  std::span<const Rgb, 256> palette) {
    if (width <= 0 || height <= 0) return {};
    const std::size_t count = std::size_t(width) * std::size_t(height);
    if (pixels.size() < count) return {};

    std::vector<uint8_t> rgb(count * 3);
    for (std::size_t i = 0; i < count; ++i) {
        const Rgb& c = palette[pixels[i]];
        rgb[3 * i] = c.r;
        rgb[3 * i + 1] = c.g;
        rgb[3 * i + 2] = c.b;
    }

    std::vector<uint8_t> file;
    if (!stbi_write_png_to_func(appendBytes, &file, width, height, 3, rgb.data(), width * 3)) {
        return {};
    }
    return file;
}

// stb_image_write has no palette PNGs: the chunks around zlib's deflate are
// written here. Rows are stored unfiltered (filter byte 0).
std::vector<uint8_t> encodePalettePng(int width, int height, std::span<const uint8_t> pixels,
                                      std::span<const Rgb, 256> palette) {
    if (width <= 0 || height <= 0) return {};
    const std::size_t count = std::size_t(width) * std::size_t(height);
    if (pixels.size() < count) return {};
    const std::size_t rowBytes = std::size_t(width) + 1;
    if (rowBytes * std::size_t(height) > std::size_t(INT32_MAX)) return {};

    std::vector<uint8_t> rows(rowBytes * std::size_t(height), 0);
    for (int y = 0; y < height; ++y) {
        std::memcpy(rows.data() + std::size_t(y) * rowBytes + 1,
                    pixels.data() + std::size_t(y) * std::size_t(width), std::size_t(width));
    }
    int deflatedSize = 0;
    unsigned char* deflated = deflateWithZlib(rows.data(), int(rows.size()), &deflatedSize, 0);
    if (!deflated) return {};

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    putBig32(header, uint32_t(width));
    putBig32(header, uint32_t(height));
    // 8 bits an index, palette colour, deflate, the one filter method, no interlace.
    header.insert(header.end(), {8, 3, 0, 0, 0});
    putChunk(out, "IHDR", header.data(), header.size());
    std::array<uint8_t, 768> table{};
    for (std::size_t i = 0; i < 256; ++i) {
        table[3 * i] = palette[i].r;
        table[3 * i + 1] = palette[i].g;
        table[3 * i + 2] = palette[i].b;
    }
    putChunk(out, "PLTE", table.data(), table.size());
    putChunk(out, "IDAT", deflated, std::size_t(deflatedSize));
    std::free(deflated);
    putChunk(out, "IEND", nullptr, 0);
    return out;
}

std::vector<uint8_t> visiblePagePng(const Surface& surface) {
    std::array<Rgb, 256> shown;
    for (int i = 0; i < 256; ++i) shown[std::size_t(i)] = shownColour(surface, i);
    return encodeRgbPng(kSurfaceWidth, kSurfaceHeight,
                        std::span<const uint8_t>(surface.page(surface.visiblePage), kPageBytes),
                        shown);
}

} // namespace tessaly
