#include "app/key_commands.h"

#include "app/editor_step.h"
#include "app/key_list.h"
#include "app/overview_mode.h"
#include "app/resize_command.h"
#include "app/save_commands.h"
#include "app/test_play.h"
#include "edit/operations.h"
#include "views/map_view.h"
#include "views/panels.h"

namespace tessaly {

// Each command tests the value it would move to and moves only when the test
// passes. The map view never scrolls past the last full view of the map
// (origin width - 19), and the tile panel stops at the last full page
// (tileCount - 169), not at a row boundary.
// Kept: a held key moves one step per editor-loop pass, the old editor's
// scrolling and paging speed that users are used to.
void scrollView(Editor& e, int dColumn, int dRow) {
    const int32_t column = e.viewOriginColumn + dColumn;
    const int32_t row = e.viewOriginRow + dRow;
    if (dColumn < 0 && column >= 1) e.viewOriginColumn = column;
    if (dColumn > 0 && column <= e.level.width - kViewColumns + 1) e.viewOriginColumn = column;
    if (dRow < 0 && row >= 1) e.viewOriginRow = row;
    if (dRow > 0 && row <= e.level.height - kViewRows + 1) e.viewOriginRow = row;
}

void pageTiles(Editor& e, int delta) {
    const int32_t last = lastTilePanelStart(e.profile);
    const int32_t next = e.tilePanelStart + delta;
    if (delta < 0) e.tilePanelStart = next >= 0 ? next : 0;
    // Kept: a start left over from a game with more tiles is not corrected
    // until the panel is paged.
    if (delta > 0) e.tilePanelStart = next <= last ? next : last;
    drawTilePanel(e);
}

// The object panel moves by rows over the whole tile sheet.
void pageObjects(Editor& e, int delta) {
    const int32_t last = lastObjectPanelStart(e.profile);
    const int32_t next = e.objectPanelStart + delta;
    if (delta < 0) e.objectPanelStart = next >= 0 ? next : 0;
    if (delta > 0) e.objectPanelStart = next <= last ? next : last;
    drawObjectPanel(e);
}

namespace {

constexpr int kPanelPage = kTilesPerPanelPage; // 169 tiles

template <int delta>
void pageObjectPanel(Program& p) {
    pageObjects(*p.editor, delta);
}

template <int dColumn, int dRow>
void scroll(Program& p) {
    scrollView(*p.editor, dColumn, dRow);
}

template <int delta>
void page(Program& p) {
    pageTiles(*p.editor, delta);
}

void save(Program& p) {
    saveLevel(p);
    drawTilePanel(*p.editor);
}

void saveAs(Program& p) {
    saveLevelAs(p);
    drawTilePanel(*p.editor);
}

void showKeys(Program& p) {
    p.host.showMessage(keyListMessage());
}

// Only level cells go back and forth (and the door exit they hold); the
// view origin and the panels stay as they are.
// An undone or redone resize may leave the view past the level's end.
void undo(Program& p) {
    undoEdit(*p.editor);
    keepViewOnLevel(*p.editor);
}

void redo(Program& p) {
    redoEdit(*p.editor);
    keepViewOnLevel(*p.editor);
}

// The whole level at a glance; a click there moves the view. The left button
// of that click paints nothing when the editor is back.
void overview(Program& p) {
    switch (runOverview(p)) {
    case OverviewEnd::Moved:
        p.leftHeldFromOverview = true;
        break;
    case OverviewEnd::CloseRequested:
        p.closeAsked = true;
        break;
    case OverviewEnd::Closed:
        break;
    }
}

// The grid stays as it is until the program ends.
void toggleGrid(Program& p) {
    p.editor->showGrid = !p.editor->showGrid;
}

// The dialogs and messages of a play take the focus, so a held F9 plays once.
void play(Program& p) {
    playLevel(p, false);
}

void playAskingFolder(Program& p) {
    playLevel(p, true);
}

bool shiftHeld(Host& host) {
    return host.keyHeld(scan::LeftShift) || host.keyHeld(scan::RightShift);
}

} // namespace

// Shift+arrow scrolls one cell per press however long it is held, for
// precise moves; the plain arrows keep their speed and make way for it.
// Page Up and Page Down page the tile panel, with Shift the object panel.
// F1 shows the list of keys; the message takes the focus, so a held F1 shows
// it once.
const std::array<KeyCommand, 25> kKeyCommands{{
    {scan::Left, Chord::Unshifted, "SC_LEFT", scroll<-1, 0>},
    {scan::Right, Chord::Unshifted, "SC_RIGHT", scroll<1, 0>},
    {scan::Up, Chord::Unshifted, "SC_UP", scroll<0, -1>},
    {scan::Down, Chord::Unshifted, "SC_DOWN", scroll<0, 1>},
    {scan::PageUp, Chord::Unshifted, "SC_PAGEUP", page<-kPanelColumns>},
    {scan::PageDown, Chord::Unshifted, "SC_PAGEDOWN", page<kPanelColumns>},
    {scan::KeypadMinus, Chord::Held, "SC_GRAYMINUS", page<-kPanelPage>},
    {scan::KeypadPlus, Chord::Held, "SC_GRAYPLUS", page<kPanelPage>},
    {scan::F1, Chord::Held, "SC_F1", showKeys},
    {scan::F5, Chord::Held, "SC_F5", save},
    {scan::F6, Chord::Held, "SC_F6", saveAs},
    {scan::F7, Chord::Held, "SC_F7", resizeOrMakeLevel},
    {scan::Z, Chord::Ctrl, "SC_UNDO", undo},
    {scan::Z, Chord::CtrlShift, "SC_REDO", redo},
    {scan::Y, Chord::CtrlAnyShift, "SC_REDO", redo},
    {scan::Left, Chord::Shift, "SC_SHIFT_LEFT", scroll<-1, 0>},
    {scan::Right, Chord::Shift, "SC_SHIFT_RIGHT", scroll<1, 0>},
    {scan::Up, Chord::Shift, "SC_SHIFT_UP", scroll<0, -1>},
    {scan::Down, Chord::Shift, "SC_SHIFT_DOWN", scroll<0, 1>},
    {scan::PageUp, Chord::Shift, "SC_SHIFT_PAGEUP", pageObjectPanel<-kPanelColumns>},
    {scan::PageDown, Chord::Shift, "SC_SHIFT_PAGEDOWN", pageObjectPanel<kPanelColumns>},
    {scan::Tab, Chord::Press, "SC_OVERVIEW", overview},
    {scan::G, Chord::Press, "SC_GRID", toggleGrid},
    {scan::F9, Chord::Plain, "SC_F9", play},
    {scan::F9, Chord::Shift, "SC_SHIFT_F9", playAskingFolder},
}};
static_assert(kKeyCommands.size() <= std::tuple_size_v<decltype(Program::chordWasDown)>);

bool chordDown(Host& host, const KeyCommand& command) {
    if (!host.keyHeld(command.scanCode)) return false;
    switch (command.chord) {
    case Chord::Held:
        return true;
    case Chord::Unshifted:
        return !shiftHeld(host);
    case Chord::Shift:
        return shiftHeld(host);
    case Chord::Ctrl:
        return host.keyHeld(scan::Ctrl) && !shiftHeld(host);
    case Chord::CtrlShift:
        return host.keyHeld(scan::Ctrl) && shiftHeld(host);
    case Chord::CtrlAnyShift:
        return host.keyHeld(scan::Ctrl);
    case Chord::Press:
        return !host.keyHeld(scan::Ctrl);
    case Chord::Plain:
        return !shiftHeld(host);
    }
    return false;
}

void RunKeyCommand(Program& program, const KeyCommand& command) {
    command.run(program);
    finishStep(program);
}

} // namespace tessaly
