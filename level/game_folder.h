// What test play needs to know of a game's own folder: whether it holds the
// game (its program and level files), and which file of it plays a level.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "level/games.h"
#include "system/folder_tree.h"

namespace tessaly {

struct GameFolderCheck {
    // The files that may be the game's program: those of the game's usual
    // program names, any case; when there are none, every .EXE file. One is
    // the program; several leave the choice to the user.
    std::vector<std::string> programs;
    // The files with the game's extension, any case (its levels, and on
    // some games its graphics).
    std::vector<std::string> levelFiles;
    bool accepted() const { return !programs.empty() && !levelFiles.empty(); }
};

// The check of a folder's entries (system/folder_tree.h listFolder).
GameFolderCheck checkGameFolder(const std::vector<FolderEntry>& entries, const GameRecord& game);

// What a folder that is not accepted lacks, for the user: "no program
// (KEEN1.EXE or another .EXE file) and no level file (*.CK1)".
std::string missingFromGameFolder(const GameFolderCheck& check, const GameRecord& game);

// The game's level slot a level file plays in: the number of a name of the
// game's own pattern, stem and two digits ("LEVEL07.CK1" plays as 7, any
// case, 1 to 99); any other name plays as level 1.
int playSlot(std::string_view fileName, const GameRecord& game);

// The file name the level of `slot` takes in a folder with these entries:
// the name there of that level in whatever case it has; with none, the
// game's pattern in the case of the folder's other level files (upper case
// unless they are all lower case).
std::string slotFileName(const std::vector<FolderEntry>& entries, const GameRecord& game, int slot);

} // namespace tessaly
