// The widget table: 256 numbered slots of rectangle, caption and colour
// scheme, drawn raised or pressed and hit-tested. Slot 0 is never hit.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/surface.h"
#include "gui/text.h"

namespace tessaly {

constexpr int kWidgetSlots = 256;

struct WidgetSlot {
    std::string name;
    int x = 0, y = 0, height = 0, width = 0;
    std::string caption;
    ColourScheme colours{};
};

struct WidgetTable {
    std::array<WidgetSlot, kWidgetSlots> slots;
};

// Slot numbers outside 0..255 are ignored (WidgetAt never returns them).
void RegisterWidget(WidgetTable& table, int slot, std::string_view name, int x, int y, int height,
                    int width, std::string_view caption);
void SetWidgetColours(WidgetTable& table, int slot, int c1, int c2, int c3, int c4, int c5);
// style "Nor" draws the slot raised, "Inv" pressed (scheme reversed); any other
// style draws nothing.
void DrawWidget(const WidgetTable& table, Surface& surface, TextState& text, int slot,
                std::string_view style);
// The highest slot 1..255 whose rectangle strictly contains the point, or 0.
int WidgetAt(const WidgetTable& table, int px, int py);

} // namespace tessaly
