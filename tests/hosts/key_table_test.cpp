#include "hosts/key_table.h"

#include <gtest/gtest.h>

#include "hosts/host.h"

namespace tessaly {
namespace {

// The event order SDL's X11 backend produces when the focus goes: a key-up
// for every key SDL thinks is down, then the focus-lost event.
void windowSystemTakesFocus(KeyTable& t, int heldKey, uint32_t now) {
    keyUp(t, heldKey);
    focusLost(t, now);
}

TEST(KeyTable, PressAndReleaseWithRepeatsThatNeverCountAsPresses) {
    KeyTable t;
    EXPECT_FALSE(keyHeld(t, scan::Left));
    keyDown(t, scan::Left, true, 0); // a repeat of a key never seen going down
    EXPECT_FALSE(keyHeld(t, scan::Left));
    keyDown(t, scan::Left, false, 10);
    keyDown(t, scan::Left, true, 40);
    EXPECT_TRUE(keyHeld(t, scan::Left));
    keyUp(t, scan::Left);
    EXPECT_FALSE(keyHeld(t, scan::Left));
}

TEST(KeyTable, CodesOutsideTheTableAreIgnoredAndNeverHeld) {
    KeyTable t;
    for (int code : {-1, 128, 255, 100000}) {
        keyDown(t, code, false, 0);
        EXPECT_FALSE(keyHeld(t, code)) << code;
        keyUp(t, code);
    }
    EXPECT_FALSE(t.held.any());
}

TEST(KeyTable, FocusLossOrGainReleasesEveryKeyUntilPressedAgain) {
    KeyTable t;
    focusGained(t, 0);
    keyDown(t, scan::Right, false, 1000);
    keyDown(t, scan::Down, false, 1000);
    focusLost(t, 2000);
    EXPECT_FALSE(keyHeld(t, scan::Right));
    EXPECT_FALSE(keyHeld(t, scan::Down));
    focusGained(t, 3000);
    keyDown(t, scan::Right, true, 3400); // still held: repeats only
    EXPECT_FALSE(keyHeld(t, scan::Right));
    keyUp(t, scan::Right);
    keyDown(t, scan::Right, false, 3500);
    EXPECT_TRUE(keyHeld(t, scan::Right));

    // A gain alone (the window system gives the focus back) also releases.
    focusGained(t, 5000);
    EXPECT_FALSE(keyHeld(t, scan::Right));
}

TEST(KeyTable, ReSentKeyDownSoonAfterTheFocusReturnsIsStaleUntilItsKeyUp) {
    KeyTable t;
    focusGained(t, 0);
    keyDown(t, scan::F6, false, 1000);
    windowSystemTakesFocus(t, scan::F6, 1010);
    focusGained(t, 5000);
    keyDown(t, scan::F6, false, 5030); // the X server's auto-repeat, re-sent as a press
    EXPECT_FALSE(keyHeld(t, scan::F6));
    keyDown(t, scan::F6, true, 5300); // later repeats never count
    EXPECT_FALSE(keyHeld(t, scan::F6));
    keyUp(t, scan::F6);
    keyDown(t, scan::F6, false, 5400);
    EXPECT_TRUE(keyHeld(t, scan::F6));
}

TEST(KeyTable, StaleWindowIsTwoHundredFiftyMillisecondsAndOnlyForKeysThatWereDown) {
    for (uint32_t after : {0u, 249u, 250u, 1000u}) {
        KeyTable t;
        focusGained(t, 0);
        keyDown(t, scan::Up, false, 100);
        windowSystemTakesFocus(t, scan::Up, 200);
        focusGained(t, 900);
        keyDown(t, scan::Up, false, 900 + after);
        keyDown(t, scan::PageDown, false, 900 + after); // was not down when the focus went
        EXPECT_EQ(keyHeld(t, scan::Up), after >= kStaleMs) << after;
        EXPECT_TRUE(keyHeld(t, scan::PageDown)) << after;
    }
}

TEST(KeyTable, KeyReleasedAfterTheFocusReturnedCountsWhenPressedAgainAtOnce) {
    KeyTable t;
    focusGained(t, 0);
    keyDown(t, scan::F5, false, 100);
    windowSystemTakesFocus(t, scan::F5, 200);
    focusGained(t, 1000);
    keyUp(t, scan::F5);
    keyDown(t, scan::F5, false, 1050);
    EXPECT_TRUE(keyHeld(t, scan::F5));
}

TEST(KeyTable, KeyUpFollowedByOtherEventsBeforeTheFocusGoesWasNotDown) {
    KeyTable t;
    focusGained(t, 0);
    keyDown(t, scan::Left, false, 100);
    keyUp(t, scan::Left);
    otherEvent(t); // the pointer moved: the release was the user's own
    focusLost(t, 400);
    focusGained(t, 1000);
    keyDown(t, scan::Left, false, 1020);
    EXPECT_TRUE(keyHeld(t, scan::Left));
}

// What the host sees around a save dialog opened by a held F6: it reports the
// loss and the gain itself, and the window system reports both again, late.
TEST(KeyTable, HeldKeyAcrossAModalDialogDoesNotRunItsCommandAgain) {
    KeyTable t;
    focusGained(t, 0);
    keyDown(t, scan::F6, false, 1000);
    ASSERT_TRUE(keyHeld(t, scan::F6));
    focusLost(t, 1010);   // the host, as the dialog opens
    keyUp(t, scan::F6);   // SDL's reset of its keyboard
    focusLost(t, 1015);   // SDL's own report
    focusGained(t, 4000); // the host, as the dialog closes
    focusGained(t, 4020); // SDL's own report, later
    keyDown(t, scan::F6, false, 4200);
    for (uint32_t at = 4230; at < 5000; at += 30) keyDown(t, scan::F6, true, at);
    EXPECT_FALSE(keyHeld(t, scan::F6));
    keyUp(t, scan::F6);
    keyDown(t, scan::F6, false, 5100);
    EXPECT_TRUE(keyHeld(t, scan::F6));
}

// With no window manager the dialog may never take the X focus: the key-up
// reaches the editor window while the dialog is open, and counts.
TEST(KeyTable, KeyReleasedWhileADialogWasOpenCountsWhenPressedAgainAtOnce) {
    KeyTable t;
    focusGained(t, 0);
    keyDown(t, scan::F6, false, 1000);
    focusLost(t, 1010); // the host, as the dialog opens
    keyUp(t, scan::F6);
    otherEvent(t);
    focusGained(t, 3000); // the host, as the dialog closes
    keyDown(t, scan::F6, false, 3050);
    EXPECT_TRUE(keyHeld(t, scan::F6));
}

TEST(KeyTable, FreshFocusLossForgetsKeysOfAnEarlierOne) {
    KeyTable t;
    focusGained(t, 0);
    keyDown(t, scan::Down, false, 10);
    windowSystemTakesFocus(t, scan::Down, 20);
    focusGained(t, 1000);
    focusLost(t, 3000); // long after the gain, with nothing down
    focusGained(t, 4000);
    keyDown(t, scan::Down, false, 4010);
    EXPECT_TRUE(keyHeld(t, scan::Down));
}

TEST(KeyTable, StaleWindowSurvivesTheClockWrapping) {
    KeyTable t;
    const uint32_t gain = 0xFFFFFF80u;
    focusGained(t, gain - 500);
    keyDown(t, scan::Left, false, gain - 400);
    windowSystemTakesFocus(t, scan::Left, gain - 300);
    focusGained(t, gain);
    keyDown(t, scan::Left, false, gain + 200); // wraps past zero, 200 ms after the gain
    EXPECT_FALSE(keyHeld(t, scan::Left));
}

// A key-down and key-up that both arrive between two passes: the next pass
// reads the key held throughout, and only that pass.
TEST(KeyTable, KeyTappedBetweenTwoPassesReadsHeldForTheNextPass) {
    KeyTable t;
    focusGained(t, 0);
    beginPass(t);
    EXPECT_FALSE(readKey(t, scan::Right));
    keyDown(t, scan::Right, false, 1000);
    keyUp(t, scan::Right);
    beginPass(t);
    EXPECT_TRUE(readKey(t, scan::Right));
    EXPECT_TRUE(readKey(t, scan::Right));
    EXPECT_FALSE(keyHeld(t, scan::Right)); // held only as a kept press
    beginPass(t);
    EXPECT_FALSE(readKey(t, scan::Right));

    // Held at a read of its pass: that read saw it, the next pass does not.
    keyDown(t, scan::Right, false, 2000);
    EXPECT_TRUE(readKey(t, scan::Right));
    keyUp(t, scan::Right);
    beginPass(t);
    EXPECT_FALSE(readKey(t, scan::Right));
}

// Ctrl held at one pass and let go before the next, with Z tapped between
// (xdotool's ctrl+z): the pass that keeps Z reads Ctrl with it.
TEST(KeyTable, ChordTappedAcrossAPassKeepsItsModifier) {
    KeyTable t;
    focusGained(t, 0);
    keyDown(t, scan::Ctrl, false, 1000);
    beginPass(t);
    EXPECT_FALSE(readKey(t, scan::Z));
    keyDown(t, scan::Z, false, 1002);
    keyUp(t, scan::Z);
    keyUp(t, scan::Ctrl);
    beginPass(t);
    EXPECT_TRUE(readKey(t, scan::Z));
    EXPECT_TRUE(readKey(t, scan::Ctrl));
    beginPass(t);
    EXPECT_FALSE(readKey(t, scan::Ctrl));
}

// Neither a repeat nor a stale key-down after a dialog is a press to keep;
// a focus change forgets a kept press like a held key.
TEST(KeyTable, OnlyRealPressesAreKeptAndTheFocusForgetsThem) {
    KeyTable t;
    focusGained(t, 0);
    keyDown(t, scan::F6, true, 100); // repeat of a key never seen going down
    keyUp(t, scan::F6);
    beginPass(t);
    EXPECT_FALSE(readKey(t, scan::F6));

    keyDown(t, scan::F6, false, 1000);
    focusLost(t, 1010); // the dialog F6 opens
    focusGained(t, 2000);
    keyDown(t, scan::F6, false, 2050); // auto-repeat seen as a fresh key-down: stale
    keyUp(t, scan::F6);
    beginPass(t);
    EXPECT_FALSE(readKey(t, scan::F6));

    keyDown(t, scan::F5, false, 3000);
    keyUp(t, scan::F5);
    focusLost(t, 3010);
    focusGained(t, 3020);
    beginPass(t);
    EXPECT_FALSE(readKey(t, scan::F5));
}

} // namespace
} // namespace tessaly
