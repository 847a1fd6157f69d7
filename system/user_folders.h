// The per-user folders the programs keep files in, as the desktop's
// conventions place them.
#pragma once

#include <string>

namespace tessaly {

// The folder for state that should survive a restart but is not the user's
// document, such as recovery copies: $XDG_STATE_HOME/tessaly, by default
// ~/.local/state/tessaly; on Windows %LOCALAPPDATA%\Tessaly. "" when
// neither the variable nor a home folder is set.
std::string userStateFolder();

// The folder for data files the user adds for the programs, such as their own
// tile bitmaps: $XDG_DATA_HOME/tessaly, by default ~/.local/share/tessaly; on
// Windows %LOCALAPPDATA%\Tessaly as well. "" when neither the variable nor a
// home folder is set.
std::string userDataFolder();

// The folder for the user's settings: $XDG_CONFIG_HOME/tessaly, by default
// ~/.config/tessaly; on Windows %APPDATA%\Tessaly, which roams with the
// user. "" when neither the variable nor a home folder is set.
std::string userConfigFolder();

// The folder for files the programs can make again and remove at any time,
// such as the play copies of a game: $XDG_CACHE_HOME/tessaly, by default
// ~/.cache/tessaly; on Windows %LOCALAPPDATA%\Tessaly. "" when neither the
// variable nor a home folder is set.
std::string userCacheFolder();

} // namespace tessaly
