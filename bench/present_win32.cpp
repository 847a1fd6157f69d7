// Showing the page in the Windows host's window, under Wine and Xvfb
// (bench/window-bench.sh --windows): one present of the whole page, of one
// map cell, and of nothing, at 800 x 600 (the system stretches the 8-bit
// page) and in a window of 1920 x 1080 (the shared sharp scaling mixes the
// picture). Debian has no Google Benchmark for the cross compiler, so this
// program times the presents itself: many in a row, the mean printed.
#include <chrono>
#include <cstdio>
#include <utility>

#include "core/surface.h"
#include "hosts/win32/win32_host.h"

namespace {

using namespace tessaly;
using Clock = std::chrono::steady_clock;

void fillPage(Surface& s) {
    for (int y = 0; y < kSurfaceHeight; ++y) {
        for (int x = 0; x < kSurfaceWidth; ++x) s.page(0)[y * kSurfaceWidth + x] = uint8_t(x ^ y);
    }
}

// The mean time of one present after `changed` of the page changed.
double microsecondsPerPresent(Win32Host& host, Surface& surface, PixelRect changed, int count) {
    host.pumpEvents();
    host.present();
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        surface.changed = changed;
        host.present();
    }
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / count;
}

} // namespace

int main() {
    Win32Host host;
    Surface surface;
    host.openWindow(surface);
    if (!host.hasWindow()) {
        std::fprintf(stderr, "no window\n");
        return 1;
    }
    openSurface(surface);
    fillPage(surface);
    for (const auto& [width, height] : {std::pair{800, 600}, std::pair{1920, 1080}}) {
        host.setWindowSize(width, height);
        std::printf("%dx%d: whole page %.0f us, one cell %.1f us, nothing changed %.2f us\n", width,
                    height, microsecondsPerPresent(host, surface, {0, 0, 799, 599}, 200),
                    microsecondsPerPresent(host, surface, {26, 26, 41, 41}, 2000),
                    microsecondsPerPresent(host, surface, PixelRect{}, 20000));
    }
    return 0;
}
