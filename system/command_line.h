// The command line's arguments as UTF-8, the form the program keeps paths in.
#pragma once

#include <string>
#include <vector>

namespace tessaly {

// argv as UTF-8 strings, the program's name first. On Windows the arguments
// are read again in wide characters, as the narrow argv holds only what the
// system's code page can spell.
std::vector<std::string> utf8Arguments(int argc, char** argv);

} // namespace tessaly
