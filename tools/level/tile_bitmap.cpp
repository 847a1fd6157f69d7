#include "tools/level/tile_bitmap.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/executable_folder.h"
#include "platform/files.h"
#include "platform/path_text.h"

namespace tessaly {

namespace {

std::string userDataFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && *data == '/') return data;
    const char* home = std::getenv("HOME");
    if (home && *home) return joinPath(joinPath(home, ".local"), "share");
    return {};
}

} // namespace

std::string findTileBitmap(const GameRecord& game) {
    std::vector<std::string> folders;
    if (const std::string data = userDataFolder(); !data.empty())
        folders.push_back(joinPath(joinPath(data, "tessaly"), "Resources"));
    folders.push_back(joinPath(executableFolder(), "Resources"));
    const std::string name(game.tileBitmapName);
    std::string path;
    for (const std::string& folder : folders) {
        path = findFileIgnoringCase(folder, name);
        std::error_code error;
        if (std::filesystem::is_regular_file(pathFromUtf8(path), error)) return path;
    }
    return path;
}

} // namespace tessaly
