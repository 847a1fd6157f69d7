// Puts each game's default tile bitmap into a folder (the build's Resources/)
// without ever replacing a bitmap the user put there: a bitmap made by the
// tile import or an image editor stays until the user deletes it.
//
// The folder keeps a stamp file, `.tilegen-stamp`, with one line per bitmap
// this step wrote ("NAME HASH", the FNV-1a hash of its bytes). A bitmap is
// written when it is missing or still holds exactly what was written last
// time (our own older art); any other bitmap is kept and named in a note.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <string>

namespace tessaly {

inline constexpr const char* kTilegenStampName = ".tilegen-stamp";

uint64_t bitmapHash(std::span<const uint8_t> bytes);

// Writes every game's bitmap into `folder`, creating it when needed.
// Kept bitmaps and failed writes get one line each on `notes`. Returns false
// when a bitmap that should have been written could not be.
bool writeDefaultBitmaps(const std::string& folder, std::ostream& notes);

} // namespace tessaly
