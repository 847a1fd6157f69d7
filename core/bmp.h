// Palette-indexed BMP files: reading into an image buffer, writing 8-bit files.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/surface.h"

namespace tessaly {

// Loads the bytes of an uncompressed palette-indexed BMP file (1, 4 or 8 bits
// per pixel, bottom-up or top-down; 40-, 108- or 124-byte info header) into
// an image buffer at `offset` of `store` (see surface.h for the layout) and
// replaces the first palette entries with its colour table. Anything else
// (missing or broken bytes, other formats, an image that does not fit the
// store) leaves store and palette unchanged and returns false.
bool loadBitmapFromBytes(Surface& surface, std::span<const uint8_t> file, std::span<uint8_t> store,
                         std::size_t offset);

// The colour table of a BMP file loadBitmapFromBytes accepts, entry by entry
// as the file holds it; entries past the file's table are black. False (and
// `colours` unchanged) for any file it refuses.
bool readBitmapColours(std::span<const uint8_t> file, std::array<Rgb, 256>& colours);

// An 8-bit BMP file (40-byte info header, 256-entry colour table, bottom-up
// rows) of width x height pixels given top row first, row by row.
std::vector<uint8_t> encodeBitmap8(int width, int height, std::span<const uint8_t> pixels,
                                   std::span<const Rgb, 256> colours);

} // namespace tessaly
