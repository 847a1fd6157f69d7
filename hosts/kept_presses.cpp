#include "hosts/kept_presses.h"

namespace tessaly {

namespace {

constexpr int kButtons = 3;

bool valid(int code) {
    return code >= 0 && code < kPressCodes;
}

} // namespace

void pressed(KeptPresses& k, int code) {
    if (valid(code)) k.unseen.set(std::size_t(code));
}

bool readHeld(KeptPresses& k, int code, bool downNow) {
    if (!valid(code)) return false;
    if (downNow) k.unseen.reset(std::size_t(code));
    return downNow || k.kept.test(std::size_t(code));
}

void startPass(KeptPresses& k) {
    k.kept = k.unseen;
    k.unseen.reset();
}

void forgetPresses(KeptPresses& k) {
    k.unseen.reset();
    k.kept.reset();
}

void pressed(KeptClicks& k, int bits, int x, int y) {
    if (!k.buttons.unseen.any()) {
        k.unseenX = x;
        k.unseenY = y;
    }
    for (int b = 0; b < kButtons; ++b) {
        if (bits & (1 << b)) pressed(k.buttons, b);
    }
}

int readButtons(KeptClicks& k, int downNow) {
    int bits = 0;
    for (int b = 0; b < kButtons; ++b) {
        if (readHeld(k.buttons, b, (downNow & (1 << b)) != 0)) bits |= 1 << b;
    }
    return bits;
}

bool keepsClick(const KeptClicks& k) {
    return k.buttons.kept.any();
}

void startPass(KeptClicks& k) {
    k.keptX = k.unseenX;
    k.keptY = k.unseenY;
    startPass(k.buttons);
}

void forgetPresses(KeptClicks& k) {
    forgetPresses(k.buttons);
}

} // namespace tessaly
