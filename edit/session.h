// The editing session: the level being edited with its undo history, the
// game it belongs to, and the editing state the operations share. Cells in,
// no pixels: what the screen shows of it is the views' business.
#pragma once

#include <array>
#include <cstdint>

#include "level/edit_history.h"
#include "level/level.h"
#include "level/profile.h"

namespace tessaly {

// What ties the editing operations together. Nothing here is reset when a
// level is loaded, the editor is left or the game changes.
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

struct EditSession {
    GameProfile profile;
    Level level;
    EditHistory history; // of `level`, since it was opened
    EditState edit;
};

// The editing operations change cells only through these two, which record
// every change into the open step of the undo history. Cells outside the
// planes are ignored.
void setTile(EditSession& session, int column, int row, int32_t value);
void setObject(EditSession& session, int column, int row, int32_t value);

} // namespace tessaly
