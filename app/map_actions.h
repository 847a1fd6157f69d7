// The editor loop's mouse and key actions on the map view and the panels:
// each finds what lies under the pointer (app/hit_test.h), runs its editing
// operation (edit/operations.h) and ends its editing step.
#pragma once

#include "app/program.h"

namespace tessaly {

constexpr int kLeftButtonBit = 1, kRightButtonBit = 2, kMiddleButtonBit = 4;

// Tests every action against this pass's mouse and keys, in their order, and
// runs those whose button or key is down over their area.
void runMapActions(Program& program);

// The notches the wheel turned between two mouse reads (positive away from
// the user); none when either read could not see the pointer.
int wheelNotches(const MouseState& before, const MouseState& now);

// The mouse wheel turned `notches` with the pointer at this pass's place: on
// the map view each notch scrolls it 3 cells, up for a notch away from the
// user and down for one towards (left and right with Shift held); on the
// tile panel or the object panel it pages that panel one row back or on.
// Elsewhere it does nothing.
void turnWheel(Program& program, int notches);

} // namespace tessaly
