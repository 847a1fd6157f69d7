#include "core/png.h"
#include "system/png_file.h"

#include <gtest/gtest.h>
#include <png.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>

#include <cstring>
#include <filesystem>
#include <vector>

namespace tessaly {
namespace {

std::string tempPath(const char* name) {
    return (std::filesystem::temp_directory_path() /
            ("tessaly-" + std::to_string(::getpid()) + "-" + name))
        .string();
}

// Reads a PNG back as RGB bytes; empty when it cannot.
std::vector<uint8_t> readRgb(const std::string& path, int& w, int& h) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return {};
    w = int(image.width);
    h = int(image.height);
    return rgb;
}

TEST(Png, IndexedPicturesAreWrittenThroughThePalette) {
    std::array<Rgb, 256> palette{};
    palette[1] = {255, 0, 0};
    palette[2] = {1, 2, 3};
    palette[255] = {9, 99, 199};
    const std::vector<uint8_t> pixels{0, 1, 2, 255, 1, 1};
    const std::string path = tempPath("indexed.png");
    ASSERT_TRUE(writePngFile(path, encodeRgbPng(3, 2, pixels, palette)));
    int w = 0, h = 0;
    auto rgb = readRgb(path, w, h);
    std::filesystem::remove(path);
    ASSERT_EQ(w, 3);
    ASSERT_EQ(h, 2);
    const std::vector<uint8_t> want{0, 0, 0, 255, 0, 0, 1, 2, 3, 9, 99, 199, 255, 0, 0, 255, 0, 0};
    EXPECT_EQ(rgb, want);

    EXPECT_FALSE(writePngFile(path, encodeRgbPng(3, 3, pixels, palette))); // too few pixels
    EXPECT_FALSE(writePngFile(path, encodeRgbPng(0, 2, pixels, palette)));
    EXPECT_FALSE(writePngFile("/nonexistent-folder/x.png", encodeRgbPng(3, 2, pixels, palette)));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(Png, TheVisiblePageIsShownAsItsPaletteShowsIt) {
    Surface s;
    openSurface(s);
    setPaletteEntry(s, 7, 100, 204, 188);
    selectPages(s, 1, 1);
    setPixel(s, 799, 599, 7);
    selectPages(s, 0, 1); // drawing on page 0 stays out of the picture
    setPixel(s, 0, 0, 7);
    const std::string path = tempPath("page.png");
    ASSERT_TRUE(writePngFile(path, visiblePagePng(s)));
    int w = 0, h = 0;
    auto rgb = readRgb(path, w, h);
    std::filesystem::remove(path);
    ASSERT_EQ(w, 800);
    ASSERT_EQ(h, 600);
    const std::size_t last = (std::size_t(599) * 800 + 799) * 3;
    EXPECT_EQ(rgb[last], 101);
    EXPECT_EQ(rgb[last + 1], 206);
    EXPECT_EQ(rgb[last + 2], 190);
    EXPECT_EQ(rgb[0], 0);
}

// Every picture (rendered sheets, screenshots, the specimen) is written as a
// level is saved: a failed write keeps the old picture, and only a regular
// file or a new name is written; a FIFO is refused at once instead of
// blocking for a reader.
TEST(Png, PicturesAreWrittenSafely) {
    std::array<Rgb, 256> palette{};
    const std::vector<uint8_t> pixels(64 * 64, 1);
    const std::string path = tempPath("kept.png");
    const std::string oldBytes = "old picture";
    std::ofstream(path, std::ios::binary) << oldBytes;
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16, 16};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(writePngFile(path, encodeRgbPng(64, 64, pixels, palette)) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), oldBytes);
    std::filesystem::remove(path);

    const std::string fifo = tempPath("fifo.png");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ::alarm(60); // a hang ends the test as a failure
    EXPECT_FALSE(writePngFile(fifo, encodeRgbPng(64, 64, pixels, palette)));
    ::alarm(0);
    std::filesystem::remove(fifo);
    EXPECT_FALSE(writePngFile(std::filesystem::temp_directory_path().string(),
                              encodeRgbPng(64, 64, pixels, palette)));
}

} // namespace
} // namespace tessaly

namespace tessaly {
namespace {

// Reads a palette PNG back as indexes and its colour table; false when it is
// not an 8-bit palette PNG.
bool readPalettePng(const std::vector<uint8_t>& bytes, int& w, int& h,
                    std::vector<uint8_t>& indexes, std::vector<png_color>& table) {
    const std::string path = tempPath("read-back.png");
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    f = std::fopen(path.c_str(), "rb");
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    bool ok = false;
    if (!setjmp(png_jmpbuf(png))) {
        png_init_io(png, f);
        png_read_info(png, info);
        w = int(png_get_image_width(png, info));
        h = int(png_get_image_height(png, info));
        png_colorp colours = nullptr;
        int count = 0;
        if (png_get_color_type(png, info) == PNG_COLOR_TYPE_PALETTE &&
            png_get_bit_depth(png, info) == 8 && png_get_PLTE(png, info, &colours, &count)) {
            table.assign(colours, colours + count);
            indexes.resize(std::size_t(w) * std::size_t(h));
            for (int y = 0; y < h; ++y)
                png_read_row(png, indexes.data() + std::size_t(y) * std::size_t(w), nullptr);
            ok = true;
        }
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    std::filesystem::remove(path);
    return ok;
}

TEST(PalettePng, KeepsEveryIndexAndTheWholeColourTable) {
    std::array<Rgb, 256> palette{};
    for (int i = 0; i < 256; ++i) palette[std::size_t(i)] = {uint8_t(i), uint8_t(7 * i), 200};
    // Noise that deflate cannot shrink, then a plain picture; odd sizes.
    uint32_t seed = 12345;
    for (const bool noise : {true, false}) {
        const int w = 517, h = 301;
        std::vector<uint8_t> pixels(std::size_t(w) * h);
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            seed = seed * 1664525u + 1013904223u;
            pixels[i] = noise ? uint8_t(seed >> 24) : uint8_t(i / 1000);
        }
        const std::vector<uint8_t> png = encodePalettePng(w, h, pixels, palette);
        ASSERT_FALSE(png.empty()) << noise;
        int rw = 0, rh = 0;
        std::vector<uint8_t> indexes;
        std::vector<png_color> table;
        ASSERT_TRUE(readPalettePng(png, rw, rh, indexes, table)) << noise;
        EXPECT_EQ(rw, w);
        EXPECT_EQ(rh, h);
        EXPECT_EQ(indexes, pixels) << noise;
        ASSERT_EQ(table.size(), 256u);
        for (int i = 0; i < 256; ++i) {
            const png_color c = table[std::size_t(i)];
            EXPECT_EQ((Rgb{c.red, c.green, c.blue}), palette[std::size_t(i)]) << i;
        }
    }
    const std::vector<uint8_t> few(5);
    EXPECT_TRUE(encodePalettePng(3, 2, few, palette).empty()); // too few pixels
    EXPECT_TRUE(encodePalettePng(0, 2, few, palette).empty());
    EXPECT_TRUE(encodePalettePng(2, -1, few, palette).empty());
}

} // namespace
} // namespace tessaly
