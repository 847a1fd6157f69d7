#include "tools/emblemgen/emblem_files.h"

#include <array>

#include "core/bmp.h"

namespace tessaly {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void set32(std::vector<uint8_t>& out, std::size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + std::size_t(i)] = uint8_t(v >> (8 * i));
}

} // namespace

// An icon image is a bitmap without its file header whose height counts
// twice: the colour rows, then a one-bit mask of the same size (rows padded
// to 4 bytes), all zero for an opaque picture.
std::vector<uint8_t> encodeIcon8(const IndexedPicture& picture) {
    std::array<Rgb, 256> colours{};
    for (std::size_t i = 0; i < picture.palette.size() && i < colours.size(); ++i) {
        colours[i] = picture.palette[i];
    }
    std::vector<uint8_t> image(
        encodeBitmap8(picture.width, picture.height, picture.pixels, colours));
    image.erase(image.begin(), image.begin() + kFileHeaderBytes);
    set32(image, 8, uint32_t(picture.height * 2)); // biHeight
    set32(image, 20, 0);                           // biSizeImage: left to the reader
    const std::size_t maskRow = std::size_t((picture.width + 31) / 32 * 4);
    image.resize(image.size() + maskRow * std::size_t(picture.height), 0);

    std::vector<uint8_t> icon;
    put16(icon, 0); // reserved
    put16(icon, 1); // an icon
    put16(icon, 1); // one image
    icon.push_back(uint8_t(picture.width));
    icon.push_back(uint8_t(picture.height));
    icon.push_back(0); // 256 colours or more
    icon.push_back(0);
    put16(icon, 1); // planes
    put16(icon, 8); // bits a pixel
    put32(icon, uint32_t(image.size()));
    put32(icon, uint32_t(icon.size() + 4));
    icon.insert(icon.end(), image.begin(), image.end());
    return icon;
}

std::vector<uint8_t> encodeBitmap32(const IndexedPicture& picture) {
    const uint32_t pixelBytes = uint32_t(picture.width) * uint32_t(picture.height) * 4;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, uint32_t(kFileHeaderBytes + kInfoHeaderBytes) + pixelBytes);
    put32(out, 0);
    put32(out, uint32_t(kFileHeaderBytes + kInfoHeaderBytes));
    put32(out, uint32_t(kInfoHeaderBytes));
    put32(out, uint32_t(picture.width));
    put32(out, uint32_t(picture.height)); // rows bottom first
    put16(out, 1);
    put16(out, 32);
    put32(out, 0); // BI_RGB
    put32(out, pixelBytes);
    put32(out, 2835); // 72 dots an inch
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const uint8_t index =
                picture.pixels[std::size_t(y) * std::size_t(picture.width) + std::size_t(x)];
            const Rgb c = index < picture.palette.size() ? picture.palette[index] : Rgb{};
            out.insert(out.end(), {c.b, c.g, c.r, 255});
        }
    }
    return out;
}

} // namespace tessaly
