// Writing a picture's PNG file (its bytes made by core/png.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessaly {

// Writes the bytes of a PNG file as writeFileSafely writes: the old file is
// kept until the new one is whole, only a regular file or a new name is
// written, and a folder, a FIFO or a device at the path is refused without
// being opened. Empty bytes (a picture that could not be encoded) write
// nothing and give false.
bool writePngFile(const std::string& path, const std::vector<uint8_t>& png);

} // namespace tessaly
