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

} // namespace tessaly
