#include "app/command_line.h"

#include <filesystem>
#include <system_error>

#include "level/games.h"
#include "level/profile.h"

namespace tessaly {

bool takeLevelArgument(Program& p, const std::string& path) {
    const GameRecord* game = gameOfPath(path);
    if (!game) {
        p.host.showMessage("Could not open " + path +
                           ": its extension names none of the games (.dd2, .ck1, .ck2, .ck3, "
                           ".nin).");
        return false;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        p.host.showMessage("Could not open " + path + ": there is no such file.");
        return false;
    }
    selectGame(p.editor->profile, game->gameId);
    p.chosen = true;
    p.levelToOpen = path;
    return true;
}

} // namespace tessaly
