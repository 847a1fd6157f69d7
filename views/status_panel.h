// The status panel: seven lines about the map, the current tile, the view
// origin and the editing state, in a bevelled panel at the bottom left.
#pragma once

#include <array>
#include <string>

#include "views/editor.h"

namespace tessaly {

constexpr int kStatusLines = 7;

// The seven lines exactly as drawn, top first.
std::array<std::string, kStatusLines> statusLines(const Editor& editor);
// Draws the panel and its lines, without the map view and the pause.
void drawStatusPanel(Editor& editor);
// Draws the panel, redraws the map view and pauses 10 ms: every editing step
// and keyboard command ends with this, which is what makes its result show.
void updateStatusPanel(Editor& editor);

} // namespace tessaly
