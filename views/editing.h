// What the user does to the map: paint, pick, link doors, copy and paste.
// Each operation acts on the level cell under the pointer (x, y), found with
// the map view's strict hit test; a point that hits no cell changes nothing,
// except where noted.
#pragma once

#include <optional>

#include "views/editor.h"

namespace tessaly {

// A map tile (currentTile < tileCount, not picked from the object panel) goes
// into the tile plane; an object picture stores the code of the last catalogue entry with that
// picture into the object plane (nothing when no entry has it).
void paintCell(Editor& editor, int x, int y);
// Paints the cells between two cells of one stroke, both ends left out: the
// cells of a straight line from one to the other, so a fast drag leaves no
// gaps between the cells painted on consecutive passes.
void paintBetween(Editor& editor, Cell from, Cell to);
// The level cell under the pointer, by the map view's strict hit test.
std::optional<Cell> mapCellAt(const Editor& editor, int x, int y);
// The cell's tile becomes current, the cell the edit cell; a cell holding 256
// or more becomes the selected door with its destination as the door exit.
// The preview is redrawn whether or not a cell was hit.
void pickFromMap(Editor& editor, int x, int y);
// Stores a link to the cell under the pointer in the selected door's cell.
void linkDoor(Editor& editor, int x, int y);
void setCopyStart(Editor& editor, int x, int y);
void setCopyEnd(Editor& editor, int x, int y);
// Copies the tiles of the block between the copy corners into the copy buffer.
void copyBlock(Editor& editor);
// Writes the copy buffer's block with its top-left cell at the cell under the
// pointer (or, when none is hit, at the previous edit cell).
void pasteBlock(Editor& editor, int x, int y);

} // namespace tessaly
