#include "app/resize_command.h"

#include <algorithm>
#include <string>

#include "edit/resize.h"
#include "views/map_view.h"

namespace tessaly {

namespace {

// A new level starts as large as the map view.
constexpr int kNewLevelSide = kViewColumns;

std::string sizeText(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

// Safe: a resize that drops what the level holds asks first; Enter keeps
// the level as it is.
bool dropsAgreed(Program& p, int width, int height, Anchor anchor) {
    const ResizeLoss loss = resizeLoss(*p.editor, width, height, anchor);
    if (loss.cells == 0 && loss.links == 0) return true;
    const Question question{"Resize to " + sizeText(width, height) + "? " +
                                std::to_string(loss.cells) + " cells with tiles or objects and " +
                                std::to_string(loss.links) + " door links are dropped.",
                            {"Resize", "Cancel"},
                            1};
    return p.host.ask(question) == 0;
}

} // namespace

void resizeOrMakeLevel(Program& p) {
    Editor& e = *p.editor;
    const bool empty = e.level.width <= 0 || e.level.height <= 0;
    const SizeRequest request{empty ? "New Level" : "Resize Level",
                              empty ? kNewLevelSide : e.level.width,
                              empty ? kNewLevelSide : e.level.height, !empty};
    const SizeChoice choice = p.host.askSize(request);
    if (!choice.chosen) return;
    const int width = std::clamp(choice.width, 1, kMaxMapSide);
    const int height = std::clamp(choice.height, 1, kMaxMapSide);
    if (empty) {
        makeNewLevel(e, width, height);
    } else {
        if (width == e.level.width && height == e.level.height) return;
        const Anchor anchor = Anchor(std::clamp(choice.anchor, 0, int(kAnchorNames.size()) - 1));
        if (!dropsAgreed(p, width, height, anchor)) return;
        resizeLevel(e, width, height, anchor);
    }
    closeStep(e.history);
    keepViewOnLevel(e);
}

void keepViewOnLevel(Editor& e) {
    const bool showsLevel =
        e.viewOriginColumn <= e.level.width && e.viewOriginRow <= e.level.height;
    if (showsLevel) return;
    e.viewOriginColumn =
        std::clamp(e.viewOriginColumn, 1, std::max(1, e.level.width - kViewColumns + 1));
    e.viewOriginRow = std::clamp(e.viewOriginRow, 1, std::max(1, e.level.height - kViewRows + 1));
}

} // namespace tessaly
