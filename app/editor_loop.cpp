#include "app/editor_loop.h"

#include <algorithm>
#include <array>
#include <utility>

#include "app/dialog_requests.h"
#include "app/editor_step.h"
#include "app/hit_test.h"
#include "app/key_commands.h"
#include "app/map_actions.h"
#include "app/recovery.h"
#include "app/resize_command.h"
#include "app/save_commands.h"
#include "app/test_play.h"
#include "app/tile_bitmap.h"
#include "gui/palette.h"
#include "level/level_file.h"
#include "system/files.h"
#include "views/map_view.h"
#include "views/panels.h"
#include "views/status_panel.h"

namespace tessaly {

namespace {

constexpr int kLoopPauseMs = 10;

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
    e.level.fileName = p.levelToOpen.empty()
                           ? showOpenDialog(p.host, e.profile.gameId, p.dialogFolder)
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
    p.actionWasDown.fill(false);
    finishStep(p);
}

PassEnd editorPass(Program& p) {
    Editor& e = *p.editor;
    p.host.pause(kLoopPauseMs);
    p.host.beginPass();
    const MouseState before = p.mouse;
    p.mouse = p.host.readMouse();
    if (p.leftHeldFromOverview) {
        p.leftHeldFromOverview = p.mouse.buttons > 0 && (p.mouse.buttons & kLeftButtonBit) != 0;
        if (p.leftHeldFromOverview) p.mouse.buttons &= ~kLeftButtonBit;
    }
    // A stroke of the left button is one undo step, from press to release.
    const bool leftDown = p.mouse.buttons > 0 && (p.mouse.buttons & kLeftButtonBit) != 0;
    if (!leftDown) closeStep(e.history);
    // A stroke leaving the map view ends its line; coming back starts anew.
    if (!leftDown || !inMapView(p.mouse.x, p.mouse.y)) p.strokeCell.reset();
    runKeyCommands(p);
    runMapActions(p);
    turnWheel(p, wheelNotches(before, p.mouse));
    tickRecovery(p);
    tickPlays(p);
    if (p.host.closeRequested() || std::exchange(p.closeAsked, false)) {
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
