// The editor views on every editing step: the map view redraw with every cell
// holding a labelled object that is also a door link, the status panel, one
// paint with the status update that follows it, and one whole editor-loop
// pass that paints. Pauses go to a host whose clock is virtual, so they cost
// nothing here.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/editor_loop.h"
#include "app/program.h"
#include "edit/operations.h"
#include "level/profile.h"
#include "tests/support/test_host.h"
#include "views/editor.h"
#include "views/map_view.h"
#include "views/status_panel.h"

namespace {

using namespace tessaly;

// Tiles 0..896 with a pattern that leaves about a third of each image at
// colour 0, so transparent puts skip pixels as real object pictures do.
void fillTileSheet(TileSheet& sheet) {
    for (int n = 0; n <= 896; ++n) {
        const std::size_t at = kTileImageBytes * std::size_t(n);
        writeImageHeader(sheet.tileImages, at, 16, 16);
        for (std::size_t i = 0; i < 256; ++i)
            sheet.tileImages[at + kImageHeaderBytes + i] =
                (i + std::size_t(n)) % 3 ? uint8_t(1 + (i * 7 + std::size_t(n)) % 200) : 0;
        sheet.tileOffset[std::size_t(n)] = int32_t(at);
    }
}

// A Dangerous Dave 2 level of 256 x 256 varied tiles. With `crowded`, every
// cell holds 257, the catalogue's "EXIT LEVEL DOOR": picture, 15-character
// label, two boxes and the door link marker in each of the 400 view cells.
// The door exit and both copy corners lie in view too.
void setUpEditor(Editor& editor, bool crowded) {
    selectGame(editor.profile, "DD2");
    fillTileSheet(editor.tiles);
    Level& level = editor.level;
    level.width = kMaxMapSide;
    level.height = kMaxMapSide;
    for (int c = 1; c <= kMaxMapSide; ++c)
        for (int r = 1; r <= kMaxMapSide; ++r) {
            setTileCell(level, c, r, (c * 7 + r * 13) % 858);
            setObjectCell(level, c, r, crowded ? 257 : 0);
        }
    editor.edit.doorExit = {5, 6};
    editor.edit.copyStart = {3, 3};
    editor.edit.copyEnd = {8, 9};
    editor.edit.currentTile = 42;
}

struct Views {
    Surface surface;
    TextState text;
    std::unique_ptr<Editor> editor = std::make_unique<Editor>(surface, text);
};

void BM_RedrawMapViewCrowded(benchmark::State& state) {
    Views v;
    setUpEditor(*v.editor, true);
    for (auto _ : state) {
        redrawMapView(*v.editor);
        benchmark::DoNotOptimize(v.surface.pages.data());
    }
}

void BM_RedrawMapViewTilesOnly(benchmark::State& state) {
    Views v;
    setUpEditor(*v.editor, false);
    for (auto _ : state) {
        redrawMapView(*v.editor);
        benchmark::DoNotOptimize(v.surface.pages.data());
    }
}

void BM_DrawStatusPanel(benchmark::State& state) {
    Views v;
    setUpEditor(*v.editor, true);
    for (auto _ : state) {
        drawStatusPanel(*v.editor);
        benchmark::DoNotOptimize(v.surface.pages.data());
    }
}

// What the editor loop does for one painted cell, less the 10 ms pause:
// paintCell, then the status panel and map view redraw that end the step.
void BM_PaintCellWithStatusUpdate(benchmark::State& state) {
    Views v;
    setUpEditor(*v.editor, true);
    int i = 0;
    for (auto _ : state) {
        const int cell = i++ % 400;
        paintCell(*v.editor, {1 + cell % 20, 1 + cell / 20});
        drawStatusPanel(*v.editor);
        redrawMapView(*v.editor);
        benchmark::DoNotOptimize(v.surface.pages.data());
    }
}

// One editor-loop pass with the left button held over the map view: the key
// polls, the area tests, paintCell and the end of its step; both pauses are free.
void BM_EditorPassPainting(benchmark::State& state) {
    TestHost host;
    auto program = std::make_unique<Program>(host);
    setUpEditor(*program->editor, true);
    host.mouse = {34 + 16 * 7, 34 + 16 * 9, 0, 1};
    for (auto _ : state) {
        benchmark::DoNotOptimize(editorPass(*program));
        benchmark::DoNotOptimize(program->surface.pages.data());
    }
}

BENCHMARK(BM_RedrawMapViewCrowded);
BENCHMARK(BM_RedrawMapViewTilesOnly);
BENCHMARK(BM_DrawStatusPanel);
BENCHMARK(BM_PaintCellWithStatusUpdate);
BENCHMARK(BM_EditorPassPainting);

} // namespace
