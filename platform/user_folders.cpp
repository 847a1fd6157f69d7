#include "platform/user_folders.h"

#include <cstdlib>

namespace tessaly {

namespace {

// $VARIABLE when it holds an absolute path, else $HOME/fallback; the XDG
// rules ignore relative paths in these variables.
std::string xdgFolder(const char* variable, const char* fallback) {
    const char* set = std::getenv(variable);
    if (set && set[0] == '/') return std::string(set) + "/tessaly";
    const char* home = std::getenv("HOME");
    if (!home || home[0] == '\0') return "";
    return std::string(home) + "/" + fallback + "/tessaly";
}

} // namespace

std::string userStateFolder() {
    return xdgFolder("XDG_STATE_HOME", ".local/state");
}

std::string userDataFolder() {
    return xdgFolder("XDG_DATA_HOME", ".local/share");
}

} // namespace tessaly
