// The pattern font: each glyph is a grid of pattern characters naming a text
// colour ('1' colour 1, '2' colour 2, 's' colour 4, 'x' colour 5) or, for any
// other character, transparency.
#pragma once

#include <cstdint>
#include <string_view>

namespace tessaly {

constexpr int kMaxGlyphHeight = 9;

struct Glyph {
    int width = 5;  // 3..9 columns
    int height = 8; // 8 or 9 rows
    // Row strings, top first; only the first `width` characters of a row count.
    std::string_view rows[kMaxGlyphHeight];
};

// The glyph for a Windows-1251 character code; the blank glyph (5 x 8, all
// transparent) for codes that have none.
const Glyph& LookUpGlyph(uint8_t code);

} // namespace tessaly
