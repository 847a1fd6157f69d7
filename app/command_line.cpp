#include "app/command_line.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "level/profile.h"

namespace tessaly {

namespace {

// The extension after the file name's last dot, in capitals; "" for none.
std::string upperExtension(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos) return "";
    std::string extension = name.substr(dot + 1);
    for (char& c : extension) {
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    }
    return extension;
}

} // namespace

bool takeLevelArgument(Program& p, const std::string& path) {
    const std::string gameId = upperExtension(path);
    if (std::find(kGameIds.begin(), kGameIds.end(), gameId) == kGameIds.end()) {
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
    selectGame(p.editor->profile, gameId);
    p.chosen = true;
    p.levelToOpen = path;
    return true;
}

} // namespace tessaly
