// Where the programs find the tile bitmaps. Each bitmap is looked up in these
// folders, in this order, and the first that holds it is used:
//   1. Resources/ beside the executable: the build folder, or a copy of the
//      program kept in a folder of its own;
//   2. the user's data folder, $XDG_DATA_HOME/tessaly/Resources (by default
//      ~/.local/share/tessaly/Resources): the user's own bitmaps for an
//      installed program;
//   3. ../share/tessaly/Resources from the executable's folder: the default
//      bitmaps of an installed program (/usr/bin -> /usr/share/tessaly).
#pragma once

#include <string>
#include <vector>

namespace tessaly {

// The folders above for an executable in `exeDir`, in order (the user's data
// folder is left out when there is none).
std::vector<std::string> tileBitmapFolders(const std::string& exeDir);

// The path of the bitmap named `bitmapName` (whatever the case of the file's
// name) in the first folder that holds it; when none does, its path in the
// first folder.
std::string findTileBitmap(const std::string& exeDir, const std::string& bitmapName);

// The folder a new bitmap goes to so that the programs find it first:
// Resources/ beside the executable when that folder exists and may be written
// to, otherwise the user's Resources folder (which may not exist yet; "" when
// there is no user data folder). A Resources folder is never suggested beside
// an executable that has none, such as an installed one.
std::string tileBitmapImportFolder(const std::string& exeDir);

} // namespace tessaly
