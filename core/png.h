// Pictures as the bytes of PNG files; writing them is the caller's (through
// the safe write).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/surface.h"

namespace tessaly {

// An RGB PNG of width x height pixels, given as palette indexes (top row
// first) shown through `palette`. Empty when the size is not positive or the
// pixels do not fill it.
std::vector<uint8_t> encodeRgbPng(int width, int height, std::span<const uint8_t> pixels,
                                  std::span<const Rgb, 256> palette);

// The bytes of an 8-bit palette PNG of width x height palette indexes (top
// row first) with `palette` as its colour table: a third of the size of the
// same picture in RGB and quicker to write. Empty when the size is not
// positive or the pixels do not fill it.
std::vector<uint8_t> encodePalettePng(int width, int height, std::span<const uint8_t> pixels,
                                      std::span<const Rgb, 256> palette);

// The surface's visible page, as shown through its palette, as an RGB PNG.
std::vector<uint8_t> visiblePagePng(const Surface& surface);

} // namespace tessaly
