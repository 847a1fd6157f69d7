// The editor's keyboard commands: scrolling the map view, paging the tile
// panel, the list of keys, Save and Save As, resize, undo and redo, the editing tools,
// test play. One table keyed by scan code, polled by the editor loop in its
// order.
#pragma once

#include <array>
#include <string_view>

#include "app/program.h"

namespace tessaly {

// When a key's command runs.
enum class Chord {
    Held,         // on every pass while the key is held, whatever else is held
    Unshifted,    // on every pass while the key is held with Shift not held
    Shift,        // once per press, with Shift held
    Ctrl,         // once per press, with Ctrl held and Shift not
    CtrlShift,    // once per press, with Ctrl and Shift held
    CtrlAnyShift, // once per press, with Ctrl held, Shift or not
    Press,        // once per press, with Ctrl not held
    Plain,        // once per press, with Shift not held
};

struct KeyCommand {
    int scanCode;
    Chord chord;
    std::string_view name;
    void (*run)(Program&);
};

extern const std::array<KeyCommand, 25> kKeyCommands;

// The moves the keys make, which the mouse wheel makes too. The map view
// moves one cell, never past the first column or row nor past the last full
// view of the map; a panel moves by `delta` pictures (kPanelColumns a row),
// never before picture 0 nor past its last full page.
void scrollView(Editor& editor, int dColumn, int dRow);
void pageTiles(Editor& editor, int delta);
void pageObjects(Editor& editor, int delta);

// Whether the command's keys are down now: its key, and for a once-per-press
// command the modifiers its chord names.
bool chordDown(Host& host, const KeyCommand& command);

// Runs the command, then finishes the editing step.
void RunKeyCommand(Program& program, const KeyCommand& command);

} // namespace tessaly
