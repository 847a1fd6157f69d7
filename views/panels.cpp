#include "views/panels.h"

#include <algorithm>
#include <cstdint>

namespace tessaly {

namespace {

// Slot (k, r) of a panel whose frame is at (fx, fy) shows its image with the
// top-left pixel at (fx + 18 + 17k, fy + 18 + 17r); the slot answers clicks on
// the 16 x 16 pixels one to the right of and below its image, strictly inside.
constexpr int kSlotPitch = 17;

void drawSlots(Editor& editor, int fx, int fy, int rows, int32_t first) {
    const int px = fx + 17, py = fy + 17;
    int64_t n = first;
    for (int r = 0; r < rows; ++r) {
        for (int k = 0; k < kPanelColumns; ++k) {
            drawTile(editor, n, px + 1 + kSlotPitch * k, py + 1 + kSlotPitch * r, PutMode::Opaque);
            ++n;
        }
    }
}

// Whether a slot was hit: then its image is current.
bool pickSlot(Editor& editor, int fx, int fy, int rows, int32_t first, int x, int y) {
    const int px = fx + 17, py = fy + 17;
    int64_t n = first;
    bool hit = false;
    for (int r = 0; r < rows; ++r) {
        for (int k = 0; k < kPanelColumns; ++k) {
            if (px + 1 + kSlotPitch * k < x && x < px + 18 + kSlotPitch * k &&
                py + 1 + kSlotPitch * r < y && y < py + 18 + kSlotPitch * r) {
                editor.edit.currentTile = int32_t(n);
                hit = true;
            }
            ++n;
        }
    }
    return hit;
}

} // namespace

void drawTilePanel(Editor& editor) {
    const GameProfile& p = editor.profile;
    const int px = kTilePanelX + 17, py = kTilePanelY + 17;
    drawSlots(editor, kTilePanelX, kTilePanelY, kTilePanelRows, editor.tilePanelStart);
    drawTile(editor, p.frameTopLeft, px - 17, py - 17, PutMode::Opaque);
    drawTile(editor, p.frameBottomLeft, px - 17, py + 223, PutMode::Opaque);
    for (int d = 0; d <= 208; d += 16) {
        drawTile(editor, p.frameTop, px - 1 + d, py - 17, PutMode::Opaque);
        drawTile(editor, p.frameBottom, px - 1 + d, py + 223, PutMode::Opaque);
        drawTile(editor, p.frameLeft, px - 17, py - 1 + d, PutMode::Opaque);
        drawTile(editor, p.frameRight, px + 223, py - 1 + d, PutMode::Opaque);
    }
    drawTile(editor, p.frameTopRight, px + 223, py - 17, PutMode::Opaque);
    drawTile(editor, p.frameBottomRight, px + 223, py + 223, PutMode::Opaque);
}

// Kept: the bottom edge at py + 79 covers the lowest six pixel rows of the
// fifth slot row; those slots still answer clicks there.
void drawObjectPanel(Editor& editor) {
    const GameProfile& p = editor.profile;
    const int px = kObjectPanelX + 17, py = kObjectPanelY + 17;
    drawSlots(editor, kObjectPanelX, kObjectPanelY, kObjectPanelRows, editor.objectPanelStart);
    for (int d = 0; d <= 208; d += 16) {
        drawTile(editor, p.frameTop, px - 1 + d, py - 17, PutMode::Opaque);
        drawTile(editor, p.frameBottom, px - 1 + d, py + 79, PutMode::Opaque);
    }
    for (int d = 0; d <= 80; d += 16) {
        drawTile(editor, p.frameLeft, px - 17, py - 1 + d, PutMode::Opaque);
        drawTile(editor, p.frameRight, px + 223, py - 1 + d, PutMode::Opaque);
    }
    drawTile(editor, p.frameTopRight, px + 223, py - 17, PutMode::Opaque);
    drawTile(editor, p.frameTopLeft, px - 17, py - 17, PutMode::Opaque);
    drawTile(editor, p.frameBottomRight, px + 223, py + 79, PutMode::Opaque);
    drawTile(editor, p.frameBottomLeft, px - 17, py + 79, PutMode::Opaque);
}

void drawTilePreview(Editor& editor) {
    drawTile(editor, editor.edit.currentTile, kPreviewX, kPreviewY, PutMode::Opaque);
}

void pickFromTilePanel(Editor& editor, int x, int y) {
    if (pickSlot(editor, kTilePanelX, kTilePanelY, kTilePanelRows, editor.tilePanelStart, x, y))
        editor.edit.objectPicked = false;
    drawTilePreview(editor);
}

void pickFromObjectPanel(Editor& editor, int x, int y) {
    if (pickSlot(editor, kObjectPanelX, kObjectPanelY, kObjectPanelRows, editor.objectPanelStart, x,
                 y))
        editor.edit.objectPicked = true;
}

bool inTilePanel(int x, int y) {
    return kTilePanelX + 17 < x && x < kTilePanelX + 238 && kTilePanelY + 17 < y &&
           y < kTilePanelY + 238;
}

bool inObjectPanel(int x, int y) {
    return kObjectPanelX + 17 < x && x < kObjectPanelX + 238 && kObjectPanelY + 17 < y &&
           y < kObjectPanelY + 102;
}

int32_t lastTilePanelStart(const GameProfile& profile) {
    return std::max<int32_t>(0, profile.tileCount - kTilesPerPanelPage);
}

int32_t defaultObjectPanelStart(const GameProfile& profile) {
    const int32_t first = profile.tileCount;
    int32_t lowest = INT32_MAX;
    for (int k = 1; k <= profile.objectCount && k < kCatalogueSize; ++k) {
        const int32_t picture = profile.objectPicture[std::size_t(k)];
        if (picture >= first && picture < first + kObjectsPerPanel) return first;
        if (picture >= first) lowest = std::min(lowest, picture);
    }
    return lowest == INT32_MAX ? first : lowest;
}

int32_t lastObjectPanelStart(const GameProfile& profile) {
    return std::max(kTileSheetImages - kObjectsPerPanel, defaultObjectPanelStart(profile));
}

} // namespace tessaly
