// The whole level on one page: every cell at the largest whole number of
// pixels (1 to 16) that fits the page, its tile scaled down by sampling the
// tile's image, objects and door links marked, and the map view's 20 x 20
// cells outlined. It only draws; the program keeps the page it covers and
// puts it back when the overview closes.
#pragma once

#include <optional>

#include "level/level.h"
#include "views/editor.h"

namespace tessaly {

// Where the overview puts the level: cell (c, r) covers the `scale` x `scale`
// pixels from (left + (c - 1) * scale, top + (r - 1) * scale), the whole
// level centred on the page.
struct OverviewLayout {
    int scale = 16;
    int left = 0, top = 0;
};
OverviewLayout overviewLayout(const Level& level);

// The level cell drawn at page pixel (x, y); nothing off the level.
std::optional<Cell> overviewCellAt(const OverviewLayout& layout, const Level& level, int x, int y);

// Draws the overview over the whole work page.
void drawOverview(Editor& editor);

} // namespace tessaly
