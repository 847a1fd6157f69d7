// Reading and writing level files. See level_file.cpp for the format.
#pragma once

#include "level/level.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessaly {

enum class ReadResult {
    Read,       // the file was read (possibly cut short by its end)
    Unreadable, // it could not be opened: the level is empty (0 x 0)
    Refused,    // it declares more than 256 columns or rows: the level is empty
};

// Fills width, height, keptHeader, padding and the map's cells of both
// planes from the file; fileName is left alone.
ReadResult readLevel(Level& level, const std::string& path);
ReadResult readLevelFromBytes(Level& level, std::span<const uint8_t> bytes);

// The padding words after each plane of a file whose header declares the
// games' plane layout (2 planes, each of roundup16(2 x width x height) bytes)
// for the level's dimensions; 0 for any other header.
int paddingWordsFor(const Level& level);

// The bytes writeLevel writes for this level.
std::vector<uint8_t> encodeLevel(const Level& level);
// The same level compressed with runs, as the games store their levels; for
// the sample generator, tests and benchmarks (the editor saves uncompressed).
std::vector<uint8_t> encodeLevelWithRuns(const Level& level);
// Writes the level to `path` without ever destroying the old file; true on success.
bool writeLevel(const Level& level, const std::string& path);

} // namespace tessaly
