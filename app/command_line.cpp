#include "app/command_line.h"

#include <filesystem>
#include <system_error>

#include "level/games.h"
#include "level/profile.h"
#include "system/path_text.h"

namespace tessaly {

bool takeLevelArgument(Program& p, const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(pathFromUtf8(path), error);
    if (std::filesystem::is_directory(status)) {
        p.host.showMessage("Could not open " + path + ": it is a folder.");
        return false;
    }
    const GameRecord* game = gameOfPath(path);
    if (!game) {
        p.host.showMessage("Could not open " + path + ": its extension names none of the games (" +
                           listGames(GameListing::Extensions, ", ", ", ") + ").");
        return false;
    }
    if (!std::filesystem::exists(status)) {
        p.host.showMessage("Could not open " + path + ": there is no such file.");
        return false;
    }
    if (!std::filesystem::is_regular_file(status)) {
        p.host.showMessage("Could not open " + path + ": it is not a regular file.");
        return false;
    }
    selectGame(p.editor->profile, game->gameId);
    p.chosen = true;
    p.levelToOpen = path;
    return true;
}

} // namespace tessaly
