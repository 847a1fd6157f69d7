// The window title as the window system wants it.
#pragma once

#include <string>
#include <string_view>

namespace tessaly {

constexpr std::size_t kTitleLimit = 127;

// The program's text is Windows-1251, one byte per character; the window
// system takes UTF-8. Cuts to the first 127 characters, then converts.
std::string windowTitleUtf8(std::string_view title);

} // namespace tessaly
