// Where the pointer is on the editor screen, in page pixels: the map view's
// cells and the panels' slots, by strict hit tests (the edge pixels of a
// cell or a slot belong to none).
#pragma once

#include <cstdint>
#include <optional>

#include "level/level.h"
#include "views/editor.h"
#include "views/map_view.h"

namespace tessaly {

// The editor loop's areas: the map view (26 < x < 346 and 26 < y < 346), the
// tile panel (427 < x < 648 and 27 < y < 248) and the object panel
// (427 < x < 648 and 287 < y < 372).
bool inMapView(int x, int y);
bool inTilePanel(int x, int y);
bool inObjectPanel(int x, int y);

// The view cell strictly containing (x, y): cx < x < cx + 16, cy < y < cy + 16.
// Kept: a cell's left pixel column and top pixel row belong to no cell.
std::optional<ViewCell> viewCellAt(int x, int y);
// The level cell under (x, y) at the current view origin.
std::optional<Cell> mapCellAt(const Editor& editor, int x, int y);

// The image of the panel slot under (x, y). A slot answers on the 16 x 16
// pixels one to the right of and below its image, strictly inside, so one
// pixel column (and row) between slots belongs to none.
std::optional<int32_t> tilePanelImageAt(const Editor& editor, int x, int y);
std::optional<int32_t> objectPanelImageAt(const Editor& editor, int x, int y);

} // namespace tessaly
