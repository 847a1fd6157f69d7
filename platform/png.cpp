#include "platform/png.h"

#include "platform/files.h"

#include <png.h>

#include <array>
#include <cstring>
#include <vector>

namespace tessaly {

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

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_RGB;
    // Encoded in memory first (a call without a buffer gives the size), then
    // written as a level is saved.
    png_alloc_size_t size = 0;
    bool ok = png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr) != 0;
    std::vector<uint8_t> file(ok ? size : 0);
    ok =
        ok && png_image_write_to_memory(&image, file.data(), &size, 0, rgb.data(), 0, nullptr) != 0;
    png_image_free(&image);
    if (!ok) return false;
    file.resize(size);
    // Safe: a picture replaces an old file only once it is whole on disk, so
    // a full disk keeps the old picture; a folder, a FIFO or a device at the
    // path is refused without being opened.
    return writeFileSafely(path, file);
}

namespace {

// The output buffer is reserved in full beforehand, so that appending never
// allocates (nothing may throw through libpng's C frames): a write past it is
// reported to libpng as an error instead.
void appendToBuffer(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    if (out->capacity() - out->size() < length) png_error(png, "PNG larger than its buffer");
    out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) {}

// All libpng calls of a palette PNG in one function holding no C++ objects,
// since libpng reports errors by jumping back to the setjmp here.
bool writePalettePng(png_structp png, png_infop info, int width, int height, const uint8_t* pixels,
                     const png_color* palette, std::vector<uint8_t>* out) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, out, appendToBuffer, flushNothing);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, palette, 256);
    // Level pictures are rows of repeated tiles: the fastest deflate level
    // with no filters writes them several times quicker than the default, at
    // a size within a few tens of percent of it.
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, pixels + std::size_t(y) * std::size_t(width));
    png_write_end(png, info);
    return true;
}

} // namespace

std::vector<uint8_t> encodePalettePng(int width, int height, std::span<const uint8_t> pixels,
                                      std::span<const Rgb, 256> palette) {
    if (width <= 0 || height <= 0) return {};
    const std::size_t count = std::size_t(width) * std::size_t(height);
    if (pixels.size() < count) return {};

    std::array<png_color, 256> colours;
    for (std::size_t i = 0; i < 256; ++i) colours[i] = {palette[i].r, palette[i].g, palette[i].b};
    // Deflate never makes data more than slightly bigger than it is stored;
    // this leaves room for that, each row's filter byte and the chunks.
    std::vector<uint8_t> out;
    out.reserve(count + std::size_t(height) + count / 64 + 65536);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const bool ok =
        info && writePalettePng(png, info, width, height, pixels.data(), colours.data(), &out);
    png_destroy_write_struct(&png, &info);
    if (!ok) out.clear();
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
