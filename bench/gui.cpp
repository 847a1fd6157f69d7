// The drawing that runs on every editing step: the map view's 400 tile puts,
// the status panel's seven lines of text at scale 2, and a full-screen panel.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/surface.h"
#include "gui/text.h"

namespace {

using namespace tessaly;

// Sixteen different 16 x 16 tiles back to back, as the tile sheet keeps them.
std::vector<uint8_t> tileStore() {
    std::vector<uint8_t> store(16 * imageBytes(16, 16));
    for (int t = 0; t < 16; ++t) {
        const std::size_t at = std::size_t(t) * imageBytes(16, 16);
        writeImageHeader(store, at, 16, 16);
        for (std::size_t i = 0; i < 256; ++i)
            store[at + kImageHeaderBytes + i] = uint8_t((i * 7 + std::size_t(t) * 13) % 5 ? t : 0);
    }
    return store;
}

void putTiles(benchmark::State& state, PutMode mode) {
    Surface surface;
    const std::vector<uint8_t> store = tileStore();
    for (auto _ : state) {
        for (int row = 0; row < 20; ++row)
            for (int col = 0; col < 20; ++col)
                putImage(surface, 448 + col * 17 - 6, 60 + row * 17 - 6, store,
                         std::size_t((row * 20 + col) % 16) * imageBytes(16, 16), mode);
        benchmark::DoNotOptimize(surface.pages.data());
    }
    state.SetItemsProcessed(state.iterations() * 400);
}

void BM_Put400TilesOpaque(benchmark::State& state) {
    putTiles(state, PutMode::Opaque);
}
void BM_Put400TilesTransparent(benchmark::State& state) {
    putTiles(state, PutMode::Transparent);
}

void BM_StatusLinesScale2(benchmark::State& state) {
    Surface surface;
    TextState text;
    SetTextScale(text, 2);
    SetTextColours(text, 76, 77, 78, 79, 80);
    const std::string lines[7] = {
        "---------Stats----------------",
        "Map H,V - 120x40 Tile - 33",
        "EZoneX - 1 EZoneY - 1",
        "Curent Edit H,V - 7 12",
        "Curent Select DOOR cardinate H,V 40 5",
        "Door exit - 3 7",
        "Copy H,V 0x0 --- 7x5 8x9",
    };
    for (auto _ : state) {
        for (int i = 0; i < 7; ++i) DrawText(surface, text, 14 + 10 * i, 400 + 18 * i, lines[i]);
        benchmark::DoNotOptimize(surface.pages.data());
    }
}

void BM_StatusPanelWithLines(benchmark::State& state) {
    Surface surface;
    TextState text;
    SetTextScale(text, 2);
    for (auto _ : state) {
        DrawPanel(surface, text, 2, 390, 150, 430, ColourScheme{76, 77, 78, 79, 80}, " ");
        DrawText(surface, text, 54, 472, "Curent Select DOOR cardinate H,V 40 5");
        benchmark::DoNotOptimize(surface.pages.data());
    }
}

void BM_FullScreenPanel(benchmark::State& state) {
    Surface surface;
    TextState text;
    SetTextScale(text, 2);
    for (auto _ : state) {
        DrawPanel(surface, text, 0, 0, 599, 799, ColourScheme{30, 25, 23, 19, 17}, " ");
        benchmark::DoNotOptimize(surface.pages.data());
    }
}

} // namespace

BENCHMARK(BM_Put400TilesOpaque);
BENCHMARK(BM_Put400TilesTransparent);
BENCHMARK(BM_StatusLinesScale2);
BENCHMARK(BM_StatusPanelWithLines);
BENCHMARK(BM_FullScreenPanel);
