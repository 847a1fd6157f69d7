#include "app/key_commands.h"

#include "level/dialogs.h"
#include "level/level_file.h"
#include "views/map_view.h"
#include "views/panels.h"
#include "views/status_panel.h"

namespace tessaly {

namespace {

constexpr int kPanelRow = kPanelColumns;       // 13 tiles
constexpr int kPanelPage = kTilesPerPanelPage; // 169 tiles

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
    redrawMapView(e);
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

} // namespace

void saveLevel(Editor& editor) {
    writeLevel(editor.level, editor.level.fileName); // an empty name writes nothing
}

void saveLevelAs(Editor& editor) {
    const std::string path = showSaveDialog(editor.host, editor.profile.gameId);
    // Safe: a cancelled dialog changes nothing, so F5 still saves to the old
    // name instead of silently writing nowhere.
    if (path.empty()) return;
    editor.level.fileName = path;
    writeLevel(editor.level, path);
}

void RunKeyCommand(Editor& editor, std::string_view name) {
    if (name == "SC_LEFT") {
        scrollView(editor, -1, 0);
    } else if (name == "SC_RIGHT") {
        scrollView(editor, 1, 0);
    } else if (name == "SC_UP") {
        scrollView(editor, 0, -1);
    } else if (name == "SC_DOWN") {
        scrollView(editor, 0, 1);
    } else if (name == "SC_PAGEUP") {
        pageTiles(editor, -kPanelRow);
    } else if (name == "SC_PAGEDOWN") {
        pageTiles(editor, kPanelRow);
    } else if (name == "SC_GRAYMINUS") {
        pageTiles(editor, -kPanelPage);
    } else if (name == "SC_GRAYPLUS") {
        pageTiles(editor, kPanelPage);
    } else if (name == "SC_F5") {
        saveLevel(editor);
        drawTilePanel(editor);
    } else if (name == "SC_F6") {
        saveLevelAs(editor);
        drawTilePanel(editor);
    }
    updateStatusPanel(editor);
}

} // namespace tessaly
