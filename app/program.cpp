#include "app/program.h"

#include <optional>

#include "app/command_line.h"
#include "app/editor_loop.h"
#include "app/start_screen.h"
#include "app/test_play.h"

namespace tessaly {

void drawScreenBackground(Program& p) {
    DrawPanel(p.surface, p.text, 0, 0, p.screenHeight - 1, p.screenWidth - 1, kScreenColours, " ");
}

// The program is a cycle between two screens: the start screen with its
// selection loop, and the editor with its loop, until the Exit command. A
// level from the command line skips the first start screen.
int runProgram(Host& host, const std::string& levelToOpen) {
    auto program = std::make_unique<Program>(host);
    startUp(*program);
    removeLeftoverPlays();
    bool skipStartScreen = !levelToOpen.empty() && takeLevelArgument(*program, levelToOpen);
    for (;;) {
        if (!skipStartScreen) {
            if (std::optional<int> status = runStartScreen(*program)) return *status;
        }
        skipStartScreen = false;
        if (std::optional<int> status = runEditor(*program)) return *status;
    }
}

} // namespace tessaly
