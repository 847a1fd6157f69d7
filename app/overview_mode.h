// The whole-level overview as a mode of the editor (Tab): the page is kept,
// the overview drawn over it, and the program waits for Tab or Escape (the
// view stays) or a click on a cell (the view moves there), then puts the page
// back as it was. Nothing is edited meanwhile.
#pragma once

#include "app/program.h"

namespace tessaly {

enum class OverviewEnd { Closed, Moved, CloseRequested };

// Runs the overview until it closes. With Moved the view origin was changed;
// with CloseRequested the user asked the window to close while it was open
// (the editor loop handles that as its own close request).
OverviewEnd runOverview(Program& program);

} // namespace tessaly
