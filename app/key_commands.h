// The editor's keyboard commands: scrolling the map view, paging the tile
// panel, Save and Save As.
#pragma once

#include <array>
#include <string_view>

#include "views/editor.h"

namespace tessaly {

struct KeyCommand {
    int scanCode;
    std::string_view name;
};

// In the order the editor loop polls them.
constexpr std::array<KeyCommand, 10> kKeyCommands{{
    {0x4B, "SC_LEFT"},
    {0x4D, "SC_RIGHT"},
    {0x48, "SC_UP"},
    {0x50, "SC_DOWN"},
    {0x49, "SC_PAGEUP"},
    {0x51, "SC_PAGEDOWN"},
    {0x4A, "SC_GRAYMINUS"},
    {0x4E, "SC_GRAYPLUS"},
    {0x3F, "SC_F5"},
    {0x40, "SC_F6"},
}};

// Runs the command of that name (exact, case-sensitive; an unknown name runs
// none), then updates the status panel.
void RunKeyCommand(Editor& editor, std::string_view name);

// Save: writes the level to its file name (nothing when the name is empty).
void saveLevel(Editor& editor);
// Save As: asks for a path with the save dialog and writes the level there.
void saveLevelAs(Editor& editor);

} // namespace tessaly
