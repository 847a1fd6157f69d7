// PNG pictures read back with libpng, a decoder other than the program's own
// encoder (Linux only: the test programs that include this link libpng).
#pragma once

#include <png.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "core/surface.h"

namespace tessaly::test {

struct PngPicture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb; // every picture: 3 bytes a pixel, top row first
    // 8-bit palette pictures only (empty for any other): each pixel's index,
    // top row first, and the colour table.
    std::vector<uint8_t> indexes;
    std::vector<Rgb> colours;
};

// The picture the bytes of a PNG file hold; nothing when they hold none.
inline std::optional<PngPicture> readPng(const std::vector<uint8_t>& bytes) {
    struct Source {
        const std::vector<uint8_t>& bytes;
        std::size_t at = 0;
    } source{bytes};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    // libpng reports errors with a longjmp: no C++ object may be made between
    // the setjmp and the end of reading, so the result is made beforehand.
    auto* read = new PngPicture;
    volatile bool ok = false;
    if (!setjmp(png_jmpbuf(png))) {
        png_set_read_fn(png, &source, [](png_structp p, png_bytep out, png_size_t count) {
            auto& from = *static_cast<Source*>(png_get_io_ptr(p));
            if (from.bytes.size() - from.at < count) png_error(p, "the file ends early");
            std::memcpy(out, from.bytes.data() + from.at, count);
            from.at += count;
        });
        png_read_info(png, info);
        read->width = int(png_get_image_width(png, info));
        read->height = int(png_get_image_height(png, info));
        const std::size_t pixels = std::size_t(read->width) * std::size_t(read->height);
        png_colorp table = nullptr;
        int count = 0;
        const bool palette = png_get_color_type(png, info) == PNG_COLOR_TYPE_PALETTE &&
                             png_get_bit_depth(png, info) == 8 &&
                             png_get_PLTE(png, info, &table, &count);
        if (!palette) {
            // Any other kind as 8-bit RGB.
            png_set_expand(png);
            png_set_strip_16(png);
            png_set_strip_alpha(png);
            png_set_gray_to_rgb(png);
        }
        const int passes = png_set_interlace_handling(png);
        png_read_update_info(png, info);
        std::vector<uint8_t>& rows = palette ? read->indexes : read->rgb;
        const std::size_t rowBytes = std::size_t(read->width) * (palette ? 1 : 3);
        rows.resize(rowBytes * std::size_t(read->height));
        for (int pass = 0; pass < passes; ++pass)
            for (int y = 0; y < read->height; ++y)
                png_read_row(png, rows.data() + std::size_t(y) * rowBytes, nullptr);
        if (palette) {
            for (int i = 0; i < count; ++i)
                read->colours.push_back({table[i].red, table[i].green, table[i].blue});
            read->rgb.resize(3 * pixels);
            for (std::size_t i = 0; i < pixels; ++i) {
                const Rgb c = read->indexes[i] < count ? read->colours[read->indexes[i]] : Rgb{};
                read->rgb[3 * i] = c.r;
                read->rgb[3 * i + 1] = c.g;
                read->rgb[3 * i + 2] = c.b;
            }
        }
        ok = true;
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::optional<PngPicture> result;
    if (ok) result = std::move(*read);
    delete read;
    return result;
}

// The picture in a PNG file; nothing when it cannot be read or holds none.
inline std::optional<PngPicture> readPngFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return readPng(
        std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

} // namespace tessaly::test
