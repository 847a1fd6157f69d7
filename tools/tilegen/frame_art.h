// The frame pieces of the default art: eight 16 x 16 tiles that the map view
// and the two tile panels put round their edges (corners at the corners, the
// edge pieces repeated along the sides), together a 16-pixel bevelled band.
#pragma once

#include "level/games.h"
#include "tools/tilegen/art_kit.h"
#include <array>
#include <cstdint>

namespace tessaly::art {

enum class FramePart { TopLeft, TopRight, BottomLeft, BottomRight, Left, Right, Top, Bottom };

// How the band looks across its width: the colour at each depth, depth 0 on
// the outer edge and 15 on the inner edge, for the sides that face the light
// (top and left) and for those that face away (bottom and right).
struct FrameStyle {
    std::array<uint8_t, 16> lit{};
    std::array<uint8_t, 16> shaded{};
};

// The game's frame, in its art theme's colours. A game that uses one tile for two opposite sides
// (the left and right edge, or the top and bottom edge) gets a symmetric band, the same on both
// sides and the same read from either edge, so the shared tile fits both places; the others get a
// band lit from the top left.
FrameStyle frameStyleFor(const GameRecord& game, bool sharedSides);

// A piece of the frame. Each pixel takes the band of the side it lies nearest
// to; on a corner's diagonal the top or bottom side wins. So a corner's
// column next to a top or bottom piece, and its row next to a left or right
// piece, continue that piece.
Canvas drawFramePiece(const FrameStyle& style, FramePart part);

} // namespace tessaly::art
