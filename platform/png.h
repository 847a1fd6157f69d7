// Writing pictures as PNG files.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace tessaly {

// Writes an RGB picture of width x height pixels, given as palette indexes
// (top row first) shown through `palette`, as writeFileSafely writes (the
// old file is kept until the new one is whole; only a regular file or a new
// name is written). False when the file cannot be written.
bool writeIndexedPng(const std::string& path, int width, int height,
                     std::span<const uint8_t> pixels, std::span<const Rgb, 256> palette);

// The bytes of an 8-bit palette PNG of width x height palette indexes (top
// row first) with `palette` as its colour table: a third of the size of the
// same picture in RGB and quicker to write. Empty when the size is not
// positive or the pixels do not fill it.
std::vector<uint8_t> encodePalettePng(int width, int height, std::span<const uint8_t> pixels,
                                      std::span<const Rgb, 256> palette);

// The surface's visible page, as shown through its palette.
bool writeVisiblePagePng(const Surface& surface, const std::string& path);

} // namespace tessaly
