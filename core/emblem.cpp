#include "core/emblem.h"

#include <algorithm>
#include <cstdlib>

namespace tessaly {

namespace {

enum Colour : uint8_t {
    Outline,
    Sky,
    SkyHigh,
    Grass,
    GrassLight,
    Earth,
    EarthLight,
    EarthDark,
    Brick,
    BrickLight,
    Mortar,
    Gem,
    GemLight,
    GemDark,
    Cloud,
    ColourCount
};

constexpr Rgb kColours[ColourCount] = {
    {20, 24, 44},  {92, 156, 228}, {140, 192, 244}, {64, 168, 56},  {132, 212, 96},
    {132, 84, 44}, {168, 116, 68}, {92, 56, 28},    {184, 64, 48},  {228, 120, 96},
    {80, 40, 36},  {244, 196, 32}, {255, 240, 160}, {176, 112, 16}, {240, 248, 255},
};

enum class Tile { Sky, Ground, Brick, Gem };

// The sky darkens from the top of the picture down and has one cloud.
Colour skyPixel(int x, int y, int size) {
    const int dx = 2 * x - size / 2, dy = 6 * y - size;
    if (dx * dx + dy * dy < size * size / 9) return Cloud;
    return y * 3 < size ? SkyHigh : Sky;
}

Colour tilePixel(Tile tile, int x, int y, Colour sky) {
    switch (tile) {
    case Tile::Ground:
        if (y == 0) return GrassLight;
        if (y < 4) return (x + y) % 5 == 0 ? GrassLight : Grass;
        if (x == kEmblemTile - 1 || y == kEmblemTile - 1) return EarthDark;
        if ((x * 7 + y * 3) % 11 == 0) return EarthLight;
        if ((x * 5 + y * 9) % 13 == 0) return EarthDark;
        return Earth;
    case Tile::Brick: {
        if (y % 4 == 3) return Mortar;
        const int joint = (y / 4) % 2 == 0 ? 7 : 15;
        if (x == joint) return Mortar;
        return y % 4 == 0 ? BrickLight : Brick;
    }
    case Tile::Gem: {
        const int d = std::abs(2 * x - 15) + std::abs(2 * y - 15);
        if (d > 12) return sky;
        if (d > 10) return GemDark;
        if (x + y < 13) return GemLight;
        return x + y > 17 ? GemDark : Gem;
    }
    case Tile::Sky:
        break;
    }
    return sky;
}

Tile tileAt(int column, int row, int tiles) {
    if (row == tiles - 1) return Tile::Ground;
    if (row == tiles - 2 && column == tiles - 1) return Tile::Brick;
    if (row == tiles - 2 && column == 1) return Tile::Gem;
    return Tile::Sky;
}

} // namespace

IndexedPicture drawEmblem(int tiles) {
    tiles = std::max(tiles, 2);
    IndexedPicture p;
    p.width = p.height = tiles * kEmblemTile;
    p.palette.assign(std::begin(kColours), std::end(kColours));
    p.pixels.resize(std::size_t(p.width) * std::size_t(p.height));
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const bool edge = x == 0 || y == 0 || x == p.width - 1 || y == p.height - 1;
            const Tile tile = tileAt(x / kEmblemTile, y / kEmblemTile, tiles);
            p.pixels[std::size_t(y) * std::size_t(p.width) + std::size_t(x)] =
                edge ? Outline
                     : tilePixel(tile, x % kEmblemTile, y % kEmblemTile, skyPixel(x, y, p.width));
        }
    }
    return p;
}

std::vector<uint8_t> emblemRgba(const IndexedPicture& picture) {
    std::vector<uint8_t> rgba;
    rgba.reserve(picture.pixels.size() * 4);
    for (uint8_t index : picture.pixels) {
        const Rgb c = index < picture.palette.size() ? picture.palette[index] : Rgb{};
        rgba.insert(rgba.end(), {c.r, c.g, c.b, 255});
    }
    return rgba;
}

} // namespace tessaly
