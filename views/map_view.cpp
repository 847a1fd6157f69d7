#include "views/map_view.h"

#include "gui/text.h"
#include "level/door_link.h"
#include "views/panels.h"

namespace tessaly {

namespace {

constexpr ColourScheme kLabelColours{71, 72, 73, 74, 75};
constexpr int kLabelBoxOuter = 71;
constexpr int kLabelBoxInner = 72;

// The screen background the editor is drawn on: a full-screen panel in the
// colours 71..75, its left edge bevelled in 71 and 72, its face 73.
constexpr int kBackgroundOuterBevel = 71, kBackgroundInnerBevel = 72, kBackgroundFace = 73;

// Labels reach past the frame on the left and on the right (never above or
// below it). Before the view is drawn again, the strips beside the frame
// get the background back, so a label that scrolled away or whose object
// went leaves no pieces there.
void clearLabelStrips(Surface& s) {
    const int top = kMapFrameY, bottom = kMapCellsTop + 16 * kViewRows + 15;
    const int right = kMapCellsLeft + 16 * kViewColumns + 16; // first pixel right of the frame
    fillBox(s, 0, top, 0, bottom, kBackgroundOuterBevel);
    fillBox(s, 1, top, 1, bottom, kBackgroundInnerBevel);
    fillBox(s, 2, top, kMapFrameX - 1, bottom, kBackgroundFace);
    fillBox(s, right, top, kTilePanelX - 1, bottom, kBackgroundFace);
}

// One pixel on each cell's left column and top row, the edges no click hits,
// in a colour that shows on dark and light tiles alike.
constexpr int kGridColour = 36; // magenta

void drawGrid(Surface& s) {
    const int right = kMapCellsLeft + 16 * kViewColumns - 1;
    const int bottom = kMapCellsTop + 16 * kViewRows - 1;
    for (int i = 0; i < kViewColumns; ++i) {
        const int x = kMapCellsLeft + 16 * i;
        fillBox(s, x, kMapCellsTop, x, bottom, kGridColour);
    }
    for (int j = 0; j < kViewRows; ++j) {
        const int y = kMapCellsTop + 16 * j;
        fillBox(s, kMapCellsLeft, y, right, y, kGridColour);
    }
}

void drawFrame(Editor& editor) {
    const GameProfile& p = editor.profile;
    const int L = kMapCellsLeft, T = kMapCellsTop;
    drawTile(editor, p.frameTopLeft, L - 16, T - 16, PutMode::Opaque);
    drawTile(editor, p.frameBottomLeft, L - 16, T + 320, PutMode::Opaque);
    for (int d = 0; d < 320; d += 16) {
        drawTile(editor, p.frameTop, L + d, T - 16, PutMode::Opaque);
        drawTile(editor, p.frameBottom, L + d, T + 320, PutMode::Opaque);
        drawTile(editor, p.frameLeft, L - 16, T + d, PutMode::Opaque);
        drawTile(editor, p.frameRight, L + 320, T + d, PutMode::Opaque);
    }
    drawTile(editor, p.frameTopRight, L + 320, T - 16, PutMode::Opaque);
    drawTile(editor, p.frameBottomRight, L + 320, T + 320, PutMode::Opaque);
}

} // namespace

// Each catalogue entry with the cell's code puts its picture, its label and
// the two label boxes, in that order; the door-link marker comes last.
void drawCellOverlays(Surface& surface, TextState& text, const TileSheet& tiles,
                      const GameProfile& p, LabelImages& labels, int32_t value, int cx, int cy,
                      const CellOverlays& layers) {
    if (value != 0 && (layers.objects || layers.labels)) {
        for (int k = 1; k <= p.objectCount && k < kCatalogueSize; ++k) {
            if (p.objectCode[k] != value) continue;
            if (layers.objects)
                putTile(surface, tiles, p.objectPicture[k], cx, cy, PutMode::Transparent);
            if (!layers.labels) continue;
            SetTextScale(text, 1);
            SetTextColours(text, kLabelColours[0], kLabelColours[1], kLabelColours[2],
                           kLabelColours[3], kLabelColours[4]);
            const std::string& label = p.objectLabel[k];
            auto image = labels.byText.find(label);
            if (image == labels.byText.end())
                image = labels.byText.emplace(label, TextImage(text, label)).first;
            // Kept: labels are not clipped to the view; long ones on the left
            // column reach past the frame.
            const int x = cx + 1 - 2 * int(label.size()), y = cy - 11;
            if (image->second.empty()) {
                DrawText(surface, text, x, y, label);
            } else {
                putImage(surface, x, y, image->second, 0, PutMode::Transparent);
            }
            drawBox(surface, cx, cy, cx + 17, cy + 17, kLabelBoxOuter);
            drawBox(surface, cx + 1, cy + 1, cx + 16, cy + 16, kLabelBoxInner);
        }
    }
    if (layers.links && isDoorLink(value))
        putTile(surface, tiles, kDoorLinkMarker, cx, cy, PutMode::Transparent);
}

Cell levelCellOf(const Editor& editor, ViewCell cell) {
    return {editor.viewOriginColumn + cell.i, editor.viewOriginRow + cell.j};
}

// The view is drawn whole, after the strips beside its frame are cleared,
// in three passes: every cell's tile (and the grid, when it is on); then, cell by
// cell in the same order, the overlays (object pictures with their labels and
// boxes, the door link marker, the door exit marker, the two copy corners by
// exclusive-or); then the frame, which covers whatever the overlays drew into
// its band (the labels of the top row among them).
void redrawMapView(Editor& editor) {
    const Level& level = editor.level;
    const EditState& e = editor.edit;
    clearLabelStrips(editor.surface);
    for (int j = 0; j < kViewRows; ++j) {
        for (int i = 0; i < kViewColumns; ++i) {
            Cell c = levelCellOf(editor, {i, j});
            drawTile(editor, tileCell(level, c.column, c.row), kMapCellsLeft + 16 * i,
                     kMapCellsTop + 16 * j, PutMode::Opaque);
        }
    }
    if (editor.showGrid) drawGrid(editor.surface);
    for (int j = 0; j < kViewRows; ++j) {
        for (int i = 0; i < kViewColumns; ++i) {
            Cell c = levelCellOf(editor, {i, j});
            const int cx = kMapCellsLeft + 16 * i, cy = kMapCellsTop + 16 * j;
            const int32_t v = objectCell(level, c.column, c.row);
            drawCellOverlays(editor.surface, editor.text, editor.tiles, editor.profile,
                             editor.labels, v, cx, cy);
            if (c == e.doorExit) drawTile(editor, kDoorExitMarker, cx, cy, PutMode::Transparent);
            if (c == e.copyStart)
                drawTile(editor, editor.profile.copyStartMarker, cx, cy, PutMode::Xor);
            if (c == e.copyEnd)
                drawTile(editor, editor.profile.copyEndMarker, cx, cy, PutMode::Xor);
        }
    }
    drawFrame(editor);
}

} // namespace tessaly
