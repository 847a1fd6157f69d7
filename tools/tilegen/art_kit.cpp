#include "tools/tilegen/art_kit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tessaly::art {

uint32_t Rng::next() {
    state += 0x9E3779B97F4A7C15ull;
    uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return uint32_t((z ^ (z >> 31)) >> 32);
}

int Rng::below(int n) {
    return n <= 0 ? 0 : int(next() % uint32_t(n));
}

bool Rng::chance(int percent) {
    return below(100) < percent;
}

int Rng::pick(std::initializer_list<int> choices) {
    return choices.begin()[below(int(choices.size()))];
}

uint64_t seedFor(std::string_view gameId, int tileNumber) {
    uint64_t h = 0xCBF29CE484222325ull; // FNV-1a over the id, then the number
    for (char ch : gameId) h = (h ^ uint8_t(ch)) * 0x100000001B3ull;
    return (h ^ uint64_t(uint32_t(tileNumber))) * 0x100000001B3ull;
}

void fill(Canvas& c, int x0, int y0, int x1, int y1, int colour) {
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
        for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x) c.set(x, y, colour);
}

void fillAll(Canvas& c, int colour) {
    std::fill(c.px.begin(), c.px.end(), uint8_t(colour));
}

void box(Canvas& c, int x0, int y0, int x1, int y1, int colour) {
    hline(c, x0, x1, y0, colour);
    hline(c, x0, x1, y1, colour);
    vline(c, x0, y0, y1, colour);
    vline(c, x1, y0, y1, colour);
}

void hline(Canvas& c, int x0, int x1, int y, int colour) {
    fill(c, x0, y, x1, y, colour);
}

void vline(Canvas& c, int x, int y0, int y1, int colour) {
    fill(c, x, y0, x, y1, colour);
}

void line(Canvas& c, int x0, int y0, int x1, int y1, int colour) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        c.set(x0, y0, colour);
        if (x0 == x1 && y0 == y1) return;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

namespace {

double distanceToCentre(int x, int y, double cx, double cy) {
    return std::hypot(x + 0.5 - cx, y + 0.5 - cy);
}

// 4 x 4 ordered dither thresholds, 0..15.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

} // namespace

void disc(Canvas& c, double cx, double cy, double r, int colour) {
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            if (distanceToCentre(x, y, cx, cy) <= r) c.set(x, y, colour);
}

void ring(Canvas& c, double cx, double cy, double r, double width, int colour) {
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            const double d = distanceToCentre(x, y, cx, cy);
            if (d <= r && d > r - width) c.set(x, y, colour);
        }
}

void bevelBlock(Canvas& c, int x0, int y0, int x1, int y1, const Ramp& ramp) {
    fill(c, x0, y0, x1, y1, ramp[2]);
    hline(c, x0, x1, y1, ramp[3]);
    vline(c, x1, y0, y1, ramp[3]);
    hline(c, x0, x1 - 1, y0, ramp[1]);
    vline(c, x0, y0, y1 - 1, ramp[1]);
}

void speckle(Canvas& c, Rng& rng, int x0, int y0, int x1, int y1, int colour, int percent) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (rng.chance(percent)) c.set(x, y, colour);
}

void blend(Canvas& c, int x0, int y0, int x1, int y1, int a, int b) {
    const int rows = y1 - y0 + 1;
    for (int y = y0; y <= y1; ++y) {
        const int level = (y - y0) * 17 / rows; // 0..16: share of colour b
        for (int x = x0; x <= x1; ++x) c.set(x, y, kBayer[y & 3][x & 3] < level ? b : a);
    }
}

void outline(Canvas& c, int colour) {
    const Canvas before = c;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            if (before.at(x, y) != 0) continue;
            const bool touches = before.at(x - 1, y) || before.at(x + 1, y) ||
                                 before.at(x, y - 1) || before.at(x, y + 1);
            if (touches) c.set(x, y, colour);
        }
}

Canvas mirrored(const Canvas& c) {
    Canvas out(c.width, c.height);
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) out.set(x, y, c.at(c.width - 1 - x, y));
    return out;
}

Canvas flipped(const Canvas& c) {
    Canvas out(c.width, c.height);
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) out.set(x, y, c.at(x, c.height - 1 - y));
    return out;
}

Canvas rotatedRight(const Canvas& c) {
    Canvas out(c.height, c.width);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) out.set(x, y, c.at(y, c.height - 1 - x));
    return out;
}

Canvas cut(const Canvas& c, int x, int y) {
    Canvas out;
    for (int j = 0; j < kTile; ++j)
        for (int i = 0; i < kTile; ++i) out.set(i, j, c.at(x + i, y + j));
    return out;
}

void overlay(Canvas& dst, const Canvas& src, int x, int y) {
    for (int j = 0; j < src.height; ++j)
        for (int i = 0; i < src.width; ++i)
            if (src.at(i, j) != 0) dst.set(x + i, y + j, src.at(i, j));
}

namespace {

int standardColour(char ch) {
    switch (ch) {
    case 'k':
        return kBlack;
    case 'w':
        return kWhite;
    case 'l':
        return grey(12);
    case 'g':
        return grey(8);
    case 'd':
        return grey(4);
    case 'r':
        return 40;
    case 'R':
        return 4;
    case 'o':
        return 42;
    case 'y':
        return 14;
    case 'Y':
        return 43;
    case 'b':
        return 9;
    case 'B':
        return 1;
    case 'c':
        return 11;
    case 'v':
        return 10;
    case 'V':
        return 2;
    case 'p':
        return 13;
    case 'P':
        return 5;
    case 's':
        return 81;
    case 'S':
        return 82;
    case 'n':
        return 6;
    case 'N':
        return 84;
    default:
        return 0;
    }
}

} // namespace

void sprite(Canvas& c, int x, int y, std::initializer_list<std::string_view> rows,
            ColourKey colours) {
    int j = 0;
    for (std::string_view row : rows) {
        for (int i = 0; i < int(row.size()); ++i) {
            const char ch = row[std::size_t(i)];
            if (ch == '.' || ch == ' ') continue;
            int colour = standardColour(ch);
            for (const auto& [key, value] : colours)
                if (key == ch) colour = value;
            if (colour != 0) c.set(x + i, y + j, colour);
        }
        ++j;
    }
}

namespace {

// Each glyph: five rows of three bits, the leftmost pixel the highest bit.
struct TinyGlyph {
    char ch;
    uint8_t rows[5];
};

constexpr TinyGlyph kTinyFont[] = {
    {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}}, {'3', {7, 1, 3, 1, 7}},
    {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}}, {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 1, 2, 2}},
    {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 7}}, {'+', {0, 2, 7, 2, 0}}, {'-', {0, 0, 7, 0, 0}},
    {'?', {6, 1, 2, 0, 2}}, {'U', {5, 5, 5, 5, 7}}, {'P', {6, 5, 6, 4, 4}},
};

} // namespace

int tinyTextWidth(std::string_view text) {
    return text.empty() ? 0 : int(text.size()) * 4 - 1;
}

int tinyText(Canvas& c, int x, int y, std::string_view text, int colour) {
    int pen = x;
    for (char ch : text) {
        for (const TinyGlyph& g : kTinyFont) {
            if (g.ch != ch) continue;
            for (int j = 0; j < 5; ++j)
                for (int i = 0; i < 3; ++i)
                    if (g.rows[j] & (4 >> i)) c.set(pen + i, y + j, colour);
        }
        pen += 4;
    }
    return tinyTextWidth(text);
}

} // namespace tessaly::art
