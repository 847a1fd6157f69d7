// The end of every editing step and keyboard command: what makes its result
// show, and the pacing of the editor loop.
#pragma once

#include <string>
#include <string_view>

#include "app/program.h"

namespace tessaly {

// Draws the status panel, redraws the map view once, brings the window title
// up to date and pauses 10 ms.
void finishStep(Program& program);

// The level file's name as shown to the user: its base name as the dialog
// gave it, or "(no file)".
std::string levelDisplayName(std::string_view fileName);

// The editor's window title: "<title> - NAME", then " *" while there are
// unsaved edits; a name too long for the title's 127 characters is cut, the
// mark kept.
std::string editorTitle(std::string_view programTitle, std::string_view fileName, bool unsaved);

// Sets the editor's window title when it changed.
void updateEditorTitle(Program& program);
// Sets the window title, remembering it so that an unchanged title is not set again.
void showTitle(Program& program, const std::string& title);

} // namespace tessaly
