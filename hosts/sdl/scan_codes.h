// From the keys SDL reports to the PC keyboard scan codes (set 1) the
// program polls.
#pragma once

namespace tessaly {

// The set-1 code (1..127) of the key with this SDL scancode, or -1 for a key
// the table does not know. SDL scancodes are the USB HID keyboard usage ids,
// so they name physical keys whatever the layout, as set-1 codes do.
int setOneScanCode(int sdlScancode);

// The code reported for a key event: as setOneScanCode, except that the keys
// that type z and y in the user's layout report Z (0x2C) and Y (0x15).
int layoutScanCode(int sdlScancode, int sdlKeycode);

} // namespace tessaly
