// How the 800 x 600 page is laid into a window of any size, and back.
//
// The page keeps its 4:3 shape and fills as much of the window as that
// allows, centred; the rest of the window (the letterbox) is black. Scaling
// is sharp: the page is enlarged by the smallest whole factor k that covers
// the shown size (every page pixel a k x k square, no smoothing), and that
// picture is scaled down smoothly to the shown size, as a texture with
// linear filtering would be: window pixel `ox` samples the enlarged picture
// at its centre, (ox - x + 0.5) * 800 k / w - 0.5 enlarged pixels, mixing
// the two enlarged pixels beside that point by its distance to them. So
// pixels stay crisp and even; only where two page pixels meet may a window
// pixel mix them. At a whole multiple of the page (800 x 600, 1600 x 1200)
// every window pixel is exactly one page pixel.
//
// The pointer maps back by the centre of the window pixel under it: window
// pixel `ox` reads page column floor((ox - x + 0.5) * 800 / w), the page
// pixel that the pixel shows, or shows the most of.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/surface.h"

namespace tessaly {

// The rectangle of the window that shows the page; w or h is 0 when the
// window has no area.
struct PageFit {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const PageFit&) const = default;
};

struct PagePoint {
    int x = -1, y = -1; // -1, -1 outside the page
    bool operator==(const PagePoint&) const = default;
};

PageFit fitPage(int windowWidth, int windowHeight);

// The page pixel under window point (wx, wy); -1, -1 in the letterbox or
// outside the window, which lies outside every area of the program.
PagePoint windowToPage(const PageFit& fit, int wx, int wy);

// What one window row or column of the picture shows: page pixel `first`,
// mixed with page pixel first + 1 by weight / 256 (0: `first` alone).
struct PageSample {
    int16_t first = 0;
    uint16_t weight = 0;
};

// The sampling of a fit, worked out once per window size.
struct PageScale {
    PageFit fit;
    int factor = 1;                  // k, the whole enlargement before the smooth step
    std::vector<PageSample> columns; // one per window column of the fit
    std::vector<PageSample> rows;    // one per window row of the fit
};

PageScale pageScale(const PageFit& fit);

// The window pixels whose colour depends on page pixels of `pageRect`
// (inclusive both); empty when the rectangle is empty or none is shown.
PixelRect pageRectInWindow(const PageScale& scale, PixelRect pageRect);

// A window picture in memory: 32-bit pixels, `pitch` pixels per row.
struct PixelTarget {
    uint32_t* pixels = nullptr;
    int width = 0, height = 0, pitch = 0;
};

// Draws the window pixels showing page pixels of `pageRect` into `target`
// through `colours` (one target pixel value per palette index; mixing treats
// each of its four bytes alike) and returns the window rectangle it wrote
// (pageRectInWindow, cut to the target).
PixelRect drawPagePicture(const uint8_t* page, const std::array<uint32_t, 256>& colours,
                          const PageScale& scale, PixelRect pageRect, const PixelTarget& target);

} // namespace tessaly
