// What the user does to the map: paint, pick, link doors, copy and paste,
// and the undo and redo of such steps. Each operation takes the level cell
// it acts on (the program finds it under the pointer); none draws.
#pragma once

#include <cstdint>
#include <optional>

#include "edit/session.h"
#include "level/door_link.h"

namespace tessaly {

// What painting puts into a cell now: a map tile (currentTile < tileCount,
// not picked from the object panel) into the tile plane; for an object
// picture, the code of the last catalogue entry with that picture into the
// object plane. Nothing for a picture no entry has.
struct PaintValue {
    PlaneKind plane = PlaneKind::Tile;
    int32_t value = 0;
};
std::optional<PaintValue> paintValue(const EditSession& session);
// The value a cell holds in a plane.
int32_t cellValue(const Level& level, PlaneKind plane, Cell cell);
void setCellValue(EditSession& session, PlaneKind plane, Cell cell, int32_t value);

// Puts the paint value into the cell.
void paintCell(EditSession& session, Cell cell);
// Paints the cells between two cells of one stroke, both ends left out: the
// cells of a straight line from one to the other, so a fast drag leaves no
// gaps between the cells painted on consecutive passes.
void paintBetween(EditSession& session, Cell from, Cell to);
// Makes `image` the current tile: picked from the tile panel or, with
// `fromObjectPanel`, from the object panel (then it always paints an object).
void pickImage(EditSession& session, int32_t image, bool fromObjectPanel);
// The cell's tile becomes current, the cell the edit cell; a cell holding 256
// or more becomes the selected door with its destination as the door exit.
void pickFromMap(EditSession& session, Cell cell);
// Stores a link to `cell` in the selected door's cell, in the game's link
// counting; a cell the game cannot link to changes nothing and says why.
LinkProblem linkDoor(EditSession& session, Cell cell);
void setCopyStart(EditSession& session, Cell cell);
void setCopyEnd(EditSession& session, Cell cell);
// Copies the tiles of the block between the copy corners into the copy buffer.
void copyBlock(EditSession& session);
// Writes the copy buffer's block with its top-left cell at `cell` (or, with
// none, at the previous edit cell).
void pasteBlock(EditSession& session, std::optional<Cell> cell);
// Undoes the last step (redoes the next one); false when there is none.
bool undoEdit(EditSession& session);
bool redoEdit(EditSession& session);

} // namespace tessaly
