#include <gtest/gtest.h>

#include "hosts/replay/replay_script.h"

namespace tessaly {
namespace {

// `wheel N` turns the wheel N notches, away from the user for N > 0.
TEST(ReplayScript, AWheelLineTurnsItsNotchesEitherWay) {
    ReplayScript script;
    ASSERT_TRUE(parseReplayScript("wheel 3\nwheel -1000\n", "", script).empty());
    ASSERT_EQ(script.lines.size(), 2u);
    EXPECT_EQ(script.lines[0].command, ReplayCommand::Wheel);
    EXPECT_EQ(script.lines[0].value, 3);
    EXPECT_EQ(script.lines[1].value, -1000);
}

} // namespace
} // namespace tessaly
