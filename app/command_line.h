// A level file named on the command line (as a file manager or the desktop
// entry's %f passes it): the program starts straight in the editor with it.
#pragma once

#include <string>

#include "app/program.h"

namespace tessaly {

// When `path`'s extension names a game (any case of its id)
// and the path names a regular file, selects that game, keeps the path for the
// editor start to open instead of asking with the open dialog, and returns
// true. Otherwise tells the user why the level is not opened (a folder, no
// game's extension, no such file, not a regular file) and returns false: the
// program goes on at the start screen.
bool takeLevelArgument(Program& program, const std::string& path);

} // namespace tessaly
