// The commands of tessaly-level. Each takes its command line already checked
// (the files it names and its options) and returns the exit status: 0 done,
// 1 a file could not be read or written, or a check found an error.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "level/level.h"

namespace tessaly {

int runInfo(const std::string& path);
int runCopy(const std::string& in, const std::string& out);

struct RenderOptions {
    std::string level, out;
    std::optional<std::string> tiles;  // --tiles BITMAP
    std::optional<std::string> layers; // --layers LIST, checked by the command
};
int runRender(const RenderOptions& options);

int runCheck(const std::vector<std::string>& paths);

// Reads the level; a file that cannot be read or is refused gives one line on
// stderr naming it, and false.
bool readOrComplain(Level& level, const std::string& path);

// Flushes standard output; when what was printed could not be written whole
// (a full disk), says so on stderr and returns false.
bool flushedOutput();

} // namespace tessaly
