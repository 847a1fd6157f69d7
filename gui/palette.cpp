#include "gui/palette.h"

namespace tessaly {

namespace {

constexpr std::array<Rgb, 256> buildEditorPalette() {
    std::array<Rgb, 256> p{};
    // 0..15: the standard 16-colour EGA palette.
    const Rgb ega[16] = {
        {0, 0, 0},     {0, 0, 170},    {0, 170, 0},    {0, 170, 170},
        {170, 0, 0},   {170, 0, 170},  {170, 85, 0},   {170, 170, 170},
        {85, 85, 85},  {85, 85, 255},  {85, 255, 85},  {85, 255, 255},
        {255, 85, 85}, {255, 85, 255}, {255, 255, 85}, {255, 255, 255},
    };
    // 16..31: a grey ramp from black to white.
    const uint8_t grey[16] = {0,   20,  32,  44,  56,  68,  80,  97,
                              113, 129, 145, 161, 182, 202, 226, 255};
    // 32..55: a ring of saturated hues from blue through magenta, red, yellow,
    // green and cyan back towards blue.
    const Rgb hues[24] = {
        {0, 0, 255},   {64, 0, 255},  {125, 0, 255}, {190, 0, 255}, {255, 0, 255}, {255, 0, 190},
        {255, 0, 125}, {255, 0, 64},  {255, 0, 0},   {255, 64, 0},  {255, 125, 0}, {255, 190, 0},
        {255, 255, 0}, {190, 255, 0}, {125, 255, 0}, {64, 255, 0},  {0, 255, 0},   {0, 255, 64},
        {0, 255, 125}, {0, 255, 190}, {0, 255, 255}, {0, 190, 255}, {0, 125, 255}, {0, 64, 255},
    };
    // 56..85: six five-shade ramps, lightest first; each read in order is a
    // ready-made colour scheme for panels, widgets and text.
    const Rgb ramps[30] = {
        {100, 204, 188}, {60, 164, 144},  {28, 128, 100}, {8, 88, 64},   {0, 52, 32},  // teal green
        {64, 176, 108},  {52, 140, 84},   {40, 108, 64},  {28, 76, 44},  {16, 44, 24}, // green
        {168, 188, 80},  {128, 152, 56},  {96, 120, 40},  {64, 84, 24},  {36, 52, 12}, // olive
        {132, 176, 220}, {80, 124, 180},  {40, 80, 140},  {12, 44, 100}, {0, 16, 60},  // blue
        {180, 148, 232}, {136, 100, 184}, {100, 60, 136}, {68, 28, 88},  {32, 8, 40},  // violet
        {236, 200, 192}, {196, 128, 132}, {156, 80, 100}, {116, 40, 80}, {76, 16, 60}, // rose
    };
    for (int i = 0; i < 16; ++i) p[std::size_t(i)] = ega[i];
    for (int i = 0; i < 16; ++i) p[std::size_t(16 + i)] = {grey[i], grey[i], grey[i]};
    for (int i = 0; i < 24; ++i) p[std::size_t(32 + i)] = hues[i];
    for (int i = 0; i < 30; ++i) p[std::size_t(56 + i)] = ramps[i];
    // 86..255 stay black.
    return p;
}

} // namespace

constexpr std::array<Rgb, 256> kEditorPalette = buildEditorPalette();

void ApplyEditorPalette(Surface& surface) {
    for (int i = 0; i < 256; ++i) {
        const Rgb& c = kEditorPalette[std::size_t(i)];
        setPaletteEntry(surface, i, c.r, c.g, c.b);
    }
}

} // namespace tessaly
