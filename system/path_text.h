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

} // namespace tessaly
