// The map view: 20 x 20 cells of 16 x 16 pixels in a frame of tile images,
// showing the level from the view origin with objects, labels, door links,
// the door exit and the copy corners laid over the tiles.
#pragma once

#include "views/editor.h"
#include "views/label_images.h"

namespace tessaly {

constexpr int kMapFrameX = 10;
constexpr int kMapFrameY = 10;
constexpr int kMapCellsLeft = kMapFrameX + 16; // top-left pixel of view cell (0, 0)
constexpr int kMapCellsTop = kMapFrameY + 16;
constexpr int kViewColumns = 20;
constexpr int kViewRows = 20;
constexpr int kDoorLinkMarker = 878;
constexpr int kDoorExitMarker = 890;

struct ViewCell {
    int i = 0; // 0..19 from the left
    int j = 0; // 0..19 from the top
    bool operator==(const ViewCell&) const = default;
};

void redrawMapView(Editor& editor);

// What the map view lays over a cell's tile; the view draws all of it.
struct CellOverlays {
    bool objects = true; // the pictures of the catalogue objects the cell holds
    bool labels = true;  // their labels, 11 pixels above the cell, and the boxes round it
    bool links = true;   // the door-link marker on a door link
};

// Draws the overlays of a cell whose object plane holds `value`, with the
// cell's top-left pixel at (cx, cy) on the work page, exactly as the map view
// draws them for each of its cells. Leaves the text state at scale 1 in the
// label colours when a label was drawn.
void drawCellOverlays(Surface& surface, TextState& text, const TileSheet& tiles,
                      const GameProfile& profile, LabelImages& labels, int32_t value, int cx,
                      int cy, const CellOverlays& layers = {});

// The level cell a view cell shows at the current view origin.
Cell levelCellOf(const Editor& editor, ViewCell cell);

} // namespace tessaly
