// The editor palette: 16 EGA colours, a grey ramp, a ring of hues and six
// five-shade ramps that the interface takes its colour schemes from.
#pragma once

#include <array>

#include "core/surface.h"

namespace tessaly {

extern const std::array<Rgb, 256> kEditorPalette;

// Sets surface palette entries 0..255, in order, from the table.
void ApplyEditorPalette(Surface& surface);

} // namespace tessaly
