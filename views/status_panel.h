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
// Draws the panel and its lines.
void drawStatusPanel(Editor& editor);

} // namespace tessaly
