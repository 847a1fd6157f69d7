// tessaly-samplegen: writes one small level of our own making per game.
//
//   tessaly-samplegen FOLDER          write sample.dd2 ... sample.nin there
//   tessaly-samplegen --check FOLDER  exit 0 when FOLDER holds exactly them
//
// The levels differ in size and layout so that they exercise the reader:
//   sample.dd2  24 x 22, uncompressed, as the editor saves it
//   sample.ck1  81 x 53 with the games' padded plane layout (3 padding words
//               after each plane), compressed: one run goes on from the
//               header into the tile plane, one from the tile plane over its
//               padding into the object plane
//   sample.ck2  30 x 25, compressed, a run from the tile plane into the
//               object plane
//   sample.ck3  40 x 30, compressed, plane layout declared with no padding
//               (2 x 40 x 30 bytes is already a multiple of 16)
//   sample.nin  16 x 12, uncompressed, with data in header bytes 0..3
// Every level uses tiles below its game's tile count, objects from its
// game's catalogue and door links; Dangerous Dave 2's two doors lead to each
// other, as the game's doors do.
#include "level/door_link.h"
#include "level/games.h"
#include "level/level_file.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace tessaly;

struct Scenery {
    int32_t sky, ground, platform, wall;
};

struct Placement {
    int column, row;
    int32_t value;
};

struct Sample {
    const char* gameId;
    int width, height;
    bool padded;      // declare the plane layout in header bytes 8..9 and 18..19
    bool compressed;  // write with runs
    uint32_t leading; // header bytes 0..3
    Scenery scenery;
    int pitLength; // cells of sky at the right end of the bottom row
    std::vector<Placement> objects;
};

// A door link as the games that count from 1 store it, and as Dangerous
// Dave 2 does (from 0).
int32_t doorTo(int column, int row) {
    return encodeDoorLink({column, row}, LinkCounting::FromOne).value();
}
int32_t daveDoorTo(int column, int row) {
    return encodeDoorLink({column, row}, LinkCounting::FromZero).value();
}

// "sample." and the game's extension in lower case: sample.dd2.
std::string fileNameOf(const Sample& sample) {
    std::string name = std::string("sample.") + sample.gameId;
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return name;
}

void putWord(Level& level, int offset, int value) {
    level.keptHeader[offset] = static_cast<uint8_t>(value & 0xFF);
    level.keptHeader[offset + 1] = static_cast<uint8_t>(value >> 8);
}

// Sky, a walled room with ground on the two bottom rows, a pit at the right
// end of the bottom row, and a platform every fifth row.
void paint(Level& level, const Sample& sample) {
    const Scenery& s = sample.scenery;
    for (int row = 1; row <= sample.height; ++row) {
        for (int column = 1; column <= sample.width; ++column) {
            int32_t tile = s.sky;
            if (row >= sample.height - 1) {
                tile = s.ground;
            } else if (row > 2 && (column == 1 || column == sample.width)) {
                tile = s.wall;
            } else if (row > 2 && row % 5 == 0 && (column + row) % 12 < 7) {
                tile = s.platform;
            }
            if (row == sample.height && column > sample.width - sample.pitLength) tile = s.sky;
            setTileCell(level, column, row, tile);
        }
    }
    for (const Placement& p : sample.objects) setObjectCell(level, p.column, p.row, p.value);
}

std::vector<uint8_t> build(const Sample& sample) {
    auto level = std::make_unique<Level>();
    level->width = sample.width;
    level->height = sample.height;
    for (int i = 0; i < 4; ++i)
        level->keptHeader[i] = static_cast<uint8_t>(sample.leading >> 8 * i);
    putWord(*level, 4, sample.width);
    putWord(*level, 6, sample.height);
    if (sample.padded) {
        const int planeBytes = 2 * sample.width * sample.height;
        putWord(*level, 8, 2);
        putWord(*level, 18, (planeBytes + 15) / 16 * 16);
        level->paddingWords = paddingWordsFor(*level);
    }
    paint(*level, sample);
    return sample.compressed ? encodeLevelWithRuns(*level) : encodeLevel(*level);
}

std::vector<Sample> samples() {
    return {
        {"DD2",
         24,
         22,
         false,
         false,
         0,
         {0, 120, 131, 95},
         0,
         {{3, 20, 255},
          {8, 20, 1},
          {12, 14, 3},
          {17, 9, 6},
          {20, 20, 11},
          {6, 4, 14},
          {9, 4, 19},
          {22, 20, 257},
          {5, 9, 32768},
          {14, 20, 32770},
          {2, 20, daveDoorTo(18, 14)},
          {18, 14, daveDoorTo(2, 20)}}},
        {"CK1",
         81,
         53,
         true,
         true,
         0,
         {0, 155, 176, 258},
         6,
         {{3, 51, 255},
          {10, 51, 1},
          {25, 44, 2},
          {40, 34, 3},
          {55, 29, 4},
          {70, 51, 5},
          {33, 9, 6},
          {47, 9, 9},
          {60, 19, 10},
          {78, 51, doorTo(2, 3)},
          {41, 24, doorTo(79, 51)}}},
        {"CK2",
         30,
         25,
         false,
         true,
         0,
         {0, 143, 167, 360},
         4,
         {{2, 23, 255},
          {9, 23, 1},
          {15, 19, 2},
          {20, 14, 3},
          {24, 9, 6},
          {12, 4, 7},
          {28, 23, doorTo(12, 3)}}},
        {"CK3",
         40,
         30,
         true,
         true,
         0,
         {0, 160, 171, 309},
         3,
         {{2, 28, 255},
          {11, 28, 1},
          {18, 24, 5},
          {26, 19, 8},
          {30, 14, 12},
          {35, 28, 16},
          {36, 28, 17},
          {14, 9, 13},
          {38, 28, doorTo(14, 8)}}},
        {"NIN",
         16,
         12,
         false,
         false,
         0x0001ABCD,
         {10, 200, 215, 156},
         0,
         {{2, 10, 255}, {7, 10, 1}, {12, 5, 2}, {9, 10, 18}, {15, 10, doorTo(4, 3)}}},
    };
}

// Every tile lies below the game's tile count and every object is a code of
// its catalogue or a door link.
bool fitsGame(const Sample& sample) {
    const GameRecord* game = findGame(sample.gameId);
    if (!game) return false;
    const Scenery& s = sample.scenery;
    for (const int32_t tile : {s.sky, s.ground, s.platform, s.wall}) {
        if (tile < 0 || tile >= game->tileCount) return false;
    }
    for (const Placement& p : sample.objects) {
        bool known = isDoorLink(p.value);
        for (const CatalogueEntry& entry : game->catalogue) known = known || entry.code == p.value;
        if (!known) return false;
    }
    return true;
}

// One sample for every game of the table: the level made for it above, or
// for a game with none a plain 20 x 15 room of its first tiles with the
// player in it.
std::vector<Sample> everyGamesSample() {
    const std::vector<Sample> made = samples();
    std::vector<Sample> all;
    for (const GameRecord& game : kGames) {
        const auto own = std::find_if(made.begin(), made.end(), [&](const Sample& s) {
            return std::string_view(s.gameId) == game.gameId;
        });
        if (own != made.end()) {
            all.push_back(*own);
            continue;
        }
        all.push_back({game.gameId.data(),
                       20,
                       15,
                       false,
                       false,
                       0,
                       {0, 1, 2, 3},
                       3,
                       {{3, 13, kPlayerStart}}});
    }
    return all;
}

std::vector<uint8_t> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

int main(int argc, char** argv) {
    const bool check = argc == 3 && std::string(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::fprintf(stderr,
                     "usage: tessaly-samplegen FOLDER | tessaly-samplegen --check FOLDER\n");
        return 2;
    }
    const std::string folder = argv[argc - 1];
    int status = 0;
    for (const Sample& sample : everyGamesSample()) {
        if (!fitsGame(sample)) {
            std::fprintf(stderr, "tessaly-samplegen: %s does not fit its game\n",
                         fileNameOf(sample).c_str());
            return 1;
        }
        const std::vector<uint8_t> bytes = build(sample);
        const std::string path = folder + "/" + fileNameOf(sample);
        if (check) {
            if (readAll(path) != bytes) {
                std::fprintf(stderr, "tessaly-samplegen: %s differs from the generator\n",
                             path.c_str());
                status = 1;
            }
            continue;
        }
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::fprintf(stderr, "tessaly-samplegen: cannot write %s\n", path.c_str());
            status = 1;
        }
    }
    return status;
}
