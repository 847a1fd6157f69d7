#include "app/hit_test.h"

#include "views/panels.h"

namespace tessaly {

namespace {

// The scan the panels' slots are tested in, row by row; the last match wins.
std::optional<int32_t> slotImageAt(int fx, int fy, int rows, int32_t first, int x, int y) {
    const int px = fx + 17, py = fy + 17;
    std::optional<int32_t> image;
    int64_t n = first;
    for (int r = 0; r < rows; ++r) {
        for (int k = 0; k < kPanelColumns; ++k) {
            if (px + 1 + kSlotPitch * k < x && x < px + 18 + kSlotPitch * k &&
                py + 1 + kSlotPitch * r < y && y < py + 18 + kSlotPitch * r) {
                image = int32_t(n);
            }
            ++n;
        }
    }
    return image;
}

} // namespace

bool inMapView(int x, int y) {
    return kMapCellsLeft < x && x < kMapCellsLeft + 320 && kMapCellsTop < y &&
           y < kMapCellsTop + 320;
}

bool inTilePanel(int x, int y) {
    return kTilePanelX + 17 < x && x < kTilePanelX + 238 && kTilePanelY + 17 < y &&
           y < kTilePanelY + 238;
}

bool inObjectPanel(int x, int y) {
    return kObjectPanelX + 17 < x && x < kObjectPanelX + 238 && kObjectPanelY + 17 < y &&
           y < kObjectPanelY + 102;
}

std::optional<ViewCell> viewCellAt(int x, int y) {
    for (int j = 0; j < kViewRows; ++j) {
        for (int i = 0; i < kViewColumns; ++i) {
            const int cx = kMapCellsLeft + 16 * i, cy = kMapCellsTop + 16 * j;
            if (cx < x && x < cx + 16 && cy < y && y < cy + 16) return ViewCell{i, j};
        }
    }
    return std::nullopt;
}

std::optional<Cell> mapCellAt(const Editor& editor, int x, int y) {
    const std::optional<ViewCell> v = viewCellAt(x, y);
    if (!v) return std::nullopt;
    return levelCellOf(editor, *v);
}

std::optional<int32_t> tilePanelImageAt(const Editor& editor, int x, int y) {
    return slotImageAt(kTilePanelX, kTilePanelY, kTilePanelRows, editor.tilePanelStart, x, y);
}

std::optional<int32_t> objectPanelImageAt(const Editor& editor, int x, int y) {
    return slotImageAt(kObjectPanelX, kObjectPanelY, kObjectPanelRows, editor.objectPanelStart, x,
                       y);
}

} // namespace tessaly
