#include "platform/png.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <vector>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

namespace tessaly {
namespace {

std::string tempPath(const char* name) {
    return (std::filesystem::temp_directory_path() /
            ("tessaly-" + std::to_string(::getpid()) + "-" + name))
        .string();
}

// Reads a PNG back as RGB bytes; empty when it cannot.
std::vector<uint8_t> readRgb(const std::string& path, int& w, int& h) {
    int channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &w, &h, &channels, 3);
    if (!pixels) return {};
    std::vector<uint8_t> rgb(pixels, pixels + std::size_t(w) * std::size_t(h) * 3);
    stbi_image_free(pixels);
    return rgb;
}

TEST(Png, IndexedPicturesAreWrittenThroughThePalette) {
    std::array<Rgb, 256> palette{};
    palette[1] = {255, 0, 0};
    palette[2] = {1, 2, 3};
    palette[255] = {9, 99, 199};
    const std::vector<uint8_t> pixels{0, 1, 2, 255, 1, 1};
    const std::string path = tempPath("indexed.png");
    ASSERT_TRUE(writeIndexedPng(path, 3, 2, pixels, palette));
    int w = 0, h = 0;
    auto rgb = readRgb(path, w, h);
    std::filesystem::remove(path);
    ASSERT_EQ(w, 3);
    ASSERT_EQ(h, 2);
    const std::vector<uint8_t> want{0, 0, 0, 255, 0, 0, 1, 2, 3, 9, 99, 199, 255, 0, 0, 255, 0, 0};
    EXPECT_EQ(rgb, want);

    EXPECT_FALSE(writeIndexedPng(path, 3, 3, pixels, palette)); // too few pixels
    EXPECT_FALSE(writeIndexedPng(path, 0, 2, pixels, palette));
    EXPECT_FALSE(writeIndexedPng("/nonexistent-folder/x.png", 3, 2, pixels, palette));
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
    ASSERT_TRUE(writeVisiblePagePng(s, path));
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

} // namespace
} // namespace tessaly
