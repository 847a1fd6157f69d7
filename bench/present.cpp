// Showing the page in the real window: the palette lookup and scaling alone,
// and whole presents through SDL's shared-memory framebuffer (these need a
// display; run under Xvfb: scripts or `xvfb-run bench_present`).
#ifdef TESSALY_WINDOW_HOST

#include <benchmark/benchmark.h>

#include <vector>

#include "core/surface.h"
#include "hosts/page_picture.h"
#include "hosts/sdl/sdl_host.h"

namespace tessaly {
namespace {

void fillPage(Surface& s) {
    for (int y = 0; y < kSurfaceHeight; ++y) {
        for (int x = 0; x < kSurfaceWidth; ++x) s.page(0)[y * kSurfaceWidth + x] = uint8_t(x ^ y);
    }
}

// The picture of a whole page in a window of W x H: 1x, 2x, and the sizes
// that scale smoothly (1366 x 768, 1920 x 1080, 2560 x 1440).
void BM_DrawPagePicture(benchmark::State& state) {
    const int w = int(state.range(0)), h = int(state.range(1));
    std::vector<uint8_t> page(kPageBytes);
    for (std::size_t i = 0; i < page.size(); ++i) page[i] = uint8_t(i * 7);
    std::array<uint32_t, 256> colours{};
    for (int i = 0; i < 256; ++i) colours[std::size_t(i)] = uint32_t(i) * 0x010101u;
    std::vector<uint32_t> pixels(std::size_t(w) * std::size_t(h));
    const PixelTarget target{pixels.data(), w, h, w};
    const PageScale scale = pageScale(fitPage(w, h));
    for (auto _ : state) {
        drawPagePicture(page.data(), colours, scale, {0, 0, 799, 599}, target);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_DrawPagePicture)
    ->Args({800, 600})
    ->Args({1600, 1200})
    ->Args({1366, 768})
    ->Args({1920, 1080})
    ->Args({2560, 1440})
    ->Unit(benchmark::kMicrosecond);

// One present to a 1920 x 1080 window (the page shown at 1440 x 1080) after
// `changed` of the page changed: the whole page, one 16 x 16 map cell, or
// nothing (the skipped present of an idle pass).
void present(benchmark::State& state, PixelRect changed) {
    SdlHost host;
    Surface surface;
    host.openWindow(surface);
    if (!host.hasWindow()) {
        state.SkipWithError("no display");
        return;
    }
    host.setWindowSize(1920, 1080);
    openSurface(surface);
    fillPage(surface);
    host.pumpEvents();
    host.present();
    for (auto _ : state) {
        surface.changed = changed;
        host.present();
    }
}

void BM_PresentWholePage(benchmark::State& state) {
    present(state, {0, 0, 799, 599});
}
void BM_PresentOneCell(benchmark::State& state) {
    present(state, {26, 26, 41, 41});
}
void BM_PresentUnchanged(benchmark::State& state) {
    present(state, PixelRect{});
}
BENCHMARK(BM_PresentWholePage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentOneCell)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentUnchanged)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tessaly

#endif
