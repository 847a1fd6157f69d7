#include "gui/widgets.h"

#include <cstdint>

namespace tessaly {

namespace {

bool validSlot(int slot) {
    return slot >= 0 && slot < kWidgetSlots;
}

} // namespace

void RegisterWidget(WidgetTable& table, int slot, std::string_view name, int x, int y, int height,
                    int width, std::string_view caption) {
    if (!validSlot(slot)) return;
    WidgetSlot& w = table.slots[std::size_t(slot)];
    w.name = std::string(name);
    w.x = x;
    w.y = y;
    w.height = height;
    w.width = width;
    w.caption = std::string(caption);
}

void SetWidgetColours(WidgetTable& table, int slot, int c1, int c2, int c3, int c4, int c5) {
    if (!validSlot(slot)) return;
    table.slots[std::size_t(slot)].colours = {uint8_t(c1), uint8_t(c2), uint8_t(c3), uint8_t(c4),
                                              uint8_t(c5)};
}

// "Nor" draws the slot raised in its scheme; "Inv" pressed, with the scheme
// reversed so the bevels swap light and dark and the caption turns dark on
// light. Styles are compared exactly; anything else draws nothing.
void DrawWidget(const WidgetTable& table, Surface& surface, TextState& text, int slot,
                std::string_view style) {
    if (!validSlot(slot)) return;
    const WidgetSlot& w = table.slots[std::size_t(slot)];
    if (style == "Nor") {
        DrawPanel(surface, text, w.x, w.y, w.height, w.width, w.colours, w.caption);
    } else if (style == "Inv") {
        const ColourScheme& c = w.colours;
        DrawPanel(surface, text, w.x, w.y, w.height, w.width, {c[4], c[3], c[2], c[1], c[0]},
                  w.caption);
    }
}

// Kept: the hit test is strict on all four sides, so a button's edge pixels
// never hit although DrawWidget paints them; slot 0 is never found; where
// rectangles overlap the highest slot wins.
int WidgetAt(const WidgetTable& table, int px, int py) {
    int result = 0;
    for (int i = 1; i < kWidgetSlots; ++i) {
        const WidgetSlot& w = table.slots[std::size_t(i)];
        if (w.x < px && w.y < py && px < int64_t(w.x) + w.width && py < int64_t(w.y) + w.height)
            result = i;
    }
    return result;
}

} // namespace tessaly
