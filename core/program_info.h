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

// A wrong command line: writes "NAME: WHY" (`tessaly: unknown option
// --bogus`) and then `usage` to `err`, and returns 2, the exit status of
// every program for a wrong command line.
int wrongCommandLine(std::string_view name, std::string_view why, std::string_view usage,
                     std::ostream& err);

} // namespace tessaly
