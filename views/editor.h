// The Editor record: everything the editor views and operations work on.
#pragma once

#include <array>
#include <cstdint>

#include "core/surface.h"
#include "gui/text.h"
#include "level/edit_history.h"
#include "level/level.h"
#include "level/profile.h"
#include "views/tilesheet.h"

namespace tessaly {

// What ties the views and the editing operations together. Nothing here is
// reset when a level is loaded, the editor is left or the game changes.
struct EditState {
    int32_t currentTile = 0; // below tileCount a map tile, from tileCount up an object picture
    // The current tile was picked from the object panel: it paints an object
    // whatever its number, so catalogue pictures below tileCount can be placed.
    bool objectPicked = false;
    Cell copyStart;
    Cell copyEnd;
    Plane copyBuffer{};                // [dx][dy] from the copied block's first corner
    std::array<int32_t, 2> copySize{}; // columns and rows of the last copied block
    Cell editCell;
    Cell selectedDoor;
    Cell doorExit;
};

// The views only draw: pausing, asking and telling the user are the editor
// loop's work.
struct Editor {
    Editor(Surface& s, TextState& t) : surface(s), text(t) {}

    GameProfile profile;
    Level level;
    EditHistory history; // of `level`, since it was opened
    TileSheet tiles;
    EditState edit;
    int32_t viewOriginColumn = 1;
    int32_t viewOriginRow = 1;
    int32_t tilePanelStart = 0;
    int32_t objectPanelStart = 0; // set for the game at every editor start

    Surface& surface;
    TextState& text;
};

// The editing operations change cells only through these two, which record
// every change into the open step of the undo history. Cells outside the
// planes are ignored.
void setTile(Editor& editor, int column, int row, int32_t value);
void setObject(Editor& editor, int column, int row, int32_t value);

// Puts image `tile` of the tile sheet with its top-left pixel at (x, y).
void drawTile(Editor& editor, int64_t tile, int x, int y, PutMode mode);

} // namespace tessaly
