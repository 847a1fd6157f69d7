// The undo history: undo and redo of a paste of a whole 256 x 256 block (one
// step of 65,536 cell changes) through the editor's own paste and undo keys'
// functions, and the memory that 100,000 one-cell steps take.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>

#include "edit/operations.h"
#include "level/edit_history.h"
#include "views/editor.h"
#include "views/map_view.h"

namespace {

using namespace tessaly;

struct Pasted {
    Surface surface;
    TextState text;
    std::unique_ptr<Editor> editor = std::make_unique<Editor>(surface, text);

    // A 256 x 256 level whose whole map is copied, then cleared, then the
    // copy pasted back at (1, 1), so every one of the 65,536 cells changes.
    Pasted() {
        Level& level = editor->level;
        level.width = kMaxMapSide;
        level.height = kMaxMapSide;
        for (int c = 1; c <= kMaxMapSide; ++c)
            for (int r = 1; r <= kMaxMapSide; ++r) setTileCell(level, c, r, (c * 7 + r * 13) % 600);
        editor->edit.copyStart = {1, 1};
        editor->edit.copyEnd = {kMaxMapSide, kMaxMapSide};
        copyBlock(*editor);
        for (int c = 1; c <= kMaxMapSide; ++c)
            for (int r = 1; r <= kMaxMapSide; ++r) setTileCell(level, c, r, 999);
        pasteBlock(*editor, Cell{1, 1});
        closeStep(editor->history);
    }
};

void BM_UndoWholeBlockPaste(benchmark::State& state) {
    Pasted p;
    Editor& e = *p.editor;
    state.counters["changes"] = double(e.history.changes.size());
    for (auto _ : state) {
        undoStep(e.history, e.level);
        state.PauseTiming();
        redoStep(e.history, e.level);
        state.ResumeTiming();
    }
}

void BM_RedoWholeBlockPaste(benchmark::State& state) {
    Pasted p;
    Editor& e = *p.editor;
    for (auto _ : state) {
        state.PauseTiming();
        undoStep(e.history, e.level);
        state.ResumeTiming();
        redoStep(e.history, e.level);
    }
}

// Bytes per one-cell step: as the history counts them against its limit,
// and as the heap grew for them (the deques' blocks included).
void BM_MemoryOfOneCellSteps(benchmark::State& state) {
    constexpr int kSteps = 100000;
    for (auto _ : state) {
        auto level = std::make_unique<Level>();
        auto history = std::make_unique<EditHistory>();
        const std::size_t heapBefore = mallinfo2().uordblks;
        for (int i = 0; i < kSteps; ++i) {
            recordChange(*history, PlaneKind::Tile, 1 + i % 256, 1 + i / 256 % 256, 0, i + 1);
            closeStep(*history);
        }
        const std::size_t heapAfter = mallinfo2().uordblks;
        state.counters["counted_bytes_per_step"] = double(historyBytes(*history)) / kSteps;
        state.counters["heap_bytes_per_step"] = double(heapAfter - heapBefore) / kSteps;
    }
}

BENCHMARK(BM_UndoWholeBlockPaste)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedoWholeBlockPaste)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemoryOfOneCellSteps)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
