#include "system/user_folders.h"

#include <cstdlib>

#include "system/text_encoding.h"

namespace tessaly {

namespace {

#ifndef _WIN32
// $VARIABLE when it holds an absolute path, else $HOME/fallback; the XDG
// rules ignore relative paths in these variables.
std::string xdgFolder(const char* variable, const char* fallback) {
    const char* set = std::getenv(variable);
    if (set && set[0] == '/') return std::string(set) + "/tessaly";
    const char* home = std::getenv("HOME");
    if (!home || home[0] == '\0') return "";
    return std::string(home) + "/" + fallback + "/tessaly";
}
#else
// %VARIABLE%\Tessaly, read in wide characters so a user name in any
// script comes through; "" when the variable is not an absolute path.
std::string windowsFolder(const wchar_t* variable) {
    const wchar_t* set = _wgetenv(variable);
    if (!set || !((set[0] && set[1] == L':') || (set[0] == L'\\' && set[1] == L'\\'))) return "";
    const std::wstring folder(set);
    return utf16ToUtf8(std::u16string(folder.begin(), folder.end())) + "\\Tessaly";
}

std::string localAppDataFolder() {
    return windowsFolder(L"LOCALAPPDATA");
}
#endif

} // namespace

std::string userStateFolder() {
#ifdef _WIN32
    return localAppDataFolder();
#else
    return xdgFolder("XDG_STATE_HOME", ".local/state");
#endif
}

std::string userDataFolder() {
#ifdef _WIN32
    return localAppDataFolder();
#else
    return xdgFolder("XDG_DATA_HOME", ".local/share");
#endif
}

std::string userConfigFolder() {
#ifdef _WIN32
    return windowsFolder(L"APPDATA");
#else
    return xdgFolder("XDG_CONFIG_HOME", ".config");
#endif
}

std::string userCacheFolder() {
#ifdef _WIN32
    return localAppDataFolder();
#else
    return xdgFolder("XDG_CACHE_HOME", ".cache");
#endif
}

} // namespace tessaly
