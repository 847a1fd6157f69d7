#include "app/dialog_requests.h"

#include "level/games.h"
#include "system/path_text.h"

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

namespace {

// The folder a chosen path lies in ("" for a bare name).
std::string folderOf(const std::string& path) {
    return utf8FromPath(pathFromUtf8(path).parent_path());
}

std::string remember(std::string chosen, std::string& folder) {
    if (!chosen.empty()) folder = folderOf(chosen);
    return chosen;
}

} // namespace

std::string showOpenDialog(Host& host, std::string_view gameId, std::string& folder) {
    if (!findGame(gameId)) return "";
    DialogRequest request = openDialogRequest(gameId);
    request.folder = folder;
    return remember(host.openFileDialog(request), folder);
}

std::string showSaveDialog(Host& host, std::string_view gameId, std::string& folder) {
    if (!findGame(gameId)) return "";
    DialogRequest request = saveDialogRequest(gameId);
    request.folder = folder;
    return remember(host.saveFileDialog(request), folder);
}

} // namespace tessaly
