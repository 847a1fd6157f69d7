// The drawing kit of the default tile art: a small picture of editor palette
// indexes, a deterministic random generator, colour ramps and the shapes the
// tile painters are made of.
//
// Colour 0 means "nothing" in an overlay picture (it is skipped when the
// picture is put transparently); an opaque black is colour 16, the darkest
// step of the grey ramp, which looks the same. Map tiles and frame pieces
// therefore never use colour 0.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

namespace tessaly::art {

constexpr int kTile = 16;

constexpr uint8_t kClear = 0;
constexpr uint8_t kBlack = 16;
constexpr uint8_t kWhite = 31;

// Step n (0 = black .. 15 = white) of the editor palette's grey ramp.
constexpr uint8_t grey(int n) {
    return uint8_t(16 + n);
}

// Five shades of one colour, lightest first.
using Ramp = std::array<uint8_t, 5>;

// The editor palette's own ramps and a few mixed from its other colours.
constexpr Ramp kTealRamp{56, 57, 58, 59, 60};
constexpr Ramp kGreenRamp{61, 62, 63, 64, 65};
constexpr Ramp kOliveRamp{66, 67, 68, 69, 70};
constexpr Ramp kBlueRamp{71, 72, 73, 74, 75};
constexpr Ramp kVioletRamp{76, 77, 78, 79, 80};
constexpr Ramp kRoseRamp{81, 82, 83, 84, 85};
constexpr Ramp kFireRamp{14, 43, 42, 41, 4};
constexpr Ramp kRedRamp{12, 40, 4, 84, 85};
constexpr Ramp kEmberRamp{43, 42, 6, 84, 85};
constexpr Ramp kIceRamp{31, 11, 53, 72, 73};
constexpr Ramp kSeaRamp{11, 53, 54, 73, 74};
constexpr Ramp kSlimeRamp{10, 47, 2, 63, 64};
constexpr Ramp kGoldRamp{14, 44, 43, 6, 84};
constexpr Ramp kPlumRamp{13, 5, 78, 79, 80};
constexpr Ramp kLightGreys{31, 28, 25, 22, 19};
constexpr Ramp kMidGreys{28, 25, 22, 20, 18};
constexpr Ramp kDarkGreys{24, 22, 20, 18, 17};
constexpr Ramp kNightGreys{21, 20, 19, 18, 17};

// A 16 x 16 tile, or a larger picture that is cut into tiles. Reads outside
// give colour 0, writes outside are ignored.
struct Canvas {
    int width = kTile;
    int height = kTile;
    std::vector<uint8_t> px;

    Canvas() : px(kTile * kTile, 0) {}
    Canvas(int w, int h, uint8_t fill = 0) : width(w), height(h), px(std::size_t(w * h), fill) {}

    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    uint8_t at(int x, int y) const { return inside(x, y) ? px[std::size_t(y * width + x)] : 0; }
    void set(int x, int y, int colour) {
        if (inside(x, y)) px[std::size_t(y * width + x)] = uint8_t(colour);
    }
    bool operator==(const Canvas&) const = default;
};

// SplitMix64: the same seed gives the same art on every machine and build.
struct Rng {
    uint64_t state;
    explicit Rng(uint64_t seed) : state(seed) {}
    uint32_t next();
    int below(int n);         // 0..n-1; 0 when n <= 0
    bool chance(int percent); // true in about percent of 100 calls
    int pick(std::initializer_list<int> choices);
};

// A seed that depends on the game and the tile number only.
uint64_t seedFor(std::string_view gameId, int tileNumber);

// Shapes. Rectangles include both corners.
void fill(Canvas& c, int x0, int y0, int x1, int y1, int colour);
void fillAll(Canvas& c, int colour);
void box(Canvas& c, int x0, int y0, int x1, int y1, int colour);
void hline(Canvas& c, int x0, int x1, int y, int colour);
void vline(Canvas& c, int x, int y0, int y1, int colour);
void line(Canvas& c, int x0, int y0, int x1, int y1, int colour);
// Pixels whose centre lies within r of (cx, cy); ring: between r - width and r.
void disc(Canvas& c, double cx, double cy, double r, int colour);
void ring(Canvas& c, double cx, double cy, double r, double width, int colour);
// A raised block: ramp[1] on the top and left edge, ramp[3] on the bottom and
// right edge, ramp[2] inside.
void bevelBlock(Canvas& c, int x0, int y0, int x1, int y1, const Ramp& ramp);
// Random single pixels of `colour` over about percent of the rectangle.
void speckle(Canvas& c, Rng& rng, int x0, int y0, int x1, int y1, int colour, int percent);
// A vertical blend from colour a (top) to colour b (bottom) by ordered dither.
void blend(Canvas& c, int x0, int y0, int x1, int y1, int a, int b);
// Every colour-0 pixel next to (4-neighbour) a drawn pixel becomes `colour`.
void outline(Canvas& c, int colour);

Canvas mirrored(const Canvas& c);          // left-right
Canvas flipped(const Canvas& c);           // top-bottom
Canvas rotatedRight(const Canvas& c);      // a quarter turn clockwise (square pictures)
Canvas cut(const Canvas& c, int x, int y); // the 16 x 16 tile at pixel (x, y)
// Draws src onto dst at (x, y); colour 0 of src is skipped.
void overlay(Canvas& dst, const Canvas& src, int x, int y);

// Pixel art written as text: one string per row, one character per pixel.
// '.' and ' ' are colour 0; other characters are looked up in `colours`
// first, then in the kit's standard set (k black, w white, l/g/d light, mid
// and dark grey, r/R reds, o orange, y/Y yellows, b/B blues, c cyan, v/V
// greens, p/P purples, s/S skin, n/N browns).
using ColourKey = std::initializer_list<std::pair<char, int>>;
void sprite(Canvas& c, int x, int y, std::initializer_list<std::string_view> rows,
            ColourKey colours = {});

// Text in a 3 x 5 pixel font: digits, '+', '-', '?', 'U' and 'P'; 4 pixels
// per character, the last one's gap left out. Returns the width drawn.
int tinyText(Canvas& c, int x, int y, std::string_view text, int colour);
int tinyTextWidth(std::string_view text);

} // namespace tessaly::art
