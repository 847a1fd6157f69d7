// The editing tools on the largest level: a flood fill of a whole 256 x 256
// level of one tile (65,536 cells, one undo step), and the whole-level
// overview of a varied 256 x 256 level with objects and door links, and a
// resize of a full 256 x 256 Dave 2 level with door links about its centre
// (every cell moves, every link is rewritten, one undo step).
#include <benchmark/benchmark.h>

#include <memory>

#include "edit/fills.h"
#include "edit/resize.h"
#include "level/door_link.h"
#include "level/profile.h"
#include "views/editor.h"
#include "views/overview.h"

namespace {

using namespace tessaly;

void BM_FloodFillWholeLevel(benchmark::State& state) {
    auto session = std::make_unique<EditSession>();
    selectGame(session->profile, "CK1");
    session->level.width = kMaxMapSide;
    session->level.height = kMaxMapSide;
    int32_t tile = 1;
    for (auto _ : state) {
        session->edit.currentTile = tile;
        tile = 3 - tile; // 1, 2, 1, ...: every fill changes every cell
        floodFill(*session, {128, 128});
        closeStep(session->history);
        state.PauseTiming();
        clearHistory(session->history);
        state.ResumeTiming();
    }
}

void BM_OverviewOfAWholeLevel(benchmark::State& state) {
    Surface surface;
    TextState text;
    auto editor = std::make_unique<Editor>(surface, text);
    selectGame(editor->profile, "DD2");
    Level& level = editor->level;
    level.width = kMaxMapSide;
    level.height = kMaxMapSide;
    for (int c = 1; c <= kMaxMapSide; ++c)
        for (int r = 1; r <= kMaxMapSide; ++r) {
            setTileCell(level, c, r, (c * 7 + r * 13) % 858);
            setObjectCell(level, c, r, (c + r) % 5 == 0 ? 1 : (c * r) % 11 == 0 ? 300 : 0);
        }
    for (auto _ : state) {
        drawOverview(*editor);
        benchmark::DoNotOptimize(surface.pages.data());
    }
}

void BM_ResizeWholeLevel(benchmark::State& state) {
    auto session = std::make_unique<EditSession>();
    selectGame(session->profile, "DD2");
    Level& level = session->level;
    level.width = kMaxMapSide;
    level.height = kMaxMapSide;
    for (int c = 1; c <= kMaxMapSide; ++c)
        for (int r = 1; r <= kMaxMapSide; ++r) {
            setTileCell(level, c, r, 1 + (c * 7 + r * 13) % 150);
            if ((c + r) % 9 == 0)
                setObjectCell(
                    level, c, r,
                    encodeDoorLink({c % 200 + 2, r % 200 + 2}, LinkCounting::FromZero).value_or(0));
        }
    int side = kMaxMapSide - 2;
    for (auto _ : state) {
        resizeLevel(*session, side, side, Anchor::C);
        closeStep(session->history);
        side = side == kMaxMapSide ? kMaxMapSide - 2 : kMaxMapSide; // shrink, grow, ...
        state.PauseTiming();
        clearHistory(session->history);
        state.ResumeTiming();
    }
}

BENCHMARK(BM_FloodFillWholeLevel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OverviewOfAWholeLevel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResizeWholeLevel)->Unit(benchmark::kMillisecond);

} // namespace
