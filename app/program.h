// The program record and its entry point.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "app/recovery.h"
#include "app/test_play.h"
#include "core/surface.h"
#include "gui/text.h"
#include "gui/widgets.h"
#include "hosts/host.h"
#include "system/files.h"
#include "views/editor.h"

namespace tessaly {

// Everything the program keeps for its whole run: the host it talks to, the
// surface, the text state, the widget table, the loop state and the editor
// bound to them. Created zeroed at start-up; nothing is global.
struct Program {
    explicit Program(Host& h) : host(h), editor(std::make_unique<Editor>(surface, text)) {}

    Host& host;
    Surface surface;
    TextState text;
    WidgetTable widgets;

    int screenWidth = 0;
    int screenHeight = 0;
    std::string titleText; // the program's own text (Windows-1251)
    std::string bannerText;
    std::string shownTitle; // the window title as last set (UTF-8)

    MouseState mouse;     // the last mouse read of either loop
    bool chosen = false;  // a game button was clicked; cleared when the editor is left
    bool clicked = false; // this selection pass read the left button alone
    // The level cell the left button's stroke painted last, while the button
    // stays down over the map view.
    std::optional<Cell> strokeCell;
    // The left button went down on the overview: it paints nothing until let go.
    bool leftHeldFromOverview = false;
    // The window was asked to close while the editor could not act on it.
    bool closeAsked = false;
    // A level named on the command line: the next editor start opens it
    // instead of showing the open dialog, and clears it.
    std::string levelToOpen;
    // The folder of the file last chosen in the open or save dialog, where
    // both start; "" (the working folder) before the first choice.
    std::string dialogFolder;

    std::unique_ptr<Editor> editor;
    // Whether the file the level was read from is a whole level file (or was
    // written by the editor since); F5 asks before replacing one that is not.
    bool fileIsWhole = true;
    // The level file as the editor last read or wrote it, or as it was when
    // the restored recovery copy's edits were made; nothing when there was
    // no file. F5 asks before replacing a file that is no longer this one.
    std::optional<FileIdentity> fileSeen;
    // The keys of each keyboard command that acts once per press, as they
    // were at the previous pass (index: the command's place in the table).
    std::array<bool, 32> chordWasDown{};
    // The same for the map actions that act once per press.
    std::array<bool, 16> actionWasDown{};
    RecoveryState recovery;
    PlayState play; // test plays whose DOSBox may still run
};

// The colours of the screen background and the start screen's text.
constexpr ColourScheme kScreenColours{71, 72, 73, 74, 75};

// Covers the whole screen with the background panel (no caption).
void drawScreenBackground(Program& program);

// Runs the whole program on `host` from start-up until the Exit command;
// returns the exit status. With a `levelToOpen` (a path from the command line)
// it starts straight in the editor with that level when it can, see
// app/command_line.h.
int runProgram(Host& host, const std::string& levelToOpen = {});

} // namespace tessaly
