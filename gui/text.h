// Text in the pattern font and bevelled panels.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/surface.h"

namespace tessaly {

// Five palette indexes, colour 1 (lightest) .. colour 5 (darkest).
using ColourScheme = std::array<uint8_t, 5>;

struct TextState {
    ColourScheme colours{};
    int scale = 0; // side of the square drawn per pattern cell; 0 draws nothing
};

void SetTextColours(TextState& text, int c1, int c2, int c3, int c4, int c5);
void SetTextScale(TextState& text, int scale);

// Draws `text` with the pen at (x, y): a glyph's squares start one pixel right
// of and below the pen, and the pen advances (width - 1) * scale per glyph.
void DrawText(Surface& surface, const TextState& text, int x, int y, std::string_view str);
// The pixels DrawText draws with the pen at (0, 0), as an image buffer
// (core/surface.h) of MeasureText + 1 by 9 * scale + 1 pixels, colour 0
// where the text leaves the page as it is: putting it transparently with its
// top-left pixel at the pen draws exactly what DrawText draws there. Empty
// when a text colour is 0 (it could not be told from what is beneath), the
// scale is 0, or the text is wider than the page.
std::vector<uint8_t> TextImage(const TextState& text, std::string_view str);
// Width in pixels that centring uses: (sum of (glyph width - 1) + 1) * scale.
int MeasureText(const TextState& text, std::string_view str);

// A bevelled panel covering x..x+width by y..y+height with `caption` centred
// on it. Note the order: height before width. Leaves the text colours set to
// the scheme.
void DrawPanel(Surface& surface, TextState& text, int x, int y, int height, int width,
               const ColourScheme& scheme, std::string_view caption);

} // namespace tessaly
