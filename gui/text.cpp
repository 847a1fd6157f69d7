#include "gui/text.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "gui/font.h"

namespace tessaly {

namespace {

// Fills the box (x1, y1)..(x2, y2), x1 <= x2 and y1 <= y2, computed in 64
// bits so that far-off pens and large scales cannot overflow. Coordinates are
// pulled in to just outside the surface, which leaves the pixels drawn the
// same, and a box with its ends reversed is empty.
void fillOrdered(Surface& s, int64_t x1, int64_t y1, int64_t x2, int64_t y2, int colour) {
    if (x1 > x2 || y1 > y2) return;
    auto cx = [](int64_t v) { return int(std::clamp<int64_t>(v, -1, kSurfaceWidth)); };
    auto cy = [](int64_t v) { return int(std::clamp<int64_t>(v, -1, kSurfaceHeight)); };
    fillBox(s, cx(x1), cy(y1), cx(x2), cy(y2), colour);
}

// The text colour a pattern character takes, or -1 for a transparent cell.
// Colour 3 is never used by a glyph: it is the face of the panel behind.
int cellColour(char c, const ColourScheme& colours) {
    switch (c) {
    case '1':
        return colours[0];
    case '2':
        return colours[1];
    case 's':
        return colours[3];
    case 'x':
        return colours[4];
    default:
        return -1;
    }
}

// Nearest integer to n / 2, a half going to the even neighbour.
int64_t halfToEven(int64_t n) {
    if (n % 2 == 0) return n / 2;
    int64_t below = (n - 1) / 2;
    return below % 2 == 0 ? below : below + 1;
}

int clampToInt(int64_t v) {
    return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
}

} // namespace

void SetTextColours(TextState& text, int c1, int c2, int c3, int c4, int c5) {
    text.colours = {uint8_t(c1), uint8_t(c2), uint8_t(c3), uint8_t(c4), uint8_t(c5)};
}

// Safe: a negative scale would turn the squares inside out; it draws nothing,
// as scale 0 does.
void SetTextScale(TextState& text, int scale) {
    text.scale = std::max(scale, 0);
}

namespace {

// Each pattern cell of a glyph becomes a scale x scale square; a run of equal
// cells along a row is one box, which gives the same pixels. The glyph's
// squares start one pixel right of and below the pen, and the pen moves on by
// (width - 1) * scale, so neighbouring glyphs share a column and the later
// glyph's squares land last. `box(x1, y1, x2, y2, colour)` gets every box in
// drawing order; the walk stops once the pen reaches `penLimit`.
template <class Box>
void forEachTextBox(const TextState& text, int64_t x, int64_t y, std::string_view str,
                    int64_t penLimit, Box box) {
    const ColourScheme colours = text.colours;
    const int64_t s = text.scale;
    int64_t pen = x;
    for (char ch : str) {
        if (pen + 1 >= penLimit) break; // the pen only moves right
        const Glyph& g = LookUpGlyph(uint8_t(ch));
        for (int r = 0; r < g.height; ++r) {
            const std::string_view row = g.rows[r];
            const int cells = std::min<int>(g.width, int(row.size()));
            const int64_t top = y + 1 + r * s;
            for (int k = 0; k < cells;) {
                const int colour = cellColour(row[std::size_t(k)], colours);
                int end = k + 1;
                while (end < cells && row[std::size_t(end)] == row[std::size_t(k)]) ++end;
                if (colour >= 0) box(pen + 1 + k * s, top, pen + end * s, top + s - 1, colour);
                k = end;
            }
        }
        pen += (g.width - 1) * s;
    }
}

} // namespace

void DrawText(Surface& surface, const TextState& text, int x, int y, std::string_view str) {
    const int64_t s = text.scale;
    if (s <= 0) return;
    if (int64_t(y) + 1 >= kSurfaceHeight || int64_t(y) + kMaxGlyphHeight * s < 0) return;
    forEachTextBox(text, x, y, str, kSurfaceWidth,
                   [&](int64_t x1, int64_t y1, int64_t x2, int64_t y2, int colour) {
                       fillOrdered(surface, x1, y1, x2, y2, colour);
                   });
}

std::vector<uint8_t> TextImage(const TextState& text, std::string_view str) {
    const int64_t s = text.scale;
    for (const uint8_t c : text.colours) {
        if (c == 0) return {};
    }
    const int64_t width = int64_t(MeasureText(text, str)) + 1;
    const int64_t height = kMaxGlyphHeight * s + 1;
    if (s <= 0 || width > kSurfaceWidth + 1 || height > kSurfaceHeight + 1) return {};
    std::vector<uint8_t> image(kImageHeaderBytes + imagePitch(int(width)) * std::size_t(height));
    writeImageHeader(image, 0, int(width), int(height));
    const std::size_t pitch = imagePitch(int(width));
    forEachTextBox(text, 0, 0, str, width,
                   [&](int64_t x1, int64_t y1, int64_t x2, int64_t y2, int colour) {
                       for (int64_t y = y1; y <= y2; ++y)
                           for (int64_t x = x1; x <= x2; ++x)
                               image[kImageHeaderBytes + std::size_t(y) * pitch + std::size_t(x)] =
                                   uint8_t(colour);
                   });
    return image;
}

int MeasureText(const TextState& text, std::string_view str) {
    int64_t columns = 1;
    for (char ch : str) columns += LookUpGlyph(uint8_t(ch)).width - 1;
    return clampToInt(columns * text.scale);
}

// Panel steps, each overwriting the last where they meet: the whole area in
// colour 0; the light bevels (outer c1, inner c2) along the left and top; the
// dark bevels (outer c5, inner c4) along the right and bottom; the face in c3;
// then the caption, centred with halves going to the even neighbour, in the
// panel's own scheme, which stays the text colours afterwards.
void DrawPanel(Surface& surface, TextState& text, int x, int y, int height, int width,
               const ColourScheme& scheme, std::string_view caption) {
    const ColourScheme c = scheme; // `scheme` may be the text colours themselves
    const int64_t X = x, Y = y, h = height, w = width;
    // Safe: a negative width or height gives a panel with no area, so nothing
    // is drawn rather than bevels outside it; the text colours are still set.
    if (w < 0 || h < 0) {
        SetTextColours(text, c[0], c[1], c[2], c[3], c[4]);
        return;
    }
    fillOrdered(surface, X, Y, X + w, Y + h, 0);
    fillOrdered(surface, X, Y, X, Y + h, c[0]);
    fillOrdered(surface, X, Y, X + w - 1, Y, c[0]);
    fillOrdered(surface, X + 1, Y + 1, X + 1, Y + h - 1, c[1]);
    fillOrdered(surface, X + 1, Y + 1, X + w - 2, Y + 1, c[1]);
    fillOrdered(surface, X + w, Y, X + w, Y + h, c[4]);
    fillOrdered(surface, X + 1, Y + h, X + w, Y + h, c[4]);
    fillOrdered(surface, X + w - 1, Y + 1, X + w - 1, Y + h - 1, c[3]);
    fillOrdered(surface, X + 2, Y + h - 1, X + w - 1, Y + h - 1, c[3]);
    fillOrdered(surface, X + 2, Y + 2, X + w - 2, Y + h - 2, c[2]);

    // tx = x + w/2 - T/2 and ty = y + h/2 - 4s, worked out doubled to stay exact.
    const int64_t T = MeasureText(text, caption);
    const int64_t tx = halfToEven(2 * X + w - T);
    const int64_t ty = halfToEven(2 * Y + h - 8 * int64_t(text.scale));
    SetTextColours(text, c[0], c[1], c[2], c[3], c[4]);
    DrawText(surface, text, clampToInt(tx), clampToInt(ty), caption);
}

} // namespace tessaly
