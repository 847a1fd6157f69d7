// tessaly-icongen FOLDER: writes the program's icon, the emblem the window
// shows, as FOLDER/NxN/apps/tessaly.png at the sizes of the desktop's icon
// theme (16, 32, 48, 64, 128 and 256 pixels), creating the folders. The
// emblem is a scene of 16 x 16 tiles: 32, 48 and 64 pixels are drawn 2, 3
// and 4 tiles wide, 128 and 256 are the 64-pixel picture with every pixel
// doubled or quadrupled, and 16 is the 32-pixel picture with every 2 x 2
// pixels averaged into one.
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/emblem.h"
#include "core/png.h"
#include "system/png_file.h"

namespace {

using namespace tessaly;

struct Picture {
    int size = 0;
    std::vector<uint8_t> pixels;
    std::array<Rgb, 256> palette{};
};

Picture fromEmblem(const IndexedPicture& emblem) {
    Picture p;
    p.size = emblem.width;
    p.pixels = emblem.pixels;
    for (std::size_t i = 0; i < emblem.palette.size() && i < p.palette.size(); ++i) {
        p.palette[i] = emblem.palette[i];
    }
    return p;
}

Picture enlarged(const Picture& small, int factor) {
    Picture p = small;
    p.size = small.size * factor;
    p.pixels.resize(std::size_t(p.size) * std::size_t(p.size));
    for (int y = 0; y < p.size; ++y) {
        for (int x = 0; x < p.size; ++x) {
            p.pixels[std::size_t(y * p.size + x)] =
                small.pixels[std::size_t((y / factor) * small.size + x / factor)];
        }
    }
    return p;
}

// Each 2 x 2 block averaged: a picture of at most 16 x 16 pixels has at most
// 256 colours, one palette entry per pixel.
Picture halved(const Picture& big) {
    Picture p;
    p.size = big.size / 2;
    p.pixels.resize(std::size_t(p.size) * std::size_t(p.size));
    for (int y = 0; y < p.size; ++y) {
        for (int x = 0; x < p.size; ++x) {
            int r = 0, g = 0, b = 0;
            for (int dy = 0; dy < 2; ++dy) {
                for (int dx = 0; dx < 2; ++dx) {
                    const Rgb& c =
                        big.palette[big.pixels[std::size_t((2 * y + dy) * big.size + 2 * x + dx)]];
                    r += c.r;
                    g += c.g;
                    b += c.b;
                }
            }
            const std::size_t i = std::size_t(y * p.size + x);
            p.palette[i] = Rgb{uint8_t((r + 2) / 4), uint8_t((g + 2) / 4), uint8_t((b + 2) / 4)};
            p.pixels[i] = uint8_t(i);
        }
    }
    return p;
}

bool write(const std::string& folder, const Picture& p) {
    const std::string size = std::to_string(p.size);
    const std::filesystem::path dir = std::filesystem::path(folder) / (size + "x" + size) / "apps";
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    const std::string path = (dir / "tessaly.png").string();
    if (!writePngFile(path, encodeRgbPng(p.size, p.size, p.pixels, p.palette))) {
        std::fprintf(stderr, "tessaly-icongen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tessaly-icongen FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const Picture two = fromEmblem(drawEmblem(2));
    const Picture four = fromEmblem(drawEmblem(4));
    bool ok = write(folder, halved(two));
    ok = write(folder, two) && ok;
    ok = write(folder, fromEmblem(drawEmblem(3))) && ok;
    ok = write(folder, four) && ok;
    ok = write(folder, enlarged(four, 2)) && ok;
    ok = write(folder, enlarged(four, 4)) && ok;
    return ok ? 0 : 1;
}
