#include "level/level_check.h"

#include "level/door_link.h"

namespace tessaly {

namespace {

std::string cellText(Cell cell) {
    return std::to_string(cell.column) + "," + std::to_string(cell.row);
}

std::string sizeText(const Level& level) {
    return std::to_string(level.width) + " x " + std::to_string(level.height);
}

// Why a read file is no whole level: its cells end early, or it is longer
// than any file of its size can be.
std::string notWholeText(const LevelReadInfo& info, const Level& level) {
    if (!info.cellsComplete)
        return "not a whole level: the file ends before the last of the " + sizeText(level) +
               " cells its header declares";
    return "not a whole level: " + std::to_string(info.fileBytes) +
           " bytes, more than the longest file of a " + sizeText(level) + " level (" +
           std::to_string(maxLevelFileBytes(level.width, level.height, level.paddingWords)) +
           " bytes)";
}

bool isCatalogueCode(const GameRecord& game, int32_t value) {
    for (const CatalogueEntry& entry : game.catalogue)
        if (entry.code == value) return true;
    return false;
}

// Whether the cell `at` holds a door link leading back to `from`.
bool linksBack(const Level& level, const GameRecord& game, Cell at, Cell from) {
    const int32_t value = objectCell(level, at.column, at.row);
    return isDoorLink(value) && decodeDoorLink(value, game.linkCounting) == from;
}

// 25000 as "25,000".
std::string thousands(int64_t n) {
    std::string digits = std::to_string(n);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3) digits.insert(std::size_t(at), ",");
    return digits;
}

} // namespace

std::vector<Finding> checkLevel(const LevelReadInfo& info, const Level& level,
                                const GameRecord* game) {
    using Kind = Finding::Kind;
    std::vector<Finding> findings;
    switch (info.result) {
    case ReadResult::Unreadable:
        return {{Kind::Error, std::nullopt, "cannot be read"}};
    case ReadResult::Refused:
        return {{Kind::Error, std::nullopt, "declares more than 256 columns or rows"}};
    case ReadResult::Read:
        break;
    }
    if (!isWholeLevel(info, level))
        findings.push_back({Kind::Error, std::nullopt, notWholeText(info, level)});

    std::vector<Finding> unpaired; // door links without a link back, noted after the errors
    std::optional<Cell> firstStart;
    std::optional<Cell> firstTilePast;
    int tilesPast = 0;
    for (int row = 1; row <= level.height; ++row) {
        for (int column = 1; column <= level.width; ++column) {
            const Cell cell{column, row};
            const int32_t object = objectCell(level, column, row);
            if (object == kPlayerStart) {
                if (firstStart) {
                    findings.push_back({Kind::Error, cell,
                                        "another player start (object 255); the first is at " +
                                            cellText(*firstStart)});
                } else {
                    firstStart = cell;
                }
            }
            if (game && game->followsDoorLinks && isDoorLink(object)) {
                const Cell to = decodeDoorLink(object, game->linkCounting);
                if (to.column > level.width || to.row > level.height) {
                    findings.push_back({Kind::Error, cell,
                                        "door link " + std::to_string(object) + " leads to " +
                                            cellText(to) + ", outside the " + sizeText(level) +
                                            " level"});
                } else if (game->doorsInPairs && !isCatalogueCode(*game, object) &&
                           !linksBack(level, *game, to, cell)) {
                    unpaired.push_back({Kind::Note, std::nullopt,
                                        "door link at " + cellText(cell) + " leads to " +
                                            cellText(to) + ", which holds no link back"});
                }
            }
            if (game && tileCell(level, column, row) >= game->tileCount) {
                if (!firstTilePast) firstTilePast = cell;
                ++tilesPast;
            }
        }
    }
    if (!game)
        findings.push_back({Kind::Note, std::nullopt,
                            "the extension names no game: only the rules of every game were "
                            "checked"});
    findings.insert(findings.end(), unpaired.begin(), unpaired.end());
    const int64_t cells = int64_t(level.width) * level.height;
    if (game && game->cellLimit > 0 && cells > game->cellLimit)
        findings.push_back({Kind::Note, std::nullopt,
                            sizeText(level) + " = " + std::to_string(cells) +
                                " cells, more than the " + thousands(game->cellLimit) + " " +
                                std::string(game->cellLimitHolders) + " handle"});
    // A file cut short may hold its player start in the cells it lacks.
    if (!firstStart && info.cellsComplete)
        findings.push_back({Kind::Note, std::nullopt,
                            "no player start (object 255), as in the games' title and ending "
                            "levels"});
    if (tilesPast > 0)
        findings.push_back({Kind::Note, std::nullopt,
                            std::to_string(tilesPast) +
                                (tilesPast == 1 ? " tile cell holds" : " tile cells hold") +
                                " a number from " + std::to_string(game->tileCount) + " on, past " +
                                std::string(game->name) + "'s map tiles (the first at " +
                                cellText(*firstTilePast) + ")"});
    return findings;
}

} // namespace tessaly
