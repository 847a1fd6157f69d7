// The program's emblem as the files a Windows executable carries among its
// resources: the icon and the About box logo.
#pragma once

#include <cstdint>
#include <vector>

#include "core/emblem.h"

namespace tessaly {

// An icon file (.ico) with one image: the picture in 256 colours, every
// pixel opaque.
std::vector<uint8_t> encodeIcon8(const IndexedPicture& picture);

// A bitmap file (.bmp) of the picture at 32 bits a pixel, uncompressed.
std::vector<uint8_t> encodeBitmap32(const IndexedPicture& picture);

} // namespace tessaly
