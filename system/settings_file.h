// The user's settings file, settings.ini in the user's config folder: plain
// UTF-8 text of "key = value" lines under "[section]" lines, which a person
// may read and edit.
//
//     # Tessaly Editor settings
//     [CK1]
//     folder = /home/me/games/keen1
//     program = KEEN1.EXE
//
// Reading is tolerant: a line that is neither a section, a setting nor a
// comment (# or ;), a line that is not UTF-8, and a setting before any
// section are ignored, never fatal; a missing or unreadable file is an empty
// one. Settings the program does not know are kept and written back. A value
// with blanks at either end is written in double quotes, which reading takes
// off; a value holding a line break or another control character cannot be
// kept.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tessaly {

struct Settings {
    struct Entry {
        std::string section, key, value;
    };
    std::vector<Entry> entries; // in the order first read or set
};

// The settings file's path: settings.ini in userConfigFolder(); "" when there
// is no such folder.
std::string settingsFilePath();

Settings parseSettings(std::string_view text);
std::string settingsText(const Settings& settings);

// The value set for the key in the section (both matched exactly), "" when none.
std::string settingValue(const Settings& settings, std::string_view section, std::string_view key);
// Sets the key's value, or adds it at the end of its section. False, and
// nothing changed, for a value, key or section that cannot be kept (control
// characters; '=' or blanks at the ends of a key; ']' in a section).
bool setSetting(Settings& settings, std::string_view section, std::string_view key,
                std::string_view value);

// Reads the file at `path` (at most 1 MiB of it); an empty Settings when it
// is missing or cannot be read.
Settings readSettingsFile(const std::string& path);
// Writes the settings to `path` with the safe write, making its folder when
// missing. False with the system's reason in `why` when it fails.
bool writeSettingsFile(const std::string& path, const Settings& settings, std::string* why);

} // namespace tessaly
