// Level file read and write at the largest size, 256 x 256: decoding from
// memory, encoding, and whole saves and loads through the file system. "Noisy"
// levels have no two equal neighbours, so a compressed file holds no runs;
// "runny" levels are long stretches of one tile, as real maps are.
#include "level/level_file.h"
#include "system/files.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>

#include <stdlib.h>
#include <unistd.h>

namespace {

using namespace tessaly;

std::unique_ptr<Level> makeLevel(bool runny) {
    auto level = std::make_unique<Level>();
    level->width = kMaxMapSide;
    level->height = kMaxMapSide;
    level->keptHeader[4] = 0; // 256 = 00 01
    level->keptHeader[5] = 1;
    level->keptHeader[6] = 0;
    level->keptHeader[7] = 1;
    std::mt19937 random(7);
    for (int row = 1; row <= kMaxMapSide; ++row) {
        for (int column = 1; column <= kMaxMapSide; ++column) {
            const int32_t tile = runny ? (row % 8 == 0 && column % 40 < 12 ? 131 : 0)
                                       : static_cast<int32_t>((column + row * 3) % 600 + 1);
            level->tilePlane[column][row] = tile;
            level->objectPlane[column][row] = runny ? (random() % 200 == 0 ? 1 : 0) : tile;
        }
    }
    return level;
}

class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tessaly-bench-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string(".");
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string file(const char* name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

void BM_ReadFromBytes(benchmark::State& state, bool runny, bool compressed) {
    const auto source = makeLevel(runny);
    const std::vector<uint8_t> bytes =
        compressed ? encodeLevelWithRuns(*source) : encodeLevel(*source);
    auto level = std::make_unique<Level>();
    for (auto _ : state) {
        benchmark::DoNotOptimize(readLevelFromBytes(*level, bytes));
        benchmark::ClobberMemory();
    }
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK_CAPTURE(BM_ReadFromBytes, noisy_uncompressed, false, false);
BENCHMARK_CAPTURE(BM_ReadFromBytes, runny_uncompressed, true, false);
BENCHMARK_CAPTURE(BM_ReadFromBytes, runny_with_runs, true, true);

void BM_Encode(benchmark::State& state, bool runny, bool withRuns) {
    const auto level = makeLevel(runny);
    for (auto _ : state) {
        std::vector<uint8_t> bytes = withRuns ? encodeLevelWithRuns(*level) : encodeLevel(*level);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK_CAPTURE(BM_Encode, noisy_uncompressed, false, false);
BENCHMARK_CAPTURE(BM_Encode, runny_uncompressed, true, false);
BENCHMARK_CAPTURE(BM_Encode, runny_with_runs, true, true);

// A save whose bytes differ from the file's: compare, temporary file, flush
// to disk, rename.
void BM_WriteLevelChanged(benchmark::State& state) {
    ScratchFolder folder;
    const std::string path = folder.file("level.dd2");
    auto level = makeLevel(true);
    int32_t tile = 0;
    for (auto _ : state) {
        level->tilePlane[1][1] = ++tile % 600;
        benchmark::DoNotOptimize(writeLevel(*level, path));
    }
}
BENCHMARK(BM_WriteLevelChanged)->Unit(benchmark::kMicrosecond);

// A held F5: the file already holds these bytes, so nothing is written.
void BM_WriteLevelUnchanged(benchmark::State& state) {
    ScratchFolder folder;
    const std::string path = folder.file("level.dd2");
    const auto level = makeLevel(true);
    writeLevel(*level, path);
    for (auto _ : state) benchmark::DoNotOptimize(writeLevel(*level, path));
}
BENCHMARK(BM_WriteLevelUnchanged)->Unit(benchmark::kMicrosecond);

void BM_ReadLevelFile(benchmark::State& state, bool compressed) {
    ScratchFolder folder;
    const std::string path = folder.file("level.dd2");
    const auto source = makeLevel(true);
    writeFileSafely(path, compressed ? encodeLevelWithRuns(*source) : encodeLevel(*source));
    auto level = std::make_unique<Level>();
    for (auto _ : state) benchmark::DoNotOptimize(readLevel(*level, path));
}
BENCHMARK_CAPTURE(BM_ReadLevelFile, uncompressed, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ReadLevelFile, with_runs, true)->Unit(benchmark::kMicrosecond);

} // namespace
