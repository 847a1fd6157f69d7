#include "system/png_file.h"

#include "system/files.h"

namespace tessaly {

// Safe: a picture replaces an old file only once it is whole on disk, so a
// full disk keeps the old picture.
bool writePngFile(const std::string& path, const std::vector<uint8_t>& png) {
    return !png.empty() && writeFileSafely(path, png);
}

} // namespace tessaly
