#include "app/map_actions.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

#include "app/editor_step.h"
#include "app/hit_test.h"
#include "app/key_commands.h"
#include "edit/fills.h"
#include "edit/operations.h"
#include "edit/replace.h"
#include "views/panels.h"

namespace tessaly {

namespace {

enum class Area { MapView, TilePanel, ObjectPanel };

bool inArea(Area area, int x, int y) {
    switch (area) {
    case Area::MapView:
        return inMapView(x, y);
    case Area::TilePanel:
        return inTilePanel(x, y);
    case Area::ObjectPanel:
        return inObjectPanel(x, y);
    }
    return false;
}

// How an action's cell changes form undo steps: part of the stroke of the
// left button (one step from press to release), a step of its own, or none.
enum class Step { None, Stroke, Own };

// The editor loop's mouse and key actions, tested in this order on every
// pass. Each looks only at its own button or key, so several may run in one
// pass, each followed by the end of an editing step.
// Kept: a held button or key acts again on every pass (painting follows the
// pointer, a held 4 pastes wherever it goes), as the old editor's users
// expect; the filling tools act once per press.
enum class Repeat { EveryPass, OncePerPress };

struct Action {
    int button;   // mouse button bit, or 0
    int scanCode; // key, or 0
    Area area;
    Step step;
    void (*run)(Program&, int x, int y);
    Repeat repeat = Repeat::EveryPass;
};

// An operation on the level cell under the pointer; nothing when no cell is hit.
template <void (*operation)(EditSession&, Cell)>
void onCell(Program& p, int x, int y) {
    if (const std::optional<Cell> cell = mapCellAt(*p.editor, x, y)) operation(*p.editor, *cell);
}

// Safe: a drag paints every cell on the line from the cell painted in the
// previous pass, however fast the pointer moved; before, the cells crossed
// between two passes were skipped.
void paintStroke(Program& p, int x, int y) {
    Editor& e = *p.editor;
    const std::optional<Cell> cell = mapCellAt(e, x, y);
    if (!cell) return;
    if (p.strokeCell) paintBetween(e, *p.strokeCell, *cell);
    paintCell(e, *cell);
    p.strokeCell = cell;
}

// The preview shows the current tile after every pick, whether or not a
// slot or a cell was hit.
void pickFromTilePanel(Program& p, int x, int y) {
    if (const std::optional<int32_t> image = tilePanelImageAt(*p.editor, x, y))
        pickImage(*p.editor, *image, false);
    drawTilePreview(*p.editor);
}

void pickFromObjectPanel(Program& p, int x, int y) {
    if (const std::optional<int32_t> image = objectPanelImageAt(*p.editor, x, y))
        pickImage(*p.editor, *image, true);
}

void pickFromMapView(Program& p, int x, int y) {
    onCell<pickFromMap>(p, x, y);
    drawTilePreview(*p.editor);
}

// A destination the game cannot link to changes nothing; where the link
// would read as an object the user is told why.
void linkToCell(Program& p, int x, int y) {
    const std::optional<Cell> cell = mapCellAt(*p.editor, x, y);
    if (!cell || linkDoor(*p.editor, *cell) != LinkProblem::ReadsAsObject) return;
    p.host.showMessage(std::string(p.editor->profile.name) +
                       " counts door links from column 0: a link to column 1 would be stored "
                       "as an object code, so nothing was linked.");
}

void fill(Program& p, int x, int y) {
    if (const std::optional<Cell> cell = mapCellAt(*p.editor, x, y)) floodFill(*p.editor, *cell);
}

void fillBlock(Program& p, int, int) {
    blockFill(*p.editor);
}

// Every cell holding the value under the pointer gets the current tile or
// object, once the user agrees.
void replaceAll(Program& p, int x, int y) {
    const std::optional<Cell> cell = mapCellAt(*p.editor, x, y);
    if (!cell) return;
    const std::optional<Replacement> r = replacementAt(*p.editor, *cell);
    if (!r) return;
    const char* kind = r->plane == PlaneKind::Tile ? "tile" : "object";
    const Question question{"Replace " + std::to_string(r->cells) + " cells of " + kind + " " +
                                std::to_string(r->from) + " with " + kind + " " +
                                std::to_string(r->to) + "?",
                            {"Replace", "Cancel"},
                            0};
    if (p.host.ask(question) == 0) replaceEverywhere(*p.editor, *r);
}

void copy(Program& p, int, int) {
    copyBlock(*p.editor);
}

// A paste with the pointer on no cell goes to the previous edit cell.
void paste(Program& p, int x, int y) {
    pasteBlock(*p.editor, mapCellAt(*p.editor, x, y));
}

const std::array<Action, 12> kActions{{
    {kLeftButtonBit, 0, Area::MapView, Step::Stroke, paintStroke},
    {kLeftButtonBit, 0, Area::TilePanel, Step::None, pickFromTilePanel},
    {kRightButtonBit, 0, Area::MapView, Step::None, pickFromMapView},
    {kMiddleButtonBit, 0, Area::MapView, Step::Own, linkToCell},
    {0, scan::Digit1, Area::MapView, Step::None, onCell<setCopyStart>},
    {0, scan::Digit2, Area::MapView, Step::None, onCell<setCopyEnd>},
    {0, scan::Digit3, Area::MapView, Step::None, copy},
    {0, scan::Digit4, Area::MapView, Step::Own, paste},
    {kLeftButtonBit, 0, Area::ObjectPanel, Step::None, pickFromObjectPanel},
    {0, scan::F, Area::MapView, Step::Own, fill, Repeat::OncePerPress},
    {0, scan::Digit5, Area::MapView, Step::Own, fillBlock, Repeat::OncePerPress},
    {0, scan::R, Area::MapView, Step::Own, replaceAll, Repeat::OncePerPress},
}};
static_assert(kActions.size() <= std::tuple_size_v<decltype(Program::actionWasDown)>);

} // namespace

void runMapActions(Program& p) {
    Editor& e = *p.editor;
    const int x = p.mouse.x, y = p.mouse.y;
    for (std::size_t i = 0; i < kActions.size(); ++i) {
        const Action& a = kActions[i];
        bool pressed = a.button ? (p.mouse.buttons & a.button) != 0 : p.host.keyHeld(a.scanCode);
        if (a.repeat == Repeat::OncePerPress) {
            const bool wasDown = std::exchange(p.actionWasDown[i], pressed);
            pressed = pressed && !wasDown;
        }
        if (!pressed || !inArea(a.area, x, y)) continue;
        if (a.step == Step::Own) closeStep(e.history);
        a.run(p, x, y);
        if (a.step == Step::Own) closeStep(e.history);
        finishStep(p);
    }
}

int wheelNotches(const MouseState& before, const MouseState& now) {
    if (before.buttons < 0 || now.buttons < 0) return 0;
    return now.wheel - before.wheel;
}

namespace {

constexpr int kWheelCells = 3; // map view cells per notch
// More notches in one pass than any map or panel has rows to move; a huge
// jump of a host's count costs no long loop.
constexpr int kMostNotches = 256;

} // namespace

void turnWheel(Program& p, int notches) {
    if (notches == 0) return;
    Editor& e = *p.editor;
    const int x = p.mouse.x, y = p.mouse.y;
    const int step = notches > 0 ? -1 : 1; // away from the user: up, left, back
    const int count = std::min(std::abs(notches), kMostNotches);
    if (inMapView(x, y)) {
        const bool sideways = p.host.keyHeld(scan::LeftShift) || p.host.keyHeld(scan::RightShift);
        // One cell at a time, so the view stops at the map's edge rather
        // than refusing a move that would pass it.
        for (int i = 0; i < count * kWheelCells; ++i)
            scrollView(e, sideways ? step : 0, sideways ? 0 : step);
    } else if (inTilePanel(x, y)) {
        pageTiles(e, step * count * kPanelColumns);
    } else if (inObjectPanel(x, y)) {
        pageObjects(e, step * count * kPanelColumns);
    } else {
        return;
    }
    finishStep(p);
}

} // namespace tessaly
