// Presses kept for the next pass of a loop, so that no tap is lost.
//
// The program polls: at moments of its own it asks whether a key or a button
// is held. A press and its release that both fall between two reads would
// never be seen, and a tap on a touchpad, or a quick key tap, is exactly
// that. So a host keeps every press that no read has found held yet; at the
// start of the next pass (Host::beginPass) such a press reads as held for
// that whole pass, even when it was released already, and no longer after.
//
// A read that finds the key or button really held has seen its press, which
// is then not kept: an ordinary hold acts on the passes it is held in and on
// no more. A focus change forgets every press, as it makes held keys read as
// not held.
//
//     KeptPresses keys;
//     pressed(keys, code);               // from the key-down event
//     readHeld(keys, code, downNow);     // at every read: down now, or kept
//     startPass(keys);                   // in beginPass
#pragma once

#include <array>
#include <bitset>

#include "hosts/host.h"

namespace tessaly {

// Codes 0..127: set-1 scan codes for keys, button bits' positions for buttons.
constexpr int kPressCodes = 128;

struct KeptPresses {
    std::bitset<kPressCodes> unseen; // pressed since the pass began, not yet read as held
    std::bitset<kPressCodes> kept;   // read as held for the whole of this pass
};

// Codes outside 0..127 are ignored by every function and never kept.
void pressed(KeptPresses& k, int code);
// What a read reports: held when the key or button is down now or kept for
// this pass. A read that finds it down now has seen its press.
bool readHeld(KeptPresses& k, int code, bool downNow);
// A new pass: the presses no read has seen are kept for it; older ones go.
void startPass(KeptPresses& k);
void forgetPresses(KeptPresses& k);

// The mouse buttons' presses (codes 0 left, 1 right, 2 middle) with the place
// each went down. In a pass that keeps a press, the pointer reads where the
// first kept press went down, so a quick click acts where it was made even
// when the pointer has moved on since.
struct KeptClicks {
    KeptPresses buttons;
    int unseenX = 0, unseenY = 0; // where the first unseen press went down
    int keptX = 0, keptY = 0;     // where the first kept press went down
};

// A press of the buttons in `bits` (1 left, 2 right, 4 middle) at (x, y).
void pressed(KeptClicks& k, int bits, int x, int y);
// The buttons a read reports: those down now (`downNow`, bits) and those
// kept for this pass. A read that finds a button down now has seen its press.
int readButtons(KeptClicks& k, int downNow);
// The modifiers that form chords with other keys (Ctrl+Z, Shift+arrow).
constexpr std::array<int, 3> kChordModifiers{scan::Ctrl, scan::LeftShift, scan::RightShift};
// A press of a key that is not a modifier, with `modifierHeld` telling which
// modifiers are held at that moment: those are kept with it, so a chord
// tapped quickly (its modifier let go before the next pass reads it) reads
// as the whole chord in the pass that keeps the key.
template <class Held>
void pressedInChord(KeptPresses& k, int code, Held modifierHeld);

// Whether this pass keeps a press: then the pointer reads at keptX, keptY.
bool keepsClick(const KeptClicks& k);
void startPass(KeptClicks& k);
void forgetPresses(KeptClicks& k);

template <class Held>
void pressedInChord(KeptPresses& k, int code, Held modifierHeld) {
    pressed(k, code);
    for (int modifier : kChordModifiers) {
        if (modifier != code && modifierHeld(modifier)) pressed(k, modifier);
    }
}

} // namespace tessaly
