// Where tessaly-level finds a game's tile bitmap when none is named.
#pragma once

#include <string>

#include "level/games.h"

namespace tessaly {

// The game's tile bitmap (its name in any case) in the user's data folder,
// $XDG_DATA_HOME/tessaly/Resources/ (by default ~/.local/share/tessaly/
// Resources/), else in Resources/ beside this program; the first place that
// holds it wins. The last place's path when neither does.
std::string findTileBitmap(const GameRecord& game);

} // namespace tessaly
