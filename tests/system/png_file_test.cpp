// Picture files: the codec's pictures written as levels are saved, and read
// back with libpng.
#include "system/png_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/png.h"
#include "tests/support/png_reader.h"
#include "tests/support/temp_folder.h"

namespace tessaly {
namespace {

using test::PngPicture;
using test::readPngFile;
using test::TempFolder;

TEST(Png, IndexedPicturesAreWrittenThroughThePalette) {
    std::array<Rgb, 256> palette{};
    palette[1] = {255, 0, 0};
    palette[2] = {1, 2, 3};
    palette[255] = {9, 99, 199};
    const std::vector<uint8_t> pixels{0, 1, 2, 255, 1, 1};
    TempFolder folder;
    const std::string path = folder.file("indexed.png");
    ASSERT_TRUE(writePngFile(path, encodeRgbPng(3, 2, pixels, palette)));
    const PngPicture picture = readPngFile(path).value_or(PngPicture{});
    const std::vector<uint8_t>& rgb = picture.rgb;
    std::filesystem::remove(path);
    ASSERT_EQ(picture.width, 3);
    ASSERT_EQ(picture.height, 2);
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
    TempFolder folder;
    const std::string path = folder.file("page.png");
    ASSERT_TRUE(writePngFile(path, visiblePagePng(s)));
    const PngPicture picture = readPngFile(path).value_or(PngPicture{});
    const std::vector<uint8_t>& rgb = picture.rgb;
    std::filesystem::remove(path);
    ASSERT_EQ(picture.width, 800);
    ASSERT_EQ(picture.height, 600);
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
    TempFolder folder;
    const std::string path = folder.file("kept.png");
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

    const std::string fifo = folder.file("fifo.png");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ::alarm(60); // a hang ends the test as a failure
    EXPECT_FALSE(writePngFile(fifo, encodeRgbPng(64, 64, pixels, palette)));
    ::alarm(0);
    std::filesystem::remove(fifo);
    EXPECT_FALSE(writePngFile(folder.path(), encodeRgbPng(64, 64, pixels, palette)));
}

} // namespace
} // namespace tessaly
