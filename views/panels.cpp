#include "views/panels.h"

#include <algorithm>
#include <cstdint>

namespace tessaly {

namespace {

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
