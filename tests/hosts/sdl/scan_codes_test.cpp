#include "hosts/sdl/scan_codes.h"

#include <gtest/gtest.h>

#include "hosts/host.h"

namespace tessaly {
namespace {

// SDL scancodes are USB HID keyboard usage ids; the numbers below come from
// the HID usage tables, not from SDL's headers.
TEST(ScanCodes, EveryKeyTheEditorPollsHasItsSetOneCode) {
    const std::pair<int, int> polled[] = {
        {30, scan::Digit1},   {31, scan::Digit2},      {32, scan::Digit3},     {33, scan::Digit4},
        {62, scan::F5},       {63, scan::F6},          {67, scan::F10},        {82, scan::Up},
        {80, scan::Left},     {79, scan::Right},       {81, scan::Down},       {75, scan::PageUp},
        {78, scan::PageDown}, {86, scan::KeypadMinus}, {87, scan::KeypadPlus},
    };
    for (auto [usage, code] : polled) EXPECT_EQ(setOneScanCode(usage), code) << usage;
}

TEST(ScanCodes, OtherKeysFollowTheirPhysicalPlace) {
    EXPECT_EQ(setOneScanCode(41), 0x01); // Escape
    EXPECT_EQ(setOneScanCode(4), 0x1E);  // A
    EXPECT_EQ(setOneScanCode(29), 0x2C); // Z
    EXPECT_EQ(setOneScanCode(39), 0x0B); // 0
    EXPECT_EQ(setOneScanCode(44), 0x39); // space
    EXPECT_EQ(setOneScanCode(69), 0x58); // F12
    // The keypad digits with Num Lock off are the arrow and page keys.
    EXPECT_EQ(setOneScanCode(96), scan::Up);
    EXPECT_EQ(setOneScanCode(92), scan::Left);
    EXPECT_EQ(setOneScanCode(97), scan::PageUp);
}

TEST(ScanCodes, UnknownKeysHaveNoCodeAndKnownOnesStayInTheTable) {
    for (int usage : {-1, 0, 3, 200, 511, 512, 100000}) EXPECT_EQ(setOneScanCode(usage), -1);
    for (int usage = 0; usage < 512; ++usage) {
        const int code = setOneScanCode(usage);
        EXPECT_TRUE(code == -1 || (code >= 1 && code <= 127)) << usage;
    }
}

// Keycodes are the characters a key types: 'z' = 122, 'y' = 121, 'w' = 119.
TEST(ScanCodes, UndoKeysFollowTheLettersOfTheLayout) {
    constexpr int kUsageY = 28, kUsageZ = 29, kUsageW = 26;
    // US: each letter in its own place.
    EXPECT_EQ(layoutScanCode(kUsageZ, 'z'), scan::Z);
    EXPECT_EQ(layoutScanCode(kUsageY, 'y'), scan::Y);
    // German: Z and Y swap places; the codes follow the letters.
    EXPECT_EQ(layoutScanCode(kUsageY, 'z'), scan::Z);
    EXPECT_EQ(layoutScanCode(kUsageZ, 'y'), scan::Y);
    // French: z is where W is; the key in Z's place types w and undoes nothing.
    EXPECT_EQ(layoutScanCode(kUsageW, 'z'), scan::Z);
    EXPECT_EQ(layoutScanCode(kUsageZ, 'w'), -1);
    // Every other key keeps its physical code.
    EXPECT_EQ(layoutScanCode(62, 0), scan::F5);
    EXPECT_EQ(layoutScanCode(224, 0), scan::Ctrl); // left Ctrl
    EXPECT_EQ(layoutScanCode(228, 0), scan::Ctrl); // right Ctrl
}

} // namespace
} // namespace tessaly
