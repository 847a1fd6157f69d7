// The whole-level picture of tessaly-level render for a 256 x 256 level, with
// the default Dangerous Dave 2 tile bitmap from Resources/ beside this
// program: drawing it, and drawing, encoding and safely writing the PNG (the
// render command's work after reading its two input files).
//
// Two levels: "varied" has a different tile in every cell next to its
// neighbours (the hardest to compress) and an object in one cell of 16, a
// third of them door links; "crowded" has the catalogue's "EXIT LEVEL DOOR"
// in every cell (picture, 15-character label, two boxes and the door-link
// marker, the most drawing a cell can take).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include "core/bmp.h"
#include "core/png.h"
#include "level/profile.h"
#include "views/tilesheet.h"
#include "system/executable_folder.h"
#include "system/files.h"
#include "views/level_picture.h"

namespace {

using namespace tessaly;

struct Scene {
    std::unique_ptr<Level> level = std::make_unique<Level>();
    std::unique_ptr<GameProfile> profile = std::make_unique<GameProfile>();
    std::unique_ptr<TileSheet> sheet = std::make_unique<TileSheet>();
    std::array<Rgb, 256> colours{};
    bool loaded = false;
};

std::unique_ptr<Scene> makeScene(bool crowded) {
    auto scene = std::make_unique<Scene>();
    selectGame(*scene->profile, "DD2");
    const auto bitmap =
        readFileBytes(joinPath(joinPath(executableFolder(), "Resources"), "DD2TILES.bmp"));
    auto surface = std::make_unique<Surface>();
    scene->loaded = bitmap && buildTileSheet(*scene->sheet, *surface, *bitmap) &&
                    readBitmapColours(*bitmap, scene->colours);
    Level& level = *scene->level;
    level.width = kMaxMapSide;
    level.height = kMaxMapSide;
    for (int c = 1; c <= kMaxMapSide; ++c)
        for (int r = 1; r <= kMaxMapSide; ++r) {
            setTileCell(level, c, r, (c * 7 + r * 13) % 858);
            int32_t object = 0;
            if (crowded) {
                object = 257;
            } else if ((c + 3 * r) % 16 == 0) {
                object = (c + r) % 3 == 0 ? 256 * (c % 100 + 1) + r % 256 : 1 + (c * r) % 19;
            }
            setObjectCell(level, c, r, object);
        }
    return scene;
}

void drawPicture(benchmark::State& state, bool crowded) {
    const auto scene = makeScene(crowded);
    if (!scene->loaded) state.SkipWithError("no Resources/DD2TILES.bmp beside the benchmark");
    for (auto _ : state) {
        const LevelPicture picture =
            drawLevelPicture(*scene->level, *scene->profile, *scene->sheet, PictureLayers{});
        benchmark::DoNotOptimize(picture.pixels.data());
    }
}

void drawAndWrite(benchmark::State& state, bool crowded) {
    const auto scene = makeScene(crowded);
    if (!scene->loaded) state.SkipWithError("no Resources/DD2TILES.bmp beside the benchmark");
    const std::string out = (std::filesystem::temp_directory_path() /
                             ("tessaly-bench-" + std::to_string(::getpid()) + ".png"))
                                .string();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const LevelPicture picture =
            drawLevelPicture(*scene->level, *scene->profile, *scene->sheet, PictureLayers{});
        const std::vector<uint8_t> png =
            encodePalettePng(picture.width, picture.height, picture.pixels, scene->colours);
        if (png.empty() || !writeFileSafely(out, png)) state.SkipWithError("cannot write");
        bytes = png.size();
        state.PauseTiming();
        std::filesystem::remove(out); // every round writes a new file, as a first render does
        state.ResumeTiming();
    }
    state.counters["png_bytes"] = double(bytes);
}

void BM_LevelPicture256Varied(benchmark::State& state) {
    drawPicture(state, false);
}
void BM_LevelPicture256Crowded(benchmark::State& state) {
    drawPicture(state, true);
}
void BM_LevelPicturePng256Varied(benchmark::State& state) {
    drawAndWrite(state, false);
}
void BM_LevelPicturePng256Crowded(benchmark::State& state) {
    drawAndWrite(state, true);
}

} // namespace

BENCHMARK(BM_LevelPicture256Varied)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LevelPicture256Crowded)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LevelPicturePng256Varied)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LevelPicturePng256Crowded)->Unit(benchmark::kMillisecond);
