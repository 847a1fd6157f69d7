// Door links: an object value that names the cell a door leads to, as
// column * 256 + row. Every part of the program decodes, encodes and tells
// door links with these; each keeps its own rule for which values it takes.
#pragma once

#include <cstdint>
#include <optional>

#include "level/level.h"

namespace tessaly {

// The values the map view marks with the door-link marker, and the level tool
// reports and checks: column 1, row 0 up to column 127, row 255. From 32768
// on, Dangerous Dave 2's catalogue uses values for its own door objects.
constexpr int32_t kFirstDoorLink = 256;
constexpr int32_t kLastDoorLink = 32767;

// The largest column and row a link can name: a level file's cell holds 16
// bits, so 255 * 256 + 255 is the largest link a file holds.
constexpr int32_t kLastLinkedSide = 255;

// Whether the map view marks `value` as a door link (and the tool reports it).
constexpr bool isDoorLink(int32_t value) {
    return value >= kFirstDoorLink && value <= kLastDoorLink;
}

// The destination of `value`: column value div 256 (rounded down), row value
// mod 256.
constexpr Cell decodeDoorLink(int32_t value) {
    const int64_t v = value;
    const int64_t q = v >= 0 ? v / 256 : (v - 255) / 256; // division rounded down
    return {int32_t(q), int32_t(v - 256 * q)};
}

// Whether picking the cell with the right button takes `value` for a door:
// every value from 256 on (a destination column from 1 to 32767), not only
// the values the map view marks.
constexpr bool picksAsDoor(int32_t value) {
    const Cell destination = decodeDoorLink(value);
    return destination.column > 0 && destination.column < 32768;
}

// The value that links to `cell`; nothing when its column or row lies outside
// 0..255, where column * 256 + row would name another cell or not fit a file.
constexpr std::optional<int32_t> encodeDoorLink(Cell cell) {
    if (cell.column < 0 || cell.column > kLastLinkedSide || cell.row < 0 ||
        cell.row > kLastLinkedSide)
        return std::nullopt;
    return cell.column * 256 + cell.row;
}

} // namespace tessaly
