// From Windows keyboard messages to the PC keyboard scan codes (set 1) the
// program polls. Pure arithmetic on the message's values, so it is tested
// without a window.
#pragma once

#include <cstdint>

namespace tessaly {

// The set-1 code (1..127) of a WM_KEYDOWN / WM_KEYUP (or WM_SYS...) message,
// or -1 for none. The code is bits 16..23 of lParam; keys that send an E0
// prefix (the extended bit, 24) report the code that follows it, so the arrow
// keys and the keypad keys with Num Lock off share their codes. The keys that
// type z and y in the user's layout (virtual keys 'Z' and 'Y') report Z
// (0x2C) and Y (0x15) wherever they sit; another key in those places reports
// nothing. `mappedScanCode` is what the system maps the virtual key to, used
// when the message carries no scan code (keys sent by other programs).
int keyMessageScanCode(uint32_t wParam, uint32_t lParam, int mappedScanCode);

// Whether a key-down message repeats a key already down (bit 30 of lParam).
bool keyMessageRepeats(uint32_t lParam);

} // namespace tessaly
