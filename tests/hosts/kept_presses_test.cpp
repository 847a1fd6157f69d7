#include "hosts/kept_presses.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace tessaly {
namespace {

constexpr int kKey = 0x4D;

// What a loop sees of one key over `passes` passes, reading it once a pass;
// `events(pass)` runs between the pass's read and the next pass.
std::vector<bool> run(KeptPresses& k, int passes, bool& down,
                      const std::function<void(int)>& events) {
    std::vector<bool> seen;
    for (int pass = 0; pass < passes; ++pass) {
        startPass(k);
        seen.push_back(readHeld(k, kKey, down));
        events(pass);
    }
    return seen;
}

TEST(KeptPresses, ATapBetweenTwoReadsReadsAsHeldForTheWholeNextPassOnly) {
    KeptPresses k;
    bool down = false;
    const auto seen = run(k, 4, down, [&](int pass) {
        if (pass == 0) pressed(k, kKey); // and released at once
    });
    EXPECT_EQ(seen, (std::vector<bool>{false, true, false, false}));

    // Every read of that pass sees it, however many there are.
    pressed(k, kKey);
    startPass(k);
    EXPECT_TRUE(readHeld(k, kKey, false));
    EXPECT_TRUE(readHeld(k, kKey, false));
    startPass(k);
    EXPECT_FALSE(readHeld(k, kKey, false));
}

TEST(KeptPresses, AHoldThatAReadSawActsOnlyOnThePassesItIsHeldIn) {
    KeptPresses k;
    startPass(k);
    pressed(k, kKey); // before this pass's read, released after it
    EXPECT_TRUE(readHeld(k, kKey, true));
    startPass(k);
    EXPECT_FALSE(readHeld(k, kKey, false)); // no second action
}

TEST(KeptPresses, APressNoReadSawIsKeptEvenWhileStillHeld) {
    KeptPresses k;
    pressed(k, kKey); // after this pass's reads
    startPass(k);
    EXPECT_TRUE(readHeld(k, kKey, true));
    startPass(k);
    EXPECT_TRUE(readHeld(k, kKey, true)); // still held: held as usual
    EXPECT_FALSE(readHeld(k, kKey, false));
}

TEST(KeptPresses, TwoTapsInTwoPassesActTwiceAndAFocusChangeForgetsThem) {
    KeptPresses k;
    bool down = false;
    const auto seen = run(k, 4, down, [&](int pass) {
        if (pass < 2) pressed(k, kKey);
    });
    EXPECT_EQ(seen, (std::vector<bool>{false, true, true, false}));

    pressed(k, kKey);
    forgetPresses(k);
    startPass(k);
    EXPECT_FALSE(readHeld(k, kKey, false));
    pressed(k, kKey);
    startPass(k);
    forgetPresses(k);
    EXPECT_FALSE(readHeld(k, kKey, false));
}

TEST(KeptPresses, CodesOutsideTheTableAreNeverKept) {
    KeptPresses k;
    for (int code : {-1, 128, 100000}) pressed(k, code);
    startPass(k);
    EXPECT_FALSE(k.kept.any());
    EXPECT_FALSE(readHeld(k, 128, true));
}

TEST(KeptClicks, AQuickClickReadsForOnePassWhereItWentDown) {
    KeptClicks k;
    pressed(k, 1, 40, 50);
    pressed(k, 4, 60, 70); // a second press before the pass: the first one's place counts
    startPass(k);
    EXPECT_TRUE(keepsClick(k));
    EXPECT_EQ(readButtons(k, 0), 5);
    EXPECT_EQ(k.keptX, 40);
    EXPECT_EQ(k.keptY, 50);
    startPass(k);
    EXPECT_FALSE(keepsClick(k));
    EXPECT_EQ(readButtons(k, 0), 0);
    EXPECT_EQ(readButtons(k, 2), 2); // held buttons read as they are
}

TEST(KeptClicks, AClickAReadSawIsNotKeptAndAFocusChangeForgetsClicks) {
    KeptClicks k;
    pressed(k, 1, 10, 10);
    EXPECT_EQ(readButtons(k, 1), 1); // held at the read: seen
    startPass(k);
    EXPECT_FALSE(keepsClick(k));
    EXPECT_EQ(readButtons(k, 0), 0);

    pressed(k, 2, 10, 10);
    forgetPresses(k);
    startPass(k);
    EXPECT_FALSE(keepsClick(k));
    EXPECT_EQ(readButtons(k, 0), 0);
}

} // namespace
} // namespace tessaly
