// The Editor record: everything the editor views draw from.
#pragma once

#include <cstdint>

#include "core/surface.h"
#include "edit/session.h"
#include "gui/text.h"
#include "views/label_images.h"
#include "views/tilesheet.h"

namespace tessaly {

// The editing session as the editor screen shows it: the tile sheet, where
// the map view and the panels stand, and the surface and text state they
// draw with. The views only draw: pausing, asking and telling the user are
// the editor loop's work.
struct Editor : EditSession {
    Editor(Surface& s, TextState& t) : surface(s), text(t) {}

    TileSheet tiles;
    LabelImages labels; // the label pictures the map view has drawn
    int32_t viewOriginColumn = 1;
    int32_t viewOriginRow = 1;
    int32_t tilePanelStart = 0;
    int32_t objectPanelStart = 0; // set for the game at every editor start
    bool showGrid = false;        // the map view's cells outlined (G)

    Surface& surface;
    TextState& text;
};

// Puts image `tile` of the tile sheet with its top-left pixel at (x, y).
void drawTile(Editor& editor, int64_t tile, int x, int y, PutMode mode);

} // namespace tessaly
