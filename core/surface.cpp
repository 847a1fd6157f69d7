#include "core/surface.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/bytes.h"

namespace tessaly {

namespace {

// The drawing functions clip every rectangle once, against the surface, and
// then work row by row on the work page; none of them tests pixels one by one.
struct Clip {
    int x0, y0, x1, y1;
};

// Orders the corners and cuts the rectangle to the surface. False when
// nothing of it lies on the surface. 64-bit arithmetic keeps far-away
// coordinates from overflowing.
bool clipRect(int64_t ax, int64_t ay, int64_t bx, int64_t by, Clip& out) {
    int64_t x0 = std::min(ax, bx), x1 = std::max(ax, bx);
    int64_t y0 = std::min(ay, by), y1 = std::max(ay, by);
    x0 = std::max<int64_t>(x0, 0);
    y0 = std::max<int64_t>(y0, 0);
    x1 = std::min<int64_t>(x1, kSurfaceWidth - 1);
    y1 = std::min<int64_t>(y1, kSurfaceHeight - 1);
    if (x0 > x1 || y0 > y1) return false;
    out = {int(x0), int(y0), int(x1), int(y1)};
    return true;
}

// Widens the visible page's changed rectangle when drawing lands on it.
void touch(Surface& s, const Clip& c) {
    if (s.workPage != s.visiblePage) return;
    PixelRect& r = s.changed;
    if (r.empty()) {
        r = {c.x0, c.y0, c.x1, c.y1};
        return;
    }
    r.x0 = std::min(r.x0, c.x0);
    r.y0 = std::min(r.y0, c.y0);
    r.x1 = std::max(r.x1, c.x1);
    r.y1 = std::max(r.y1, c.y1);
}

void markWholePage(Surface& s) {
    s.changed = {0, 0, kSurfaceWidth - 1, kSurfaceHeight - 1};
}

uint8_t* workRow(Surface& s, int y) {
    return s.page(s.workPage) + std::size_t(y) * kSurfaceWidth;
}

bool headerFits(std::size_t storeSize, std::size_t offset) {
    return offset <= storeSize && storeSize - offset >= kImageHeaderBytes;
}

// Whether a w x h image at `offset` lies wholly inside a store of `storeSize`
// bytes. Widths and heights up to 2^31 keep the product within 64 bits.
bool imageFits(std::size_t storeSize, std::size_t offset, int64_t w, int64_t h) {
    if (w < 0 || h < 0 || offset > storeSize) return false;
    uint64_t pitch = (uint64_t(w) + 15) / 16 * 16;
    uint64_t need = kImageHeaderBytes + uint64_t(h) * pitch;
    return need <= storeSize - offset;
}

} // namespace

Surface::Surface() : pages(std::size_t(kPageCount) * kPageBytes, 0) {}

void openSurface(Surface& s) {
    s.isOpen = true;
    markWholePage(s);
    s.paletteChanged = true;
}

void selectPages(Surface& s, int work, int visible) {
    if (work >= 0 && work < kPageCount) s.workPage = work;
    if (visible >= 0 && visible < kPageCount && visible != s.visiblePage) {
        s.visiblePage = visible;
        markWholePage(s);
    }
}

void setPaletteEntry(Surface& s, int index, int red, int green, int blue) {
    if (!s.isOpen || index < 0 || index > 255) return;
    // A component is held at 6 bits, as a VGA colour register holds it.
    // Safe: components outside 0..255 are clamped rather than wrapped.
    auto held = [](int v) { return uint8_t(std::clamp(v, 0, 255) / 4); };
    std::array<uint8_t, 3> entry{held(red), held(green), held(blue)};
    if (s.palette[std::size_t(index)] != entry) {
        s.palette[std::size_t(index)] = entry;
        s.paletteChanged = true;
    }
}

Rgb shownColour(const Surface& s, int index) {
    if (index < 0 || index > 255) return {};
    const auto& e = s.palette[std::size_t(index)];
    auto shown = [](uint8_t held) { return uint8_t(std::min<int>(held, 63) * 255 / 63); };
    return {shown(e[0]), shown(e[1]), shown(e[2])};
}

void markPresented(Surface& s) {
    s.changed = PixelRect{};
    s.paletteChanged = false;
}

void setPixel(Surface& s, int x, int y, int colour) {
    if (x < 0 || y < 0 || x >= kSurfaceWidth || y >= kSurfaceHeight) return;
    workRow(s, y)[x] = uint8_t(colour);
    touch(s, {x, y, x, y});
}

uint8_t pixelAt(const Surface& s, int page, int x, int y) {
    if (page < 0 || page >= kPageCount) return 0;
    if (x < 0 || y < 0 || x >= kSurfaceWidth || y >= kSurfaceHeight) return 0;
    return s.page(page)[std::size_t(y) * kSurfaceWidth + std::size_t(x)];
}

void fillBox(Surface& s, int x1, int y1, int x2, int y2, int colour) {
    Clip c;
    if (!clipRect(x1, y1, x2, y2, c)) return;
    const std::size_t n = std::size_t(c.x1 - c.x0 + 1);
    const uint8_t v = uint8_t(colour);
    for (int y = c.y0; y <= c.y1; ++y) std::memset(workRow(s, y) + c.x0, v, n);
    touch(s, c);
}

void drawBox(Surface& s, int x1, int y1, int x2, int y2, int colour) {
    fillBox(s, x1, y1, x2, y1, colour);
    fillBox(s, x1, y2, x2, y2, colour);
    fillBox(s, x1, y1, x1, y2, colour);
    fillBox(s, x2, y1, x2, y2, colour);
}

int imageWidth(std::span<const uint8_t> store, std::size_t offset) {
    if (!headerFits(store.size(), offset)) return 0;
    return int(readLe32(store.data() + offset));
}

int imageHeight(std::span<const uint8_t> store, std::size_t offset) {
    if (!headerFits(store.size(), offset)) return 0;
    return int(readLe32(store.data() + offset + 4));
}

bool writeImageHeader(std::span<uint8_t> store, std::size_t offset, int width, int height) {
    if (!imageFits(store.size(), offset, width, height)) return false;
    uint8_t* h = store.data() + offset;
    std::memset(h, 0, kImageHeaderBytes);
    writeLe32(h, uint32_t(width));
    writeLe32(h + 4, uint32_t(height));
    return true;
}

bool captureImage(const Surface& s, int x1, int y1, int x2, int y2, std::span<uint8_t> store,
                  std::size_t offset) {
    const int64_t left = std::min(x1, x2), top = std::min(y1, y2);
    const int64_t w = int64_t(std::max(x1, x2)) - left + 1;
    const int64_t h = int64_t(std::max(y1, y2)) - top + 1;
    if (w > INT32_MAX || h > INT32_MAX) return false;
    if (!writeImageHeader(store, offset, int(w), int(h))) return false;
    const std::size_t pitch = imagePitch(int(w));
    uint8_t* rows = store.data() + offset + kImageHeaderBytes;
    // Pixels off the surface, and the padding at the end of each row, read as 0.
    std::memset(rows, 0, std::size_t(h) * pitch);
    Clip c;
    if (!clipRect(left, top, left + w - 1, top + h - 1, c)) return true;
    const uint8_t* page = s.page(s.workPage);
    const std::size_t n = std::size_t(c.x1 - c.x0 + 1);
    for (int y = c.y0; y <= c.y1; ++y) {
        std::memcpy(rows + std::size_t(y - top) * pitch + std::size_t(c.x0 - left),
                    page + std::size_t(y) * kSurfaceWidth + std::size_t(c.x0), n);
    }
    return true;
}

void putImage(Surface& s, int x, int y, std::span<const uint8_t> store, std::size_t offset,
              PutMode mode) {
    const int w = imageWidth(store, offset), h = imageHeight(store, offset);
    if (w <= 0 || h <= 0 || !imageFits(store.size(), offset, w, h)) return;
    Clip c;
    if (!clipRect(x, y, int64_t(x) + w - 1, int64_t(y) + h - 1, c)) return;
    const std::size_t pitch = imagePitch(w);
    const uint8_t* src = store.data() + offset + kImageHeaderBytes + std::size_t(c.y0 - y) * pitch +
                         std::size_t(c.x0 - x);
    const int n = c.x1 - c.x0 + 1;
    for (int row = c.y0; row <= c.y1; ++row, src += pitch) {
        uint8_t* dst = workRow(s, row) + c.x0;
        switch (mode) {
        case PutMode::Opaque:
            std::memcpy(dst, src, std::size_t(n));
            break;
        case PutMode::Transparent:
            // A select rather than a branch, so the loop vectorises.
            for (int i = 0; i < n; ++i) dst[i] = src[i] != 0 ? src[i] : dst[i];
            break;
        case PutMode::Xor:
            for (int i = 0; i < n; ++i) dst[i] ^= src[i];
            break;
        }
    }
    touch(s, c);
}

} // namespace tessaly
