// info and copy, and the level reading every command shares.
//
// A file that cannot be read, a refused file (more than 256 columns or rows)
// or an OUT that cannot be written, or that is IN itself (also through a
// link), gives one line on stderr and exit 1, and OUT is left as it was.
//
// info prints one "key: value" line each, in this order:
//   game: CK1                the game the file's extension names, or "none"
//   size: 81 x 53            columns x rows
//   header: 00 00 ...        the 36 header bytes in hex
//   padded: no               or "yes, N words after each plane"
//   tile cells not zero: N
//   object cells not zero: N
// then one line per object value used, in increasing order, with the number
// of cells that hold it and, when the game's catalogue has it, its label:
//   object 255: 1 "-=Keen=-"
// then one line per door link (object values 256..32767), row by row, from
// the cell that holds it to its destination column and row:
//   door 12,40 -> 3,7
#include "level/door_link.h"
#include "level/games.h"
#include "level/level_file.h"
#include "system/files.h"
#include "tools/level/commands.h"

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace tessaly {

bool readOrComplain(Level& level, const std::string& path) {
    switch (readLevel(level, path).result) {
    case ReadResult::Read:
        return true;
    case ReadResult::Unreadable: {
        // The system's reason: a folder, a missing file, no permission.
        const std::string why = whyUnreadable(path);
        std::fprintf(stderr, "tessaly-level: cannot read %s%s%s\n", path.c_str(),
                     why.empty() ? "" : ": ", why.c_str());
        return false;
    }
    case ReadResult::Refused:
        std::fprintf(stderr, "tessaly-level: %s declares more than 256 columns or rows\n",
                     path.c_str());
        return false;
    }
    return false;
}

bool flushedOutput() {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return true;
    std::fprintf(stderr, "tessaly-level: cannot write to standard output\n");
    return false;
}

int runInfo(const std::string& path) {
    auto level = std::make_unique<Level>();
    if (!readOrComplain(*level, path)) return 1;
    const GameRecord* game = gameOfPath(path);
    // Links as the game counts them; a file of no game as most games do.
    const LinkCounting counting = game ? game->linkCounting : LinkCounting::FromOne;

    std::printf("game: %s\n", game ? std::string(game->gameId).c_str() : "none");
    std::printf("size: %d x %d\n", level->width, level->height);
    std::printf("header:");
    for (int i = 0; i < kHeaderBytes; ++i) std::printf(" %02X", level->keptHeader[i]);
    std::printf("\n");
    if (level->paddingWords > 0) {
        std::printf("padded: yes, %d words after each plane\n", level->paddingWords);
    } else {
        std::printf("padded: no\n");
    }

    int tiles = 0;
    int objects = 0;
    std::map<int32_t, int> objectUses;
    for (int row = 1; row <= level->height; ++row) {
        for (int column = 1; column <= level->width; ++column) {
            if (tileCell(*level, column, row) != 0) ++tiles;
            const int32_t object = objectCell(*level, column, row);
            if (object != 0) {
                ++objects;
                ++objectUses[object];
            }
        }
    }
    std::printf("tile cells not zero: %d\n", tiles);
    std::printf("object cells not zero: %d\n", objects);
    for (const auto& [value, count] : objectUses) {
        std::printf("object %d: %d", value, count);
        for (const CatalogueEntry& entry :
             game ? game->catalogue : std::span<const CatalogueEntry>{}) {
            if (entry.code == value) {
                std::printf(" \"%s\"", std::string(entry.label).c_str());
                break;
            }
        }
        std::printf("\n");
    }
    for (int row = 1; row <= level->height; ++row) {
        for (int column = 1; column <= level->width; ++column) {
            const int32_t value = objectCell(*level, column, row);
            if (isDoorLink(value)) {
                const Cell to = decodeDoorLink(value, counting);
                std::printf("door %d,%d -> %d,%d\n", column, row, to.column, to.row);
            }
        }
    }
    return flushedOutput() ? 0 : 1;
}

int runCopy(const std::string& in, const std::string& out) {
    auto level = std::make_unique<Level>();
    if (!readOrComplain(*level, in)) return 1;
    // Safe: IN may hold bytes the level does not (a tail, a cut-short plane),
    // so writing the level over it would change it; it is never overwritten.
    if (sameFile(in, out)) {
        std::fprintf(stderr, "tessaly-level: %s is the input: not overwritten\n", out.c_str());
        return 1;
    }
    if (!writeLevel(*level, out)) {
        std::fprintf(stderr, "tessaly-level: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}

} // namespace tessaly
