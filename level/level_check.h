// Checking a level read from a file for the mistakes the games fail on
// quietly. Errors are things no game can want; notes are odd things that
// levels use on purpose. Nothing here changes the level or the file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "level/games.h"
#include "level/level.h"
#include "level/level_file.h"

namespace tessaly {

struct Finding {
    enum class Kind { Error, Note };
    Kind kind = Kind::Error;
    std::optional<Cell> cell; // the cell it is about, counted from 1; none for the whole file
    std::string text;
    bool operator==(const Finding&) const = default;
};

// The findings for `level` as readLevel filled it and described the file in
// `info`, for `game` (nullptr when the file's extension names none: only the
// rules of every game apply). In this order:
//   errors about the file: it could not be read, it declares more than 256
//     columns or rows, or it is not a whole level (isWholeLevel);
//   errors about cells, row by row: a second (third, ...) player start (object
//     255), and in a game that follows door links, a door link whose
//     destination column is past the level's width or row past its height;
//   notes: no game named (so the game's own rules were not checked); no
//     player start (in a file that holds all its cells); tile numbers at or
//     past the game's map tiles.
std::vector<Finding> checkLevel(const LevelReadInfo& info, const Level& level,
                                const GameRecord* game);

} // namespace tessaly
