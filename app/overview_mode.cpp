#include "app/overview_mode.h"

#include <algorithm>
#include <vector>

#include "app/map_actions.h"
#include "views/map_view.h"
#include "views/overview.h"

namespace tessaly {

namespace {

constexpr int kPassPauseMs = 10;
constexpr int kTab = 0x0F, kEscape = 0x01;

// The view origin that puts `cell` as near the middle of the view as the
// level allows, as the scroll keys would stop.
void centreViewOn(Editor& e, Cell cell) {
    e.viewOriginColumn = std::clamp(cell.column - kViewColumns / 2, 1,
                                    std::max(1, e.level.width - kViewColumns + 1));
    e.viewOriginRow =
        std::clamp(cell.row - kViewRows / 2, 1, std::max(1, e.level.height - kViewRows + 1));
}

} // namespace

OverviewEnd runOverview(Program& p) {
    Editor& e = *p.editor;
    std::vector<uint8_t> page(kImageHeaderBytes + imagePitch(kSurfaceWidth) * kSurfaceHeight);
    captureImage(p.surface, 0, 0, kSurfaceWidth - 1, kSurfaceHeight - 1, page, 0);
    drawOverview(e);
    const OverviewLayout layout = overviewLayout(e.level);
    // Keys and the button held when the overview opened count only once let go.
    bool closeKeyWasDown = true;
    bool leftWasDown = true;
    OverviewEnd end = OverviewEnd::Closed;
    for (;;) {
        p.host.pause(kPassPauseMs);
        p.host.beginPass();
        const MouseState mouse = p.host.readMouse();
        if (p.host.closeRequested()) {
            end = OverviewEnd::CloseRequested;
            break;
        }
        const bool closeKey = p.host.keyHeld(kTab) || p.host.keyHeld(kEscape);
        if (closeKey && !closeKeyWasDown) break;
        closeKeyWasDown = closeKey;
        const bool left = mouse.buttons > 0 && (mouse.buttons & kLeftButtonBit) != 0;
        if (left && !leftWasDown) {
            if (const std::optional<Cell> cell =
                    overviewCellAt(layout, e.level, mouse.x, mouse.y)) {
                centreViewOn(e, *cell);
                end = OverviewEnd::Moved;
                break;
            }
        }
        leftWasDown = left;
    }
    putImage(p.surface, 0, 0, page, 0, PutMode::Opaque);
    return end;
}

} // namespace tessaly
