#include "app/key_list.h"

namespace tessaly {

const std::array<KeyListEntry, 31> kKeyList{{
    {"left button on the tile or object panel", "pick the tile or object picture to paint"},
    {"left button on the map",
     "paint the picked tile (or place the picked object); a drag paints every cell it crosses"},
    {"right button on the map", "pick the cell's tile; a door cell becomes the selected door"},
    {"middle button on the map", "link the selected door to this cell"},
    {"mouse wheel on the map", "scroll the map view 3 cells up or down per notch"},
    {"Shift + mouse wheel on the map", "scroll the map view 3 cells left or right per notch"},
    {"mouse wheel on the tile or object panel", "that panel one row back or on per notch"},
    {"1 / 2 on the map", "set the first / second corner of the copy block"},
    {"3", "copy the block's tiles"},
    {"4 on the map", "paste the block with its top-left cell here"},
    {"5 on the map", "fill the copy block with the picked tile (or object)"},
    {"F on the map",
     "fill the cells of the tile under the pointer that it touches, edge to edge, with the picked "
     "tile (or object)"},
    {"R on the map",
     "replace the tile (or object) under the pointer everywhere in the level with the picked one, "
     "after asking"},
    {"arrow keys", "scroll the map view (one cell per loop pass while held)"},
    {"Shift + arrow keys", "scroll the map view exactly one cell per press"},
    {"Page Up / Page Down", "tile panel one row back / on"},
    {"Shift + Page Up / Page Down", "object panel one row back / on (over the whole tile sheet)"},
    {"keypad - / keypad +", "tile panel one page back / on"},
    {"Ctrl+Z", "undo the last editing step"},
    {"Ctrl+Y or Ctrl+Shift+Z", "redo"},
    {"Tab", "the whole level at a glance: click a cell to move the view there, Tab or Escape to "
            "come back"},
    {"G", "show or hide a grid on the map view's cells"},
    {"F1", "show this list of keys (on both screens)"},
    {"F5", "save"},
    {"F6", "save as"},
    {"F7", "resize the level, keeping a chosen part in place (on an empty map: make a new level)"},
    {"F9", "play the level in the game, in DOSBox, unsaved edits included"},
    {"Shift + F9", "choose the game's folder again, then play"},
    {"F10", "back to the start screen (asks first when there are unsaved edits)"},
    {"F11", "full screen on and off (on both screens)"},
    {"close the window", "end the program (asks first when there are unsaved edits)"},
}};

std::string keyListMessage() {
    std::string text = "Keys and mouse actions of the editor:\n";
    for (const KeyListEntry& entry : kKeyList) {
        text += "\n" + std::string(entry.input) + ": " + std::string(entry.what);
    }
    return text;
}

} // namespace tessaly
