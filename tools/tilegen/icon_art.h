// Overlay pictures of the default art: the object pictures of the games'
// catalogues, the door link and door exit markers and the two copy markers,
// plus the quiet pattern of the tile numbers nothing uses.
//
// Object pictures and door markers are put transparently over map tiles, so
// they are drawn on colour 0 with a black outline that keeps them readable
// over light and dark tiles alike. Copy markers are put by exclusive-or,
// so they are mostly colour 0 (which leaves the tile unchanged).
#pragma once

#include <cstdint>
#include <string_view>

#include "tools/tilegen/art_kit.h"

namespace tessaly::art {

// The picture for a catalogue entry, chosen by its label (and, for the two
// entries both called "Free", by its code: code 0 clears the cell, so it gets
// an eraser). Labels that no picture is made for get a generic creature with
// the code written on it.
Canvas drawObjectPicture(std::string_view label, int32_t code);

// Image 878: marks a door that links somewhere (and is the exit door's picture).
Canvas drawDoorLinkMarker();

// Image 890: marks the destination of the selected door.
Canvas drawDoorExitMarker();

// Corner brackets for the copy block: the start marker in the top left of
// its cell, the end marker in the bottom right. `outer` and `inner` are the
// values the two strokes of the bracket are combined with.
Canvas drawCopyMarker(bool start, uint8_t outer, uint8_t inner);

// The picture of every tile number that is neither a map tile nor used.
Canvas drawUnusedTile();

} // namespace tessaly::art
