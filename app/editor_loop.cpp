#include "app/editor_loop.h"

#include <array>

#include "app/key_commands.h"
#include "gui/palette.h"
#include "level/dialogs.h"
#include "level/level_file.h"
#include "level/tilesheet.h"
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

// The editor loop's mouse and key actions, tested in this order on every
// pass. Each looks only at its own button or key, so several may run in one
// pass, each followed by a status panel update.
// Kept: a held button or key acts again on every pass (painting follows the
// pointer, a held 4 pastes wherever it goes), as the old editor's users expect.
struct Action {
    int button;   // mouse button bit, or 0
    int scanCode; // key, or 0
    Area area;
    void (*run)(Editor&, int x, int y);
};

const std::array<Action, 9> kActions{{
    {kLeftButton, 0, Area::MapView, paintCell},
    {kLeftButton, 0, Area::TilePanel, pickFromTilePanel},
    {kRightButton, 0, Area::MapView, pickFromMap},
    {kMiddleButton, 0, Area::MapView, linkDoor},
    {0, scan::Digit1, Area::MapView, setCopyStart},
    {0, scan::Digit2, Area::MapView, setCopyEnd},
    {0, scan::Digit3, Area::MapView, [](Editor& e, int, int) { copyBlock(e); }},
    {0, scan::Digit4, Area::MapView, pasteBlock},
    {kLeftButton, 0, Area::ObjectPanel, pickFromObjectPanel},
}};

} // namespace

void startEditor(Program& p) {
    Editor& e = *p.editor;
    drawScreenBackground(p);
    loadTileSheet(e.tiles, p.surface, e.profile, p.host.executableDirectory());
    ApplyEditorPalette(p.surface);
    e.level.fileName = showOpenDialog(p.host, e.profile.gameId);
    if (readLevel(e.level, e.level.fileName).result != ReadResult::Read) {
        // Safe: a level that was not read (too big for the planes, or a file
        // that cannot be read) opens empty; forgetting its name keeps any
        // Save from overwriting the file with that empty level.
        e.level.fileName.clear();
    }
    drawTilePanel(e);
    redrawMapView(e);
    drawObjectPanel(e);
    SetTextScale(p.text, 1);
    updateStatusPanel(e);
}

bool editorPass(Program& p) {
    Editor& e = *p.editor;
    p.host.pause(kLoopPauseMs);
    p.mouse = p.host.readMouse();
    // Kept: keys are polled, so a held key repeats its command on every pass
    // (about 50 a second), as users and replay scripts rely on.
    for (const KeyCommand& key : kKeyCommands) {
        if (p.host.keyHeld(key.scanCode)) RunKeyCommand(e, key.name);
    }
    const int x = p.mouse.x, y = p.mouse.y;
    for (const Action& a : kActions) {
        const bool pressed =
            a.button ? (p.mouse.buttons & a.button) != 0 : p.host.keyHeld(a.scanCode);
        if (pressed && inArea(a.area, x, y)) {
            a.run(e, x, y);
            updateStatusPanel(e);
        }
    }
    // Safe: a request to close the window is dropped in the editor, so no
    // edit is lost to a stray click; it is not kept for the start screen.
    p.host.closeRequested();
    // Kept: F10 leaves at once, without saving or asking.
    return !p.host.keyHeld(scan::F10);
}

void runEditor(Program& p) {
    startEditor(p);
    while (editorPass(p)) {
    }
    p.chosen = false;
}

} // namespace tessaly
