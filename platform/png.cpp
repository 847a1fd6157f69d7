#include "platform/png.h"

#include <vector>

#include "platform/files.h"

// stb_image_write encodes the PNG in memory, the same code on every system;
// the file is then written like any other, through the safe write.
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
