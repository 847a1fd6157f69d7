// Helpers shared by the level tests and the level tool's: level files put
// together word by word (and, from temp_folder.h, a scratch folder and file
// bytes).
#pragma once

#include "level/level.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "tests/support/temp_folder.h"

namespace tessaly::test {

// Appends 16-bit little-endian words.
inline void addWords(std::vector<uint8_t>& bytes, std::initializer_list<int> words) {
    for (const int word : words) {
        bytes.push_back(static_cast<uint8_t>(word & 0xFF));
        bytes.push_back(static_cast<uint8_t>((word >> 8) & 0xFF));
    }
}

inline void addBytes(std::vector<uint8_t>& bytes, std::initializer_list<int> values) {
    for (const int value : values) bytes.push_back(static_cast<uint8_t>(value));
}

// A plain 36-byte header declaring width x height, all other bytes 0.
inline std::vector<uint8_t> plainHeader(int width, int height) {
    std::vector<uint8_t> bytes(4, 0);
    addWords(bytes, {width, height});
    bytes.resize(36, 0);
    return bytes;
}

// Header of the games' padded plane layout: 2 planes in bytes 8..9, the
// plane size rounded up to 16 in bytes 18..19.
inline std::vector<uint8_t> paddedHeader(int width, int height) {
    std::vector<uint8_t> bytes = plainHeader(width, height);
    const int planeBytes = (2 * width * height + 15) / 16 * 16;
    bytes[8] = 2;
    bytes[18] = static_cast<uint8_t>(planeBytes & 0xFF);
    bytes[19] = static_cast<uint8_t>(planeBytes >> 8);
    return bytes;
}

inline std::unique_ptr<Level> newLevel() {
    return std::make_unique<Level>();
}

} // namespace tessaly::test
