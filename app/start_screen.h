// Start-up, the start screen and its selection loop, and the start screen's
// commands: Game, Exit and About.
#pragma once

#include <optional>
#include <string>

#include "app/program.h"
#include "level/games.h"

namespace tessaly {

// Widget slots of the start screen: the games' buttons from 1 in the game
// table's order, each named by its game id, then "Options", Exit and "OK".
inline int gameSlots() {
    return int(kGames.size());
}
inline int exitSlot() {
    return gameSlots() + 2;
}
inline int aboutSlot() {
    return gameSlots() + 3;
}

// Stores the texts, registers the buttons (one per game, then Options, Exit
// and OK), opens the surface and selects page 0 for work while page 1 is
// shown.
void startUp(Program& program);

// Draws the start screen and runs the selection loop. Returns the exit status
// when the Exit command ran, nothing when a game was chosen.
std::optional<int> runStartScreen(Program& program);

// The eleven text lines of the start screen, top first.
std::string startScreenLine(const Program& program, int line);

} // namespace tessaly
