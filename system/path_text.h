// The program keeps paths as UTF-8 strings; std::filesystem takes a plain
// string in the system's narrow code page on Windows, so every path handed to
// it goes through these two, which say UTF-8 on every system.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tessaly {

inline std::filesystem::path pathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

inline std::string utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

// `path` with ".EXTENSION" added when its file name has no extension of its
// own, that is no dot after its first character: "mycopy" becomes
// "mycopy.ck1", while "my.level" and "LEVEL01.CK1" stay as they are. A path
// ending in a separator (a folder) or an empty extension changes nothing.
inline std::string withDefaultExtension(std::string_view path, std::string_view extension) {
#ifdef _WIN32
    constexpr std::string_view kSeparators = "/\\";
#else
    constexpr std::string_view kSeparators = "/";
#endif
    const std::size_t slash = path.find_last_of(kSeparators);
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    std::string result(path);
    if (name.empty() || extension.empty() || name.find('.', 1) != std::string_view::npos)
        return result;
    return result + "." + std::string(extension);
}

} // namespace tessaly
