// The two commands of tessaly-tiles. Each prints one line: what it did on
// `out`, or the file and the problem on `err`; the result is the exit status
// (0 done, 1 failed, nothing written).
#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace tessaly {

// import GAME GAMEDIR [--out FILE]: the game's tile bitmap from its own
// graphics files, written to FILE or by default to the game's bitmap in the
// folder the programs look in first (system/resources.h,
// tileBitmapImportFolder).
int runImport(const std::string& gameId, const std::string& gameDir,
              const std::optional<std::string>& outPath, std::ostream& out, std::ostream& err);

// render FILE OUT.png: the tile bitmap drawn twice size with tile numbers.
int runRender(const std::string& bitmapPath, const std::string& pngPath, std::ostream& out,
              std::ostream& err);

} // namespace tessaly
