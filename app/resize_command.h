// F7: a level's new size, or a new level on the empty map.
#pragma once

#include "app/program.h"

namespace tessaly {

// Asks for the level's new width and height and the part that stays in
// place, and resizes it; when that drops cells holding a tile or an object,
// or door links, a question says how many first. On the empty map that a
// cancelled open dialog leaves, it asks for a size alone and makes a new
// level of it, which has no file name until Save As.
void resizeOrMakeLevel(Program& program);

// The view origin the scroll keys would stop at, when the view shows none of
// the level (an origin left from a bigger level or size); an origin that
// shows some of the level stays where it is.
void keepViewOnLevel(Editor& editor);

} // namespace tessaly
