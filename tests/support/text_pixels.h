// Where the squares of text drawn in the pattern font land and which colours
// they take, worked out from the glyphs themselves, for the tests of what
// draws text on the editor screen.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "core/surface.h"
#include "gui/font.h"
#include "gui/text.h"

namespace tessaly::test {

// The colour a glyph's pattern character takes in a scheme, or none.
inline std::optional<uint8_t> patternColour(const ColourScheme& scheme, char c) {
    switch (c) {
    case '1':
        return scheme[0];
    case '2':
        return scheme[1];
    case 's':
        return scheme[3];
    case 'x':
        return scheme[4];
    default:
        return std::nullopt;
    }
}

struct GlyphCell {
    int column = 0, row = 0; // from 0
    uint8_t colour = 0;
};

// The first drawn pattern cell of a glyph, row by row, left of its last column
// (the last column is shared with the next glyph, which may draw over it).
inline GlyphCell firstDrawnCell(char ch, const ColourScheme& scheme) {
    const Glyph& g = LookUpGlyph(uint8_t(ch));
    for (int r = 0; r < g.height; ++r)
        for (int k = 0; k + 1 < g.width; ++k)
            if (k < int(g.rows[r].size()))
                if (auto c = patternColour(scheme, g.rows[r][std::size_t(k)])) return {k, r, *c};
    ADD_FAILURE() << "glyph '" << ch << "' draws nothing";
    return {};
}

// Where the leftmost and the topmost square of a text drawn at `scale` land,
// relative to its pen: squares start one pixel right of and below the pen,
// and the pen advances (width - 1) * scale per glyph.
struct TextStart {
    int dx = INT_MAX, dy = INT_MAX;
};
inline TextStart textStart(std::string_view str, int scale) {
    TextStart t;
    int pen = 0;
    for (char ch : str) {
        const Glyph& g = LookUpGlyph(uint8_t(ch));
        for (int r = 0; r < g.height; ++r)
            for (int k = 0; k < g.width && k < int(g.rows[r].size()); ++k)
                if (patternColour(ColourScheme{1, 2, 3, 4, 5}, g.rows[r][std::size_t(k)])) {
                    t.dx = std::min(t.dx, pen + 1 + k * scale);
                    t.dy = std::min(t.dy, 1 + r * scale);
                }
        pen += (g.width - 1) * scale;
    }
    return t;
}

// The leftmost column and the topmost row, within the rectangle x0..x1 by
// y0..y1 of page 0, that hold a colour `wanted` accepts; INT_MAX when none.
inline TextStart colourExtent(const Surface& s, int x0, int y0, int x1, int y1,
                              const std::function<bool(int)>& wanted) {
    TextStart t;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (wanted(pixelAt(s, 0, x, y))) {
                t.dx = std::min(t.dx, x);
                t.dy = std::min(t.dy, y);
            }
    return t;
}
inline TextStart colourExtent(const Surface& s, int x0, int y0, int x1, int y1, int first,
                              int last) {
    return colourExtent(s, x0, y0, x1, y1, [=](int c) { return c >= first && c <= last; });
}

} // namespace tessaly::test
