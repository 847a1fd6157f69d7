// tessaly-level: what a modder runs to check or unpack a level file.
//
//   tessaly-level info FILE      describe the level (format below), exit 0
//   tessaly-level copy IN OUT    read IN, write OUT as the editor saves it
//
// A file that cannot be read, a refused file (more than 256 columns or rows)
// or an OUT that cannot be written gives one line on stderr and exit 1, and
// OUT is left as it was. A wrong command line gives the usage and exit 2.
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
#include "level/level_file.h"
#include "level/profile.h"
#include "platform/program_info.h"

#include <cstdio>
#include <iostream>
#include <map>
#include <memory>
#include <string>

namespace {

using namespace tessaly;

constexpr const char* kUsage = "usage: tessaly-level info FILE | tessaly-level copy IN OUT\n";

constexpr int kFirstDoorLink = 256;
constexpr int kLastDoorLink = 32767;

bool readOrComplain(Level& level, const std::string& path) {
    switch (readLevel(level, path)) {
    case ReadResult::Read:
        return true;
    case ReadResult::Unreadable:
        std::fprintf(stderr, "tessaly-level: cannot read %s\n", path.c_str());
        return false;
    case ReadResult::Refused:
        std::fprintf(stderr, "tessaly-level: %s declares more than 256 columns or rows\n",
                     path.c_str());
        return false;
    }
    return false;
}

// The profile of the game whose id the file's extension spells, any case.
bool gameOfPath(const std::string& path, GameProfile& profile) {
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return false;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return selectGame(profile, extension);
}

int info(const std::string& path) {
    auto level = std::make_unique<Level>();
    if (!readOrComplain(*level, path)) return 1;
    auto profile = std::make_unique<GameProfile>();
    const bool known = gameOfPath(path, *profile);

    std::printf("game: %s\n", known ? profile->gameId.c_str() : "none");
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
        for (int entry = 1; known && entry <= profile->objectCount; ++entry) {
            if (profile->objectCode[entry] == value) {
                std::printf(" \"%s\"", profile->objectLabel[entry].c_str());
                break;
            }
        }
        std::printf("\n");
    }
    for (int row = 1; row <= level->height; ++row) {
        for (int column = 1; column <= level->width; ++column) {
            const int32_t value = objectCell(*level, column, row);
            if (value >= kFirstDoorLink && value <= kLastDoorLink) {
                std::printf("door %d,%d -> %d,%d\n", column, row, value / 256, value % 256);
            }
        }
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int copy(const std::string& in, const std::string& out) {
    auto level = std::make_unique<Level>();
    if (!readOrComplain(*level, in)) return 1;
    if (!writeLevel(*level, out)) {
        std::fprintf(stderr, "tessaly-level: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (auto status = answerHelpOrVersion(argc, argv, "tessaly-level", kUsage, std::cout)) {
        return *status;
    }
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "info" && argc == 3) return info(argv[2]);
    if (command == "copy" && argc == 4) return copy(argv[2], argv[3]);
    std::fputs(kUsage, stderr);
    return 2;
}
