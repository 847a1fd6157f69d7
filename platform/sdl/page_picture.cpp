#include "platform/sdl/page_picture.h"

#include <algorithm>
#include <cstring>

namespace tessaly {

namespace {

int64_t ceilDiv(int64_t a, int64_t b) {
    return (a + b - 1) / b;
}

// The window pixels [first, last] that show page pixels [p0, p1] of one axis
// with `size` page pixels laid onto `shown` window pixels from `origin`.
void spanInWindow(int p0, int p1, int size, int origin, int shown, int& first, int& last) {
    first = origin + int(ceilDiv(int64_t(p0) * shown, size));
    last = origin + int(ceilDiv(int64_t(p1 + 1) * shown, size)) - 1;
}

} // namespace

PageFit fitPage(int windowWidth, int windowHeight) {
    if (windowWidth <= 0 || windowHeight <= 0) return {};
    const int scale = std::min(windowWidth / kSurfaceWidth, windowHeight / kSurfaceHeight);
    int w = kSurfaceWidth * scale, h = kSurfaceHeight * scale;
    if (scale == 0) {
        if (int64_t(windowWidth) * kSurfaceHeight <= int64_t(windowHeight) * kSurfaceWidth) {
            w = windowWidth;
            h = std::max(1, int(int64_t(windowWidth) * kSurfaceHeight / kSurfaceWidth));
        } else {
            h = windowHeight;
            w = std::max(1, int(int64_t(windowHeight) * kSurfaceWidth / kSurfaceHeight));
        }
    }
    return {(windowWidth - w) / 2, (windowHeight - h) / 2, w, h};
}

PagePoint windowToPage(const PageFit& fit, int wx, int wy) {
    if (fit.w <= 0 || fit.h <= 0) return {};
    const int64_t dx = int64_t(wx) - fit.x, dy = int64_t(wy) - fit.y;
    if (dx < 0 || dy < 0 || dx >= fit.w || dy >= fit.h) return {};
    return {int(dx * kSurfaceWidth / fit.w), int(dy * kSurfaceHeight / fit.h)};
}

PixelRect pageRectInWindow(const PageFit& fit, PixelRect r) {
    if (fit.w <= 0 || fit.h <= 0 || r.empty()) return {};
    r.x0 = std::max(r.x0, 0);
    r.y0 = std::max(r.y0, 0);
    r.x1 = std::min(r.x1, kSurfaceWidth - 1);
    r.y1 = std::min(r.y1, kSurfaceHeight - 1);
    if (r.empty()) return {};
    PixelRect out;
    spanInWindow(r.x0, r.x1, kSurfaceWidth, fit.x, fit.w, out.x0, out.x1);
    spanInWindow(r.y0, r.y1, kSurfaceHeight, fit.y, fit.h, out.y0, out.y1);
    return out.empty() ? PixelRect{} : out;
}

PixelRect drawPagePicture(const uint8_t* page, const std::array<uint32_t, 256>& colours,
                          const PageFit& fit, PixelRect pageRect, const PixelTarget& target) {
    PixelRect out = pageRectInWindow(fit, pageRect);
    if (out.empty() || !target.pixels) return {};
    out.x0 = std::max(out.x0, 0);
    out.y0 = std::max(out.y0, 0);
    out.x1 = std::min(out.x1, target.width - 1);
    out.y1 = std::min(out.y1, target.height - 1);
    if (out.empty()) return {};

    const int width = out.x1 - out.x0 + 1;
    // The first page column of the span and how far into it the span starts,
    // in 1/w steps; each window pixel then moves 800/w page columns on.
    const int64_t start = int64_t(out.x0 - fit.x) * kSurfaceWidth;
    const int firstColumn = int(start / fit.w);
    const int firstRemainder = int(start % fit.w);

    const uint32_t* previous = nullptr;
    int previousRow = -1;
    for (int oy = out.y0; oy <= out.y1; ++oy) {
        uint32_t* dst = target.pixels + std::size_t(oy) * std::size_t(target.pitch) + out.x0;
        const int row = int(int64_t(oy - fit.y) * kSurfaceHeight / fit.h);
        if (row == previousRow) {
            std::memcpy(dst, previous, std::size_t(width) * sizeof(uint32_t));
        } else if (fit.w == kSurfaceWidth) {
            const uint8_t* src = page + std::size_t(row) * kSurfaceWidth + firstColumn;
            for (int i = 0; i < width; ++i) dst[i] = colours[src[i]];
        } else {
            const uint8_t* src = page + std::size_t(row) * kSurfaceWidth;
            int column = firstColumn, remainder = firstRemainder;
            for (int i = 0; i < width; ++i) {
                dst[i] = colours[src[column]];
                remainder += kSurfaceWidth;
                while (remainder >= fit.w) {
                    remainder -= fit.w;
                    ++column;
                }
            }
        }
        previous = dst;
        previousRow = row;
    }
    return out;
}

} // namespace tessaly
