// Writes a specimen sheet of the pattern font and the widgets to a PNG: every
// glyph at scales 1 and 2 in two colour schemes, a line of running text in
// each, and buttons raised and pressed.
//
//   tessaly-specimen OUT.png
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "core/png.h"
#include "core/surface.h"
#include "gui/font.h"
#include "gui/palette.h"
#include "gui/text.h"
#include "gui/widgets.h"
#include "system/png_file.h"

namespace {

using namespace tessaly;

constexpr ColourScheme kGrey{30, 25, 23, 19, 17};
constexpr ColourScheme kTeal{56, 57, 58, 59, 60};
constexpr ColourScheme kRose{81, 82, 83, 84, 85};

// Every code that has a glyph of its own or a shared one, in code order.
std::vector<uint8_t> glyphCodes() {
    std::vector<uint8_t> codes;
    const Glyph& blank = LookUpGlyph(32);
    for (int c = 32; c < 256; ++c)
        if (c == 32 || &LookUpGlyph(uint8_t(c)) != &blank) codes.push_back(uint8_t(c));
    return codes;
}

// UTF-8 text of ASCII and Cyrillic letters as Windows-1251 bytes.
std::string toCp1251(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto b = uint8_t(utf8[i]);
        if (b < 0x80 || i + 1 >= utf8.size()) {
            out += char(b);
            continue;
        }
        const int cp = (b & 0x1F) << 6 | (uint8_t(utf8[++i]) & 0x3F);
        if (cp >= 0x410 && cp <= 0x44F)
            out += char(cp - 0x410 + 192);
        else if (cp == 0x401)
            out += char(168);
        else if (cp == 0x451)
            out += char(184);
        else
            out += '?';
    }
    return out;
}

// Draws the glyphs one per cell, `perRow` cells of `cell` pixels to a row;
// returns the y below the last row.
int glyphGrid(Surface& s, TextState& t, const std::vector<uint8_t>& codes, int x, int y, int scale,
              int perRow) {
    SetTextScale(t, scale);
    const int cell = 10 * scale + 2, rowHeight = 9 * scale + 3;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const int col = int(i) % perRow, row = int(i) / perRow;
        DrawText(s, t, x + col * cell, y + row * rowHeight, std::string(1, char(codes[i])));
    }
    const int rows = (int(codes.size()) + perRow - 1) / perRow;
    return y + rows * rowHeight;
}

// One block: a panel in `scheme` holding every glyph at scales 1 and 2 and a
// line of running text. Returns the y below the panel.
int schemeBlock(Surface& s, TextState& t, const ColourScheme& scheme, int y,
                const std::string& sample) {
    const std::vector<uint8_t> codes = glyphCodes();
    const int height = 8 + 3 * 12 + 6 + 5 * 21 + 6 + 20 + 8;
    DrawPanel(s, t, 10, y, height, 779, scheme, " ");
    int next = glyphGrid(s, t, codes, 18, y + 8, 1, 64);
    next = glyphGrid(s, t, codes, 18, next + 6, 2, 35);
    SetTextScale(t, 2);
    DrawText(s, t, 18, next + 6, sample);
    return y + height + 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tessaly-specimen OUT.png\n");
        return 2;
    }
    Surface surface;
    openSurface(surface);
    ApplyEditorPalette(surface);
    TextState text;
    SetTextScale(text, 2);
    DrawPanel(surface, text, 0, 0, 599, 799, kGrey, " ");
    DrawText(surface, text, 10, 6, "Tessaly Editor: pattern font and widgets");

    int y = schemeBlock(surface, text, kTeal, 30,
                        "The quick brown fox jumps over the lazy dog 0123456789 (#$%*+-/:<=>?)");
    y = schemeBlock(surface, text, kRose, y + 6,
                    toCp1251("Съешь же ещё этих мягких французских булок, да выпей чаю!"));

    WidgetTable widgets;
    RegisterWidget(widgets, 1, "raised", 10, y + 10, 30, 180, "OK");
    RegisterWidget(widgets, 2, "pressed", 200, y + 10, 30, 180, "OK");
    RegisterWidget(widgets, 3, "raised", 410, y + 10, 30, 180, "Commander Keen 1");
    RegisterWidget(widgets, 4, "pressed", 600, y + 10, 30, 189, "Commander Keen 1");
    SetWidgetColours(widgets, 1, 30, 25, 23, 19, 17);
    SetWidgetColours(widgets, 2, 30, 25, 23, 19, 17);
    SetWidgetColours(widgets, 3, 71, 72, 73, 74, 75);
    SetWidgetColours(widgets, 4, 71, 72, 73, 74, 75);
    SetTextScale(text, 2);
    DrawWidget(widgets, surface, text, 1, "Nor");
    DrawWidget(widgets, surface, text, 2, "Inv");
    DrawWidget(widgets, surface, text, 3, "Nor");
    DrawWidget(widgets, surface, text, 4, "Inv");
    SetTextColours(text, kGrey[0], kGrey[1], kGrey[2], kGrey[3], kGrey[4]);
    for (int slot = 1; slot <= 4; ++slot) {
        const WidgetSlot& w = widgets.slots[std::size_t(slot)];
        DrawText(surface, text, w.x, w.y + w.height + 4, slot % 2 ? "Nor: raised" : "Inv: pressed");
    }

    if (!writePngFile(argv[1], visiblePagePng(surface))) {
        std::fprintf(stderr, "tessaly-specimen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
