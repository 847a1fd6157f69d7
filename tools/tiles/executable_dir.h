// The folder this program's executable lives in, from /proc/self/exe.
#pragma once

#include <string>

namespace tessaly {

// Empty when it cannot be found.
std::string executableFolder();

} // namespace tessaly
