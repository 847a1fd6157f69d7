// Test play: F9 plays the level being edited in the game itself, in DOSBox,
// without saving it and without touching the user's game folder.
//
// The game's folder is asked for once per game with the folder dialog and
// remembered in the settings file (system/settings_file.h, section the game's
// id: `folder`, and `program` for the game's program in it); Shift+F9 asks
// again. Each play copies that folder into a fresh play folder,
// <cache>/play/N (system/user_folders.h userCacheFolder), writes the level
// there as the file of its slot (level/game_folder.h), writes dosbox.conf
// beside it and starts DOSBox on it as a process of its own. The play folder
// holds TESSALY.RUN, "editor: ID START HOST" and "dosbox: ID START HOST"
// lines naming the editor that made it and the DOSBox playing in it: the
// editor removes the folder once its DOSBox has ended, and an editor start
// removes every play folder that no process named there still uses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "system/processes.h"

namespace tessaly {

struct Program;

// A play copy larger than this is refused: the games are under 2 MiB.
constexpr std::uint64_t kMostPlayCopyBytes = std::uint64_t(64) << 20;

struct PlayState {
    struct Running {
        std::string folder;
        ProcessOwner dosBox;
    };
    // The plays whose folders go when their DOSBox ends.
    std::vector<Running> running;
    int64_t nextCheckAt = 0; // program time of the next look at them
};

// F9 (askFolder false) and Shift+F9 (true): plays the level being edited.
void playLevel(Program& program, bool askFolder);

// Once per editor-loop pass: removes the folders of plays whose DOSBox has
// ended (looked at once a second).
void tickPlays(Program& program);

// At the program's start: removes the play folders no running process uses.
void removeLeftoverPlays();

// The DOSBox configuration of a play: mount `folder` (as DOSBox is to read
// it) as C:, go there, run `program`, and end DOSBox when it ends.
std::string dosBoxConfig(const std::string& folder, const std::string& program);

} // namespace tessaly
