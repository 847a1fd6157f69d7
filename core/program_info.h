// The two options every program of the project answers, --help and --version.
#pragma once

#include <optional>
#include <ostream>
#include <string_view>

namespace tessaly {

// The project's version, such as "0.9.1".
std::string_view programVersion();

// When the first argument is --help (or -h), writes `help` to `out`; when it
// is --version, writes "NAME VERSION" (`tessaly-level 0.9.1`). Either way the
// result is the exit status: 0, or 1 when `out` could not be written. Any
// other command line gives nothing, and the program reads its arguments as
// usual.
std::optional<int> answerHelpOrVersion(int argc, const char* const* argv, std::string_view name,
                                       std::string_view help, std::ostream& out);

} // namespace tessaly
