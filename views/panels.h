// The tile panel (13 x 13 map tiles from tilePanelStart) and the object panel
// (13 x 5 images from objectPanelStart), each in a frame of tile images, and
// the tile preview.
#pragma once

#include "views/editor.h"

namespace tessaly {

constexpr int kTilePanelX = 410, kTilePanelY = 10;
constexpr int kObjectPanelX = 410, kObjectPanelY = 270;
constexpr int kPanelColumns = 13;
constexpr int kTilePanelRows = 13;
constexpr int kObjectPanelRows = 5;
constexpr int kTilesPerPanelPage = kPanelColumns * kTilePanelRows; // 169
constexpr int kObjectsPerPanel = kPanelColumns * kObjectPanelRows; // 65
constexpr int kPreviewX = 650, kPreviewY = 450;
// Slot (k, r) of a panel whose frame is at (fx, fy) shows its image with the
// top-left pixel at (fx + 18 + 17k, fy + 18 + 17r).
constexpr int kSlotPitch = 17;

void drawTilePanel(Editor& editor);
void drawObjectPanel(Editor& editor);
// Puts the current tile at the preview position.
void drawTilePreview(Editor& editor);

// The largest tilePanelStart: the last full page. Safe: never below 0, so a
// game with fewer than 169 tiles keeps the panel at tile 0.
int32_t lastTilePanelStart(const GameProfile& profile);

// Where the object panel starts for a game: at tileCount, where the object
// pictures follow the map tiles; for a game none of whose catalogue pictures
// lies in the panel's first 65 images there, at its lowest catalogue picture
// at or above tileCount instead, so that the panel offers its objects.
int32_t defaultObjectPanelStart(const GameProfile& profile);
// The largest objectPanelStart: the last full panel of the tile sheet, or
// the game's own start where that lies further on.
int32_t lastObjectPanelStart(const GameProfile& profile);

} // namespace tessaly
