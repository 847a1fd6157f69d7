// Filling many cells at once with what painting puts into one (see
// paintValue): a region of equal tiles, or the copy block. Only level cells
// (1..width, 1..height) change, never the cells beyond the map that the
// planes hold. Each is one undo step when the caller closes the step around it.
#pragma once

#include "edit/operations.h"

namespace tessaly {

// The 4-connected region of level cells whose tile equals `start`'s tile
// gets the paint value: the tile, or with an object picture current the
// object, in the same region (the cells keep their tiles). Nothing when
// `start` is no level cell. Iterative: a level of one tile fills whole.
void floodFill(EditSession& session, Cell start);

// Every level cell of the block between the copy corners, in whichever order
// they were set, gets the paint value.
void blockFill(EditSession& session);

} // namespace tessaly
