// Door links: an object value that names the cell a door leads to, as
// column * 256 + row. Most games count those columns and rows from 1, as the
// editor shows cells; Dangerous Dave 2 counts them from 0, so its link to
// the cell the editor calls (c, r) is (c - 1) * 256 + (r - 1). Every part of
// the program decodes, encodes and tells door links with these, with the
// game's counting; each keeps its own rule for which values it takes.
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

// How a game's links count columns and rows.
enum class LinkCounting { FromOne, FromZero };

// The destination of `value`, in the editor's cells: column value div 256
// (rounded down), row value mod 256, each one more when the game counts
// from 0.
constexpr Cell decodeDoorLink(int32_t value, LinkCounting counting) {
    const int64_t v = value;
    const int64_t q = v >= 0 ? v / 256 : (v - 255) / 256; // division rounded down
    const int32_t shift = counting == LinkCounting::FromZero ? 1 : 0;
    return {int32_t(q) + shift, int32_t(v - 256 * q) + shift};
}

// Whether picking the cell with the right button takes `value` for a door:
// every value from 256 on (value div 256 from 1 to 32767), not only the
// values the map view marks.
constexpr bool picksAsDoor(int32_t value) {
    const int64_t v = value;
    const int64_t q = v >= 0 ? v / 256 : (v - 255) / 256;
    return q > 0 && q < 32768;
}

// Why a cell cannot be linked to.
enum class LinkProblem {
    None,
    OutOfRange,   // past what column * 256 + row can name in a level file's 16 bits
    ReadsAsObject // the value would be below 256, which every game reads as an object
};

constexpr LinkProblem doorLinkProblem(Cell cell, LinkCounting counting) {
    const int32_t shift = counting == LinkCounting::FromZero ? 1 : 0;
    const int32_t column = cell.column - shift, row = cell.row - shift;
    if (column < 0 || column > kLastLinkedSide || row < 0 || row > kLastLinkedSide)
        return LinkProblem::OutOfRange;
    if (counting == LinkCounting::FromZero && column == 0) return LinkProblem::ReadsAsObject;
    return LinkProblem::None;
}

// The value that links to `cell`; nothing when it has a link problem.
constexpr std::optional<int32_t> encodeDoorLink(Cell cell, LinkCounting counting) {
    if (doorLinkProblem(cell, counting) != LinkProblem::None) return std::nullopt;
    const int32_t shift = counting == LinkCounting::FromZero ? 1 : 0;
    return (cell.column - shift) * 256 + cell.row - shift;
}

} // namespace tessaly
