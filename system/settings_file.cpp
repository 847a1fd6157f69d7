#include "system/settings_file.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <system_error>

#include "system/files.h"
#include "system/path_text.h"
#include "system/user_folders.h"

namespace tessaly {

namespace {

constexpr std::size_t kMostSettingsBytes = std::size_t(1) << 20;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool hasControl(std::string_view s) {
    for (char c : s) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return true;
    }
    return false;
}

// Whole UTF-8 characters only, with no overlong forms and no surrogates.
bool isUtf8(std::string_view s) {
    static constexpr uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    std::size_t i = 0;
    while (i < s.size()) {
        const auto lead = static_cast<unsigned char>(s[i]);
        const int extra = lead < 0x80           ? 0
                          : (lead >> 5) == 0x6  ? 1
                          : (lead >> 4) == 0xE  ? 2
                          : (lead >> 3) == 0x1E ? 3
                                                : -1;
        if (extra < 0 || s.size() - i <= std::size_t(extra)) return false;
        uint32_t code = lead & (0x7Fu >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(s[i + std::size_t(k)]);
            if ((next >> 6) != 2) return false;
            code = (code << 6) | (next & 0x3Fu);
        }
        if (code < kLeast[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += std::size_t(extra) + 1;
    }
    return true;
}

bool keepableKey(std::string_view key) {
    return !key.empty() && trimmed(key) == key && key.find('=') == std::string_view::npos &&
           key.front() != '[' && key.front() != '#' && key.front() != ';' && !hasControl(key) &&
           isUtf8(key);
}

bool keepableSection(std::string_view section) {
    return !section.empty() && trimmed(section) == section &&
           section.find(']') == std::string_view::npos && !hasControl(section) && isUtf8(section);
}

} // namespace

std::string settingsFilePath() {
    const std::string folder = userConfigFolder();
    return folder.empty() ? "" : joinPath(folder, "settings.ini");
}

Settings parseSettings(std::string_view text) {
    Settings settings;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::string section;
    bool sectionGood = false;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = trimmed(line);
        if (line.empty() || line.front() == '#' || line.front() == ';') continue;
        if (hasControl(line) || !isUtf8(line)) continue;
        if (line.front() == '[') {
            const std::string_view name = line.back() == ']' ? line.substr(1, line.size() - 2) : "";
            sectionGood = keepableSection(name);
            section = std::string(name);
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!sectionGood || equals == std::string_view::npos) continue;
        const std::string_view key = trimmed(line.substr(0, equals));
        std::string_view value = trimmed(line.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (keepableKey(key)) setSetting(settings, section, key, value);
    }
    return settings;
}

std::string settingsText(const Settings& settings) {
    std::string text = "# Tessaly Editor settings\n";
    std::vector<std::string> sections;
    for (const Settings::Entry& e : settings.entries) {
        if (std::find(sections.begin(), sections.end(), e.section) == sections.end())
            sections.push_back(e.section);
    }
    for (const std::string& section : sections) {
        text += "\n[" + section + "]\n";
        for (const Settings::Entry& e : settings.entries) {
            if (e.section != section) continue;
            const bool quote =
                trimmed(e.value) != e.value ||
                (e.value.size() >= 2 && e.value.front() == '"' && e.value.back() == '"');
            text += e.key + " = " + (quote ? "\"" + e.value + "\"" : e.value) + "\n";
        }
    }
    return text;
}

std::string settingValue(const Settings& settings, std::string_view section, std::string_view key) {
    for (const Settings::Entry& e : settings.entries) {
        if (e.section == section && e.key == key) return e.value;
    }
    return "";
}

bool setSetting(Settings& settings, std::string_view section, std::string_view key,
                std::string_view value) {
    if (!keepableSection(section) || !keepableKey(key) || hasControl(value) || !isUtf8(value))
        return false;
    for (Settings::Entry& e : settings.entries) {
        if (e.section == section && e.key == key) {
            e.value = std::string(value);
            return true;
        }
    }
    settings.entries.push_back({std::string(section), std::string(key), std::string(value)});
    return true;
}

Settings readSettingsFile(const std::string& path) {
    const auto bytes = readFileBytes(path, kMostSettingsBytes);
    if (!bytes) return {};
    return parseSettings(
        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

bool writeSettingsFile(const std::string& path, const Settings& settings, std::string* why) {
    std::error_code error;
    const std::filesystem::path folder = pathFromUtf8(path).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, error);
    if (error) {
        if (why) *why = error.message();
        return false;
    }
    const std::string text = settingsText(settings);
    return writeFileSafely(path, std::vector<uint8_t>(text.begin(), text.end()), why);
}

} // namespace tessaly
