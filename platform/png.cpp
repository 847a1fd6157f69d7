#include "platform/png.h"

#include "platform/files.h"

#include <png.h>

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

bool writeVisiblePagePng(const Surface& surface, const std::string& path) {
    std::array<Rgb, 256> shown;
    for (int i = 0; i < 256; ++i) shown[std::size_t(i)] = shownColour(surface, i);
    return writeIndexedPng(path, kSurfaceWidth, kSurfaceHeight,
                           std::span<const uint8_t>(surface.page(surface.visiblePage), kPageBytes),
                           shown);
}

} // namespace tessaly
