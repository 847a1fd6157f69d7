#include "hosts/key_table.h"

namespace tessaly {

namespace {

bool valid(int code) {
    return code >= 0 && code < kKeyCodes;
}

bool withinStaleWindow(const KeyTable& t, uint32_t now) {
    return t.gainSeen && uint32_t(now - t.gainTime) < kStaleMs;
}

} // namespace

void keyDown(KeyTable& t, int code, bool repeat, uint32_t now) {
    t.releasedRun.reset();
    if (!valid(code) || repeat) return;
    t.down.set(size_t(code));
    if (t.stale.test(size_t(code))) return;
    if (withinStaleWindow(t, now) && t.wentDown.test(size_t(code))) {
        t.stale.set(size_t(code));
        return;
    }
    if (!t.held.test(size_t(code)))
        pressedInChord(t.presses, code, [&](int m) { return t.held.test(size_t(m)); });
    t.held.set(size_t(code));
}

void keyUp(KeyTable& t, int code) {
    if (!valid(code)) {
        t.releasedRun.reset();
        return;
    }
    const size_t k = size_t(code);
    t.held.reset(k);
    t.down.reset(k);
    t.stale.reset(k);
    t.wentDown.reset(k);
    t.releasedRun.set(k);
}

void otherEvent(KeyTable& t) {
    t.releasedRun.reset();
}

void focusLost(KeyTable& t, uint32_t now) {
    // A loss soon after a gain, or a second report of the same loss (the host
    // reports one itself when a dialog opens, SDL another after its key-ups),
    // adds to what was down; a fresh loss starts over.
    if (t.focused && !withinStaleWindow(t, now)) t.wentDown.reset();
    t.wentDown |= t.down | t.releasedRun;
    t.held.reset();
    t.down.reset();
    t.releasedRun.reset();
    forgetPresses(t.presses);
    forgetPresses(t.clicks);
    t.focused = false;
}

void focusGained(KeyTable& t, uint32_t now) {
    t.held.reset();
    t.releasedRun.reset();
    forgetPresses(t.presses);
    forgetPresses(t.clicks);
    t.focused = true;
    t.gainSeen = true;
    t.gainTime = now;
}

bool keyHeld(const KeyTable& t, int code) {
    return valid(code) && t.held.test(size_t(code));
}

bool readKey(KeyTable& t, int code) {
    return readHeld(t.presses, code, keyHeld(t, code));
}

void beginPass(KeyTable& t) {
    startPass(t.presses);
    startPass(t.clicks);
}

void buttonDown(KeyTable& t, int bits, int x, int y) {
    otherEvent(t);
    pressed(t.clicks, bits, x, y);
}

int readButtons(KeyTable& t, int downNow) {
    return readButtons(t.clicks, downNow);
}

void requestClose(KeyTable& t) {
    t.closeRequest = true;
}

bool takeCloseRequest(KeyTable& t) {
    const bool asked = t.closeRequest;
    t.closeRequest = false;
    return asked;
}

} // namespace tessaly
