#include "app/dialog_requests.h"

#include "level/games.h"

namespace tessaly {

namespace {

DialogRequest makeRequest(const GameRecord& game, std::string_view title) {
    DialogRequest r;
    r.title = std::string(title);
    r.filters = {{std::string(game.levelsDescription), std::string(game.levelsPattern)},
                 {"All Files, (*.*)", "*.*"}};
    r.selectedFilter = 1;
    return r;
}

} // namespace

DialogRequest openDialogRequest(std::string_view gameId) {
    const GameRecord* game = findGame(gameId);
    return game ? makeRequest(*game, game->openTitle) : DialogRequest{};
}

DialogRequest saveDialogRequest(std::string_view gameId) {
    const GameRecord* game = findGame(gameId);
    return game ? makeRequest(*game, game->saveTitle) : DialogRequest{};
}

std::string showOpenDialog(Host& host, std::string_view gameId) {
    if (!findGame(gameId)) return "";
    return host.openFileDialog(openDialogRequest(gameId));
}

std::string showSaveDialog(Host& host, std::string_view gameId) {
    if (!findGame(gameId)) return "";
    return host.saveFileDialog(saveDialogRequest(gameId));
}

} // namespace tessaly
