// Save, Save As, and the question before unsaved edits would be lost.
#pragma once

#include <string_view>

#include "app/program.h"

namespace tessaly {

// Save (F5): writes the level to its file. Over a file that was not a whole
// level it asks first. A save that fails is told to the user. True when the
// level was written.
bool saveLevel(Program& program);
// Save As (F6): asks for a path with the save dialog and writes the level
// there; the path becomes the level's file name. A cancelled dialog or a
// failed save changes nothing and gives false.
bool saveLevelAs(Program& program);

// Before unsaved edits would be lost: asks "Save changes to NAME <ending>?"
// with Save, Discard and Cancel. True when the caller may go on: nothing was
// unsaved, the level was saved (as F5, or F6 without a file name), or the
// edits were discarded.
bool settleUnsavedEdits(Program& program, std::string_view ending);

} // namespace tessaly
