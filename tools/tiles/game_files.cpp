#include "tools/tiles/game_files.h"

namespace tessaly {

bool tileFilesForGame(std::string_view gameId, GameTileFiles& files) {
    const GameRecord* game = findGame(gameId);
    if (!game) return false;
    files.layout = game->tileLayout;
    files.headName = std::string(game->tileHeadName);
    files.dataNames.assign(game->tileDataNames.begin(), game->tileDataNames.end());
    return true;
}

} // namespace tessaly
