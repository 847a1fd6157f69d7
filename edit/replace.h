// Replacing one value by another in every level cell of a plane: a tile by
// the current tile, or an object by the current object.
#pragma once

#include <optional>

#include "edit/operations.h"

namespace tessaly {

// What replacing from `cell` would do: every level cell holding the cell's
// value (its tile, or with an object picture current its object value) gets
// the paint value. Nothing when `cell` is no level cell, no object can be
// painted, or the cell already holds the paint value.
struct Replacement {
    PlaneKind plane = PlaneKind::Tile;
    int32_t from = 0; // the value replaced
    int32_t to = 0;   // the value put instead
    int cells = 0;    // how many level cells hold `from`
};
std::optional<Replacement> replacementAt(const EditSession& session, Cell cell);

// Puts `to` into every level cell of the plane that holds `from`.
void replaceEverywhere(EditSession& session, const Replacement& replacement);

} // namespace tessaly
