// The editor start and the editor loop.
#pragma once

#include "app/program.h"

namespace tessaly {

// Lays out the editor for the chosen game (tile sheet, palette, the level
// picked in the open dialog, panels, map view, status panel) and runs the
// editor loop until F10 leaves it; then the chosen flag is clear.
void runEditor(Program& program);

// The editor start alone (everything before the loop).
void startEditor(Program& program);

// One pass of the editor loop; false once F10 was seen (the editor is left).
bool editorPass(Program& program);

} // namespace tessaly
