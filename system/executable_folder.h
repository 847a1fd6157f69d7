// Where the running program lives: the Resources folder and the samples are
// looked up beside it.
#pragma once

#include <string>

namespace tessaly {

// The folder of the running executable, without a trailing separator, as a
// UTF-8 path in this system's form; "" when the system cannot tell.
std::string executableFolder();

} // namespace tessaly
