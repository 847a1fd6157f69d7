#include "hosts/gtk/filter_patterns.h"

#include <cctype>
#include <filesystem>
#include <system_error>

#include "system/path_text.h"

namespace tessaly {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

std::string eitherCase(std::string_view part) {
    std::string glob;
    bool inBracket = false;
    for (char c : part) {
        const auto u = static_cast<unsigned char>(c);
        if (inBracket || !std::isalpha(u)) {
            if (c == '[') inBracket = true;
            if (c == ']') inBracket = false;
            glob += c;
            continue;
        }
        glob += '[';
        glob += char(std::tolower(u));
        glob += char(std::toupper(u));
        glob += ']';
    }
    return glob;
}

} // namespace

std::vector<std::string> filterGlobs(std::string_view pattern) {
    std::vector<std::string> globs;
    while (true) {
        const auto cut = pattern.find(';');
        const std::string_view part = trim(pattern.substr(0, cut));
        if (part == "*.*" || part == "*") {
            globs.emplace_back("*");
        } else if (!part.empty()) {
            globs.push_back(eitherCase(part));
        }
        if (cut == std::string_view::npos) break;
        pattern.remove_prefix(cut + 1);
    }
    return globs;
}

bool acceptableToOpen(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(pathFromUtf8(path), ec);
}

bool acceptableToSave(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    const std::filesystem::path p = pathFromUtf8(path);
    const auto status = std::filesystem::status(p, ec);
    if (std::filesystem::exists(status)) return std::filesystem::is_regular_file(status);
    if (!p.has_filename()) return false;
    const auto folder = p.parent_path();
    return folder.empty() || std::filesystem::is_directory(folder, ec);
}

} // namespace tessaly
