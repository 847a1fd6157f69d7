// The game's tile bitmap on disk: where it is found, loading it into the tile
// sheet, and what to tell the user when it cannot be used.
#pragma once

#include <string>

#include "core/surface.h"
#include "level/profile.h"
#include "views/tilesheet.h"

namespace tessaly {

// The path the sheet is loaded from: the game's bitmap (profile.tileBitmapName)
// found as system/resources.h describes.
std::string tileBitmapPath(const GameProfile& profile, const std::string& exeDir);

// Builds the sheet from the game's bitmap (see buildTileSheet); returns
// whether the bitmap was loaded.
bool loadTileSheet(TileSheet& sheet, Surface& surface, const GameProfile& profile,
                   const std::string& exeDir);

// What to tell the user when loadTileSheet did not load the game's bitmap:
// the file that cannot be used, or every folder the bitmap was looked for in.
std::string tileBitmapProblem(const GameProfile& profile, const std::string& exeDir);

} // namespace tessaly
