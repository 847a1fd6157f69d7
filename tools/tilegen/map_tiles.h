// Map tiles of the default art. The tile panel shows the sheet thirteen
// tiles to a row, so the art is laid out the same way: every sheet row is one
// family of thirteen related tiles (sky shades, a ground block cut into its
// edge pieces, bricks, stone, ladders and platforms, liquids, hazards, doors,
// decorations, machinery, inner walls), painted in one of the game's
// colourways. The game's family order and colourways give each game its own
// theme; a seeded random generator gives every tile its own grain.
#pragma once

#include "level/games.h"
#include "tools/tilegen/art_kit.h"

namespace tessaly::art {

// Map tile `tileNumber` of the game's default art (any number from 0 up), in
// the game's art theme (a number past the themes gets the first), its grain
// seeded by the game's id.
Canvas drawMapTile(const GameRecord& game, int tileNumber);

} // namespace tessaly::art
