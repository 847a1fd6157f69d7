#include "views/status_panel.h"

#include "gui/text.h"

namespace tessaly {

namespace {

constexpr int kPanelX = 2, kPanelY = 390, kPanelHeight = 150, kPanelWidth = 430;
constexpr ColourScheme kStatusColours{76, 77, 78, 79, 80};

std::string n(int32_t v) {
    return std::to_string(v);
}

} // namespace

// Kept: the captions are the program's own, spellings and spaces included;
// the copy line writes each corner row first.
std::array<std::string, kStatusLines> statusLines(const Editor& editor) {
    const EditState& e = editor.edit;
    return {
        "---------Stats----------------",
        "Map H,V - " + n(editor.level.width) + "x" + n(editor.level.height) + " Tile - " +
            n(e.currentTile),
        "EZoneX - " + n(editor.viewOriginColumn) + " " + "EZoneY - " + n(editor.viewOriginRow),
        "Curent Edit H,V - " + n(e.editCell.column) + " " + n(e.editCell.row),
        "Curent Select DOOR cardinate H,V " + n(e.selectedDoor.column) + " " +
            n(e.selectedDoor.row),
        "Door exit - " + n(e.doorExit.column) + " " + n(e.doorExit.row),
        "Copy H,V " + n(e.copySize[0]) + "x" + n(e.copySize[1]) + " --- " + n(e.copyStart.row) +
            "x" + n(e.copyStart.column) + " " + n(e.copyEnd.row) + "x" + n(e.copyEnd.column),
    };
}

void drawStatusPanel(Editor& editor) {
    SetTextScale(editor.text, 2);
    DrawPanel(editor.surface, editor.text, kPanelX, kPanelY, kPanelHeight, kPanelWidth,
              kStatusColours, " ");
    const auto lines = statusLines(editor);
    for (int i = 0; i < kStatusLines; ++i) {
        DrawText(editor.surface, editor.text, 14 + 10 * i, 400 + 18 * i, lines[size_t(i)]);
    }
}

} // namespace tessaly
