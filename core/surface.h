// The drawing surface: three 800 x 600 pages of palette indexes and one
// 256-entry palette, all in memory. Hosts show the visible page; everything
// else draws on the work page through the functions below.
//
// Page pipeline. Every drawing function writes the work page only, clipped to
// 0..799 x 0..599. When the work page is also the visible page, the function
// widens `changed`, the bounding rectangle of pixels touched on the visible
// page since the host last showed it; `paletteChanged` says the same of the
// palette, and selecting a new visible page marks the whole page changed. A
// host reads these two, shows what changed and clears them with
// `markPresented`, so an idle editor costs nothing to show.
//
// Image buffers. An image of w x h pixels takes imageBytes(w, h) = 32 + h * p
// bytes, p being w rounded up to a multiple of 16: a 32-byte header (width and
// height as little-endian 32-bit words at offsets 0 and 4, the rest zero), then
// h rows of p bytes, top row first. Callers keep many images back to back in
// one byte store and name each by its offset; every function that reads or
// writes an image checks it against the store's bounds and does nothing when
// the image does not fit.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tessaly {

constexpr int kSurfaceWidth = 800;
constexpr int kSurfaceHeight = 600;
constexpr int kPageCount = 3;
constexpr std::size_t kPageBytes = std::size_t(kSurfaceWidth) * kSurfaceHeight;
constexpr std::size_t kImageHeaderBytes = 32;

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// Inclusive pixel rectangle; empty when x0 > x1.
struct PixelRect {
    int x0 = 1, y0 = 1, x1 = 0, y1 = 0;
    bool empty() const { return x0 > x1 || y0 > y1; }
    bool operator==(const PixelRect&) const = default;
};

enum class PutMode { Opaque, Transparent, Xor };

struct Surface {
    Surface();

    std::vector<uint8_t> pages; // kPageCount pages of kPageBytes, row by row
    int workPage = 0;
    int visiblePage = 0;
    bool isOpen = false;
    // Palette components as a VGA register holds them: 0..63.
    std::array<std::array<uint8_t, 3>, 256> palette{};

    PixelRect changed;           // visible-page pixels changed since the last present
    bool paletteChanged = false; // palette changed since the last present

    uint8_t* page(int n) { return pages.data() + std::size_t(n) * kPageBytes; }
    const uint8_t* page(int n) const { return pages.data() + std::size_t(n) * kPageBytes; }
};

// Surface and palette.
void openSurface(Surface& s); // marks it open; pages and palette keep their values
void selectPages(Surface& s, int work, int visible); // page numbers outside 0..2 are ignored
void setPaletteEntry(Surface& s, int index, int red, int green, int blue); // no effect unless open
Rgb shownColour(const Surface& s, int index); // floor(held * 255 / 63) per component
void markPresented(Surface& s);               // clears `changed` and `paletteChanged`

// Drawing on the work page.
void setPixel(Surface& s, int x, int y, int colour);
uint8_t pixelAt(const Surface& s, int page, int x, int y);            // 0 outside the surface
void drawBox(Surface& s, int x1, int y1, int x2, int y2, int colour); // outline, corners any order
void fillBox(Surface& s, int x1, int y1, int x2, int y2, int colour); // filled, corners any order

// Image buffers.
constexpr std::size_t imagePitch(int width) {
    return (std::size_t(width) + 15) / 16 * 16;
}
constexpr std::size_t imageBytes(int width, int height) {
    return kImageHeaderBytes + std::size_t(height) * imagePitch(width);
}
int imageWidth(std::span<const uint8_t> store, std::size_t offset);  // 0 when out of bounds
int imageHeight(std::span<const uint8_t> store, std::size_t offset); // 0 when out of bounds
// Writes the header of a w x h image at `offset`; false (nothing written) when it does not fit.
bool writeImageHeader(std::span<uint8_t> store, std::size_t offset, int width, int height);

// Copies the rectangle with corners (x1, y1), (x2, y2), both included, of the
// work page into an image at `offset`. Pixels outside the surface read as 0.
// Returns false and writes nothing when the image would not fit the store.
bool captureImage(const Surface& s, int x1, int y1, int x2, int y2, std::span<uint8_t> store,
                  std::size_t offset);
// Draws the image at `offset` with its top-left pixel at (x, y).
void putImage(Surface& s, int x, int y, std::span<const uint8_t> store, std::size_t offset,
              PutMode mode);

} // namespace tessaly
