// File name patterns of the dialogs' filters, as GTK matches them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// The GTK glob patterns for one filter pattern of a dialog request: one per
// ';'-separated part, each letter matching either case (the games' files are
// upper case, "*.ck1" must show LEVEL01.CK1), and "*.*" meaning every file,
// as it always has on the system the games came from, dot or no dot.
std::vector<std::string> filterGlobs(std::string_view pattern);

// Whether a dialog may close with this path: the open dialog takes only an
// existing regular file; the save dialog also a new name in an existing
// folder, and overwrites an existing regular file without a question.
bool acceptableToOpen(const std::string& path);
bool acceptableToSave(const std::string& path);

} // namespace tessaly
