// The POSIX side of file_io.h, for the POSIX half of the file helpers
// (files_posix.cpp): the descriptor of an open file and whole reads. Not for
// use outside system/.
#pragma once

#include "system/file_io.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessaly::file_io {

inline int descriptor(const OpenFile& file) {
    return static_cast<int>(file.native());
}

// Appends what the file gives until its end or `limit` bytes in all.
bool readAll(const OpenFile& file, std::vector<uint8_t>& out, std::size_t limit);

} // namespace tessaly::file_io
