// Changing a level's size, with a chosen part of it kept in place, and
// making a new level on the empty map.
#pragma once

#include "edit/session.h"

namespace tessaly {

// The part of the level that stays in place: a corner, an edge's middle or
// the centre, as nine choices read row by row ("nw n ne w c e sw s se").
enum class Anchor { NW, N, NE, W, C, E, SW, S, SE };

// What a resize to width x height would drop: level cells holding a tile or
// an object that fall outside, and door links whose destination does.
struct ResizeLoss {
    int cells = 0;
    int links = 0;
};
ResizeLoss resizeLoss(const EditSession& session, int width, int height, Anchor anchor);

// Gives the level width x height cells (1..256 each). Cells keep their place
// relative to the anchor; those that fall outside are dropped and new cells
// are 0 in both planes, and so is everything the planes hold beyond the new
// level. In a game whose editor follows door links, every link is rewritten
// to its destination's new place in the game's counting, and becomes 0 when
// that place is dropped or cannot be linked to. The size words of the header
// (and its plane layout, when it declares one) follow. The copy corners, the
// edit cell, the selected door and the door exit are kept inside the new
// size. One step of the history, with the size, when the caller closes it.
void resizeLevel(EditSession& session, int width, int height, Anchor anchor);

// Makes the empty map a new level of width x height cells (1..256 each),
// every cell 0, laid out as the games' own files are (newLevelShape). One
// step of the history, when the caller closes it.
void makeNewLevel(EditSession& session, int width, int height);

} // namespace tessaly
