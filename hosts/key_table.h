// The input state every host keeps, fed by its keyboard, mouse and focus
// events: which keys are held, the presses and clicks kept for the next pass,
// and whether the user asked the window to close. The real windows, the
// replay host and the tests' host all read keys and buttons through it, so
// every host follows the same rules.
//
// The program polls keys; it never sees events. What it asks is whether a key
// is held now, with one rule on top: whenever the window loses or gains the
// input focus every key reads as not held until it is pressed again, so a key
// held while a dialog opens (F6 opens the save dialog) does not run its
// command once more when the dialog closes. "Pressed again" means a key-up and
// then a key-down; key-repeat events never count as a press.
//
// Two things of the X11 event stream make this harder than clearing the table:
// - When the focus goes, SDL first sends a key-up for every key it thinks is
//   down and only then the focus-lost event. Key-ups that arrive in one unbroken
//   run just before the focus loss therefore count as keys still down when the
//   focus went.
// - Shortly after the focus comes back, the X server's auto-repeat of a key
//   still held reaches the window as a fresh (non-repeat) key-down, since SDL
//   forgot the key when the focus went. A key-down within kStaleMs of a focus
//   gain, for a key that was down when the focus went, is stale: it is ignored
//   until that key's key-up.
//
// On top of that, a press that no read found held is kept for the next pass
// (hosts/kept_presses.h): readKey reports it held for that whole pass. A
// stale key-down is no press; a focus change forgets kept presses.
//
// Windows sends no key-ups when the focus goes and no stale key-downs after,
// so there the rules above reduce to the plain one.
//
// Times are milliseconds of any wrapping 32-bit clock (the events' stamps).
#pragma once

#include <bitset>
#include <cstdint>

#include "hosts/kept_presses.h"

namespace tessaly {

constexpr uint32_t kStaleMs = 250;
constexpr int kKeyCodes = 128;

struct KeyTable {
    std::bitset<kKeyCodes> held;        // what keyHeld reports
    std::bitset<kKeyCodes> down;        // down as far as the key events tell
    std::bitset<kKeyCodes> stale;       // a stale key-down seen, waiting for its key-up
    std::bitset<kKeyCodes> wentDown;    // down when the focus last went
    std::bitset<kKeyCodes> releasedRun; // key-ups since the last event of another kind
    KeptPresses presses;
    KeptClicks clicks;
    bool closeRequest = false;
    bool focused = false;
    bool gainSeen = false;
    uint32_t gainTime = 0;
};

// Codes outside 0..127 are ignored by every function and never held.
void keyDown(KeyTable& t, int code, bool repeat, uint32_t now);
void keyUp(KeyTable& t, int code);
// Any event that is neither a key event nor a focus change ends a run of key-ups.
void otherEvent(KeyTable& t);
// A focus change also forgets the presses and clicks kept so far.
void focusLost(KeyTable& t, uint32_t now);
void focusGained(KeyTable& t, uint32_t now);
// A press of the mouse buttons in `bits` (1 left, 2 right, 4 middle) at
// window point (x, y).
void buttonDown(KeyTable& t, int bits, int x, int y);
// The buttons a mouse read reports: those down now and those kept for this
// pass (see KeptClicks).
int readButtons(KeyTable& t, int downNow);
// The user asked the window to close; the next closeRequested says so, once.
void requestClose(KeyTable& t);
bool takeCloseRequest(KeyTable& t);
// Whether the key is down now, by the rules above.
bool keyHeld(const KeyTable& t, int code);
// What the host reports: down now, or a press kept for this pass.
bool readKey(KeyTable& t, int code);
// The start of a loop pass: presses and clicks no read has seen are kept for it.
void beginPass(KeyTable& t);

} // namespace tessaly
