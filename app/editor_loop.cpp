#include "app/editor_loop.h"

#include <algorithm>
#include <array>
#include <utility>

#include "app/editor_step.h"
#include "app/key_commands.h"
#include "app/recovery.h"
#include "app/save_commands.h"
#include "gui/palette.h"
#include "level/dialogs.h"
#include "level/level_file.h"
#include "level/tilesheet.h"
#include "platform/files.h"
#include "views/editing.h"
#include "views/map_view.h"
#include "views/panels.h"
#include "views/status_panel.h"

namespace tessaly {

namespace {

constexpr int kLoopPauseMs = 10;
constexpr int kLeftButton = 1, kRightButton = 2, kMiddleButton = 4;

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
// pointer, a held 4 pastes wherever it goes), as the old editor's users expect.
struct Action {
    int button;   // mouse button bit, or 0
    int scanCode; // key, or 0
    Area area;
    Step step;
    void (*run)(Program&, int x, int y);
};

template <void (*operation)(Editor&, int, int)>
void onEditor(Program& p, int x, int y) {
    operation(*p.editor, x, y);
}

// Safe: a drag paints every cell on the line from the cell painted in the
// previous pass, however fast the pointer moved; before, the cells crossed
// between two passes were skipped.
void paintStroke(Program& p, int x, int y) {
    Editor& e = *p.editor;
    const std::optional<Cell> cell = mapCellAt(e, x, y);
    if (cell && p.strokeCell) paintBetween(e, *p.strokeCell, *cell);
    paintCell(e, x, y);
    if (cell) p.strokeCell = cell;
}

const std::array<Action, 9> kActions{{
    {kLeftButton, 0, Area::MapView, Step::Stroke, paintStroke},
    {kLeftButton, 0, Area::TilePanel, Step::None, onEditor<pickFromTilePanel>},
    {kRightButton, 0, Area::MapView, Step::None, onEditor<pickFromMap>},
    {kMiddleButton, 0, Area::MapView, Step::Own, onEditor<linkDoor>},
    {0, scan::Digit1, Area::MapView, Step::None, onEditor<setCopyStart>},
    {0, scan::Digit2, Area::MapView, Step::None, onEditor<setCopyEnd>},
    {0, scan::Digit3, Area::MapView, Step::None,
     [](Program& p, int, int) { copyBlock(*p.editor); }},
    {0, scan::Digit4, Area::MapView, Step::Own, onEditor<pasteBlock>},
    {kLeftButton, 0, Area::ObjectPanel, Step::None, onEditor<pickFromObjectPanel>},
}};

void runKeyCommands(Program& p) {
    for (std::size_t i = 0; i < kKeyCommands.size(); ++i) {
        const KeyCommand& command = kKeyCommands[i];
        const bool down = chordDown(p.host, command);
        // Kept: keys are polled, so a held key repeats its command on every
        // pass (about 50 a second), as users and replay scripts rely on.
        // Undo, redo and Shift+arrows act once per press.
        bool run = command.chord == Chord::Held ? down : down && !p.chordWasDown[i];
        bool state = down;
        if (command.chord == Chord::Unshifted) {
            // An arrow held with Shift stays Shift+arrow's until it is
            // released: letting go of Shift first moves the view no further.
            const bool held = p.host.keyHeld(command.scanCode);
            state = held && (!down || p.chordWasDown[i]); // held with Shift since
            run = down && !state;
        }
        p.chordWasDown[i] = state;
        if (run) RunKeyCommand(p, command);
    }
}

void runActions(Program& p) {
    Editor& e = *p.editor;
    const int x = p.mouse.x, y = p.mouse.y;
    for (const Action& a : kActions) {
        const bool pressed =
            a.button ? (p.mouse.buttons & a.button) != 0 : p.host.keyHeld(a.scanCode);
        if (!pressed || !inArea(a.area, x, y)) continue;
        if (a.step == Step::Own) closeStep(e.history);
        a.run(p, x, y);
        if (a.step == Step::Own) closeStep(e.history);
        finishStep(p);
    }
}

// A missing or refused tile bitmap is told once per editor start.
void loadTiles(Program& p) {
    Editor& e = *p.editor;
    const std::string exeDir = p.host.executableDirectory();
    if (!loadTileSheet(e.tiles, p.surface, e.profile, exeDir)) {
        p.host.showMessage(tileBitmapProblem(e.profile, exeDir));
    }
}

// Opens the level the user names; returns that name, also when the file
// did not open.
std::string openLevel(Program& p) {
    Editor& e = *p.editor;
    // A level named on the command line is opened once, instead of the dialog.
    e.level.fileName = p.levelToOpen.empty() ? showOpenDialog(p.host, e.profile.gameId)
                                             : std::exchange(p.levelToOpen, {});
    const std::string asked = e.level.fileName;
    // Looked at before it is read: a change made while it is read shows as
    // a change when F5 comes to replace it.
    p.fileSeen = fileIdentity(asked);
    const LevelReadInfo info = readLevel(e.level, e.level.fileName);
    const ReadResult read = info.result;
    p.fileIsWhole = isWholeLevel(info, e.level);
    if (read != ReadResult::Read) {
        // Safe: a level that was not read (too big for the planes, or a file
        // that cannot be read) opens empty; forgetting its name keeps any
        // Save from overwriting the file with that empty level.
        if (!e.level.fileName.empty()) {
            const std::string why = read == ReadResult::Refused
                                        ? "it declares more than 256 columns or rows"
                                        : whyUnreadable(e.level.fileName);
            p.host.showMessage("Could not open " + e.level.fileName + ": " + why +
                               ". An empty map is opened.");
        }
        e.level.fileName.clear();
    }
    clearHistory(e.history);
    return asked;
}

// A level opened with the view showing none of its cells (an origin left
// from a bigger level) gets the origin the scroll keys would stop at; an
// origin that shows some of the level stays where it is.
void keepViewOnLevel(Editor& e) {
    const bool showsLevel =
        e.viewOriginColumn <= e.level.width && e.viewOriginRow <= e.level.height;
    if (showsLevel) return;
    e.viewOriginColumn =
        std::clamp(e.viewOriginColumn, 1, std::max(1, e.level.width - kViewColumns + 1));
    e.viewOriginRow = std::clamp(e.viewOriginRow, 1, std::max(1, e.level.height - kViewRows + 1));
}

} // namespace

void startEditor(Program& p) {
    Editor& e = *p.editor;
    drawScreenBackground(p);
    loadTiles(p);
    ApplyEditorPalette(p.surface);
    startRecovery(p);
    offerRecovery(p, openLevel(p));
    keepViewOnLevel(e);
    e.objectPanelStart = defaultObjectPanelStart(e.profile);
    drawTilePanel(e);
    redrawMapView(e);
    drawObjectPanel(e);
    SetTextScale(p.text, 1);
    p.chordWasDown.fill(false);
    finishStep(p);
}

PassEnd editorPass(Program& p) {
    Editor& e = *p.editor;
    p.host.pause(kLoopPauseMs);
    p.host.beginPass();
    p.mouse = p.host.readMouse();
    // A stroke of the left button is one undo step, from press to release.
    const bool leftDown = p.mouse.buttons > 0 && (p.mouse.buttons & kLeftButton) != 0;
    if (!leftDown) closeStep(e.history);
    // A stroke leaving the map view ends its line; coming back starts anew.
    if (!leftDown || !inMapView(p.mouse.x, p.mouse.y)) p.strokeCell.reset();
    runKeyCommands(p);
    runActions(p);
    tickRecovery(p);
    if (p.host.closeRequested()) {
        // Safe: closing the window with unsaved edits asks first.
        if (settleUnsavedEdits(p, "before closing")) {
            removeRecoveryCopy(p);
            return PassEnd::EndProgram;
        }
        updateEditorTitle(p);
    }
    if (p.host.keyHeld(scan::F10)) {
        // Safe: leaving with unsaved edits asks first; the question takes the
        // focus, so a held F10 asks once.
        if (settleUnsavedEdits(p, "before leaving the editor")) return PassEnd::Leave;
        updateEditorTitle(p);
    }
    return PassEnd::Stay;
}

std::optional<int> runEditor(Program& p) {
    startEditor(p);
    for (;;) {
        switch (editorPass(p)) {
        case PassEnd::Stay:
            continue;
        case PassEnd::Leave:
            p.chosen = false;
            return std::nullopt;
        case PassEnd::EndProgram:
            return 0;
        }
    }
}

} // namespace tessaly
