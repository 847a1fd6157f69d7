// How the 800 x 600 page is laid into a window of any size, and back.
//
// The page keeps its aspect. When the window holds it at least once it is
// shown at the largest whole multiple that fits (1x, 2x, ...), so every page
// pixel becomes an equal square; only a window smaller than the page shrinks
// it, to the largest size of the same aspect that fits. Either way it is
// centred and the rest of the window (the letterbox) is black.
//
// Both directions use the same rule: window pixel `ox` of the picture shows
// page column floor((ox - x) * 800 / w), and likewise for rows, so the pointer
// over a shown pixel reads exactly that pixel.
#pragma once

#include <array>
#include <cstdint>

#include "platform/surface.h"

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

// The window pixels that show page pixels of `pageRect` (inclusive both);
// empty when the rectangle is empty or none of its pixels is shown.
PixelRect pageRectInWindow(const PageFit& fit, PixelRect pageRect);

// A window picture in memory: 32-bit pixels, `pitch` pixels per row.
struct PixelTarget {
    uint32_t* pixels = nullptr;
    int width = 0, height = 0, pitch = 0;
};

// Draws the page pixels of `pageRect` into `target` through `colours` (one
// target pixel value per palette index) and returns the window rectangle it
// wrote (pageRectInWindow, cut to the target).
PixelRect drawPagePicture(const uint8_t* page, const std::array<uint32_t, 256>& colours,
                          const PageFit& fit, PixelRect pageRect, const PixelTarget& target);

} // namespace tessaly
