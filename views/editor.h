// The Editor record: everything the editor views and operations work on.
#pragma once

#include <array>
#include <cstdint>

#include "gui/text.h"
#include "level/level.h"
#include "level/profile.h"
#include "level/tilesheet.h"
#include "platform/host.h"
#include "platform/surface.h"

namespace tessaly {

// What ties the views and the editing operations together. Nothing here is
// reset when a level is loaded, the editor is left or the game changes.
struct EditState {
    int32_t currentTile = 0; // below tileCount a map tile, from tileCount up an object picture
    Cell copyStart;
    Cell copyEnd;
    Plane copyBuffer{};                // [dx][dy] from the copied block's first corner
    std::array<int32_t, 2> copySize{}; // columns and rows of the last copied block
    Cell editCell;
    Cell selectedDoor;
    Cell doorExit;
};

struct Editor {
    Editor(Surface& s, TextState& t, Host& h) : surface(s), text(t), host(h) {}

    GameProfile profile;
    Level level;
    TileSheet tiles;
    EditState edit;
    int32_t viewOriginColumn = 1;
    int32_t viewOriginRow = 1;
    int32_t tilePanelStart = 0;

    Surface& surface;
    TextState& text;
    Host& host;
};

// Puts image `tile` of the tile sheet with its top-left pixel at (x, y).
void drawTile(Editor& editor, int64_t tile, int x, int y, PutMode mode);

} // namespace tessaly
