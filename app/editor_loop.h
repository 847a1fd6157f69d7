// The editor start and the editor loop.
#pragma once

#include <optional>

#include "app/program.h"

namespace tessaly {

// Lays out the editor for the chosen game (tile sheet, palette, the level
// picked in the open dialog, panels, map view, status panel) and runs the
// editor loop until F10 leaves it (the chosen flag is then clear) or a close
// request ends the program: then its exit status.
std::optional<int> runEditor(Program& program);

// The editor start alone (everything before the loop).
void startEditor(Program& program);

enum class PassEnd { Stay, Leave, EndProgram };

// One pass of the editor loop: whether the editor goes on, is left (F10) or
// the program ends (a close request).
PassEnd editorPass(Program& program);

} // namespace tessaly
