#include "platform/png.h"

#include <gtest/gtest.h>
#include <png.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
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
        ::_exit(writeIndexedPng(path, 64, 64, pixels, palette) ? 0 : 1);
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
    EXPECT_FALSE(writeIndexedPng(fifo, 64, 64, pixels, palette));
    ::alarm(0);
    std::filesystem::remove(fifo);
    EXPECT_FALSE(
        writeIndexedPng(std::filesystem::temp_directory_path().string(), 64, 64, pixels, palette));
}

} // namespace
} // namespace tessaly
