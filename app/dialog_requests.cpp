#include "app/dialog_requests.h"

#include <filesystem>
#include <system_error>

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

// The game's level files end in its id, written in lower case: "ck1".
std::string extensionOf(const GameRecord& game) {
    std::string extension(game.gameId);
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return extension;
}

} // namespace

DialogRequest openDialogRequest(std::string_view gameId) {
    const GameRecord* game = findGame(gameId);
    return game ? makeRequest(*game, game->openTitle) : DialogRequest{};
}

DialogRequest saveDialogRequest(std::string_view gameId) {
    const GameRecord* game = findGame(gameId);
    if (!game) return {};
    DialogRequest r = makeRequest(*game, game->saveTitle);
    r.defaultExtension = extensionOf(*game);
    r.confirmOverwrite = true;
    return r;
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

std::string showSaveDialog(Host& host, std::string_view gameId, std::string& folder,
                           const std::string& levelFile) {
    if (!findGame(gameId)) return "";
    DialogRequest request = saveDialogRequest(gameId);
    request.folder = folder;
    if (!levelFile.empty()) {
        // The level's own folder, whole: a level named on the command line
        // may be a path relative to the working folder.
        std::error_code error;
        const std::filesystem::path file =
            std::filesystem::absolute(pathFromUtf8(levelFile), error);
        if (!error) {
            request.folder = utf8FromPath(file.parent_path());
            request.fileName = utf8FromPath(file.filename());
        }
    }
    std::string chosen = host.saveFileDialog(request);
    if (!chosen.empty()) chosen = withDefaultExtension(chosen, request.defaultExtension);
    return remember(chosen, folder);
}

} // namespace tessaly
