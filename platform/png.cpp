#include "platform/png.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/files.h"

// stb_image_write encodes the PNGs in memory, the same code on every system;
// a file is then written like any other, through the safe write.
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace tessaly {

namespace {

void appendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

// CRC-32 of PNG chunks (the polynomial of ISO 3309).
uint32_t crc32(const uint8_t* data, std::size_t size, uint32_t crc = 0) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
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
    putBig32(out, crc32(out.data() + typeAt, size + 4));
}

// Deflate's work per byte grows with how hard it searches for matches; the
// least search stb offers. Level pictures are rows of repeated tiles, found
// at once.
constexpr int kPaletteCompression = 5;

} // namespace

bool writeIndexedPng(const std::string& path, int width, int height,
                     std::span<const uint8_t> pixels, std::span<const Rgb, 256> palette) {
    if (width <= 0 || height <= 0) return false;
    const std::size_t count = std::size_t(width) * std::size_t(height);
    if (pixels.size() < count) return false;

    std::vector<uint8_t> rgb(count * 3);
    for (std::size_t i = 0; i < count; ++i) {
        const Rgb& c = palette[pixels[i]];
        rgb[3 * i] = c.r;
        rgb[3 * i + 1] = c.g;
        rgb[3 * i + 2] = c.b;
    }

    std::vector<uint8_t> file;
    if (!stbi_write_png_to_func(appendBytes, &file, width, height, 3, rgb.data(), width * 3)) {
        return false;
    }
    // Safe: a picture replaces an old file only once it is whole on disk, so
    // a full disk keeps the old picture; a folder, a FIFO or a device at the
    // path is refused without being opened.
    return writeFileSafely(path, file);
}

// stb_image_write has no palette PNGs, only its deflate is used: the chunks
// around it are written here. Rows are stored unfiltered (filter byte 0).
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
    unsigned char* deflated =
        stbi_zlib_compress(rows.data(), int(rows.size()), &deflatedSize, kPaletteCompression);
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
    STBIW_FREE(deflated);
    putChunk(out, "IEND", nullptr, 0);
    return out;
}

bool writeVisiblePagePng(const Surface& surface, const std::string& path) {
    std::array<Rgb, 256> shown;
    for (int i = 0; i < 256; ++i) shown[std::size_t(i)] = shownColour(surface, i);
    return writeIndexedPng(path, kSurfaceWidth, kSurfaceHeight,
                           std::span<const uint8_t>(surface.page(surface.visiblePage), kPageBytes),
                           shown);
}

} // namespace tessaly
