#include "hosts/win32/key_codes.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

// lParam of a key message: the scan code in bits 16..23, the E0 prefix in bit
// 24, the previous key state in bit 30.
uint32_t keyParam(uint32_t scan, bool extended = false, bool repeat = false) {
    return (scan << 16) | (extended ? 1u << 24 : 0) | (repeat ? 1u << 30 : 0) | 1;
}

constexpr uint32_t kVkF5 = 0x74, kVkUp = 0x26, kVkNumpad8 = 0x68, kVkControl = 0x11;

TEST(Win32KeyCodes, KeysReportTheirSetOneCodes) {
    EXPECT_EQ(keyMessageScanCode(kVkF5, keyParam(0x3F), 0), 0x3F);
    EXPECT_EQ(keyMessageScanCode('1', keyParam(0x02), 0), 0x02);
    // The arrow block sends E0 48; keypad 8 plain 48: both scroll up.
    EXPECT_EQ(keyMessageScanCode(kVkUp, keyParam(0x48, true), 0), 0x48);
    EXPECT_EQ(keyMessageScanCode(kVkNumpad8, keyParam(0x48), 0), 0x48);
    // Both Ctrl keys read as one.
    EXPECT_EQ(keyMessageScanCode(kVkControl, keyParam(0x1D, true), 0), 0x1D);
    EXPECT_EQ(keyMessageScanCode(kVkControl, keyParam(0x1D), 0), 0x1D);
    // A key sent with no scan code takes the one the system maps its
    // virtual key to; codes past 127 are no key of the table.
    EXPECT_EQ(keyMessageScanCode(kVkF5, keyParam(0), 0x3F), 0x3F);
    EXPECT_EQ(keyMessageScanCode(kVkF5, keyParam(0), 0), -1);
    EXPECT_EQ(keyMessageScanCode(0xFF, keyParam(0x80), 0), -1);
}

// Undo and redo go by the letter the key types in the user's layout.
TEST(Win32KeyCodes, ZAndYFollowTheLayout) {
    EXPECT_EQ(keyMessageScanCode('Z', keyParam(0x2C), 0), 0x2C); // US
    EXPECT_EQ(keyMessageScanCode('Y', keyParam(0x15), 0), 0x15);
    EXPECT_EQ(keyMessageScanCode('Z', keyParam(0x15), 0), 0x2C); // German: Z and Y swapped
    EXPECT_EQ(keyMessageScanCode('Y', keyParam(0x2C), 0), 0x15);
    EXPECT_EQ(keyMessageScanCode('W', keyParam(0x2C), 0), -1); // French: W where Z is
    EXPECT_EQ(keyMessageScanCode('Z', keyParam(0x11), 0), 0x2C);
}

TEST(Win32KeyCodes, RepeatsAreTold) {
    EXPECT_FALSE(keyMessageRepeats(keyParam(0x3F)));
    EXPECT_TRUE(keyMessageRepeats(keyParam(0x3F, false, true)));
}

} // namespace
} // namespace tessaly
