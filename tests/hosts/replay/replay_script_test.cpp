#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hosts/host.h"
#include "hosts/replay/replay_script.h"

namespace tessaly {
namespace {

TEST(ReplayScript, StampsLinesWithTheTimeTheyStandAt) {
    ReplayScript script;
    auto errors = parseReplayScript("# a comment\r\n"
                                    "\r\n"
                                    "mouse -1 2\r\n"
                                    "wait 10\n"
                                    "   keydown 1\n"
                                    "\t# indented comment\n"
                                    "wait 5\n"
                                    "wait 5\n"
                                    "open My Levels/level 1.ck1\n"
                                    "save /tmp/out.ck1\n"
                                    "expect-title Tessaly Editor v0.9 \n"
                                    "wait 7",
                                    "base", script);
    ASSERT_TRUE(errors.empty());
    ASSERT_EQ(script.lines.size(), 5u);
    EXPECT_EQ(script.lines[0].command, ReplayCommand::Mouse);
    EXPECT_EQ(script.lines[0].lineNumber, 3);
    EXPECT_EQ(script.lines[0].time, 0);
    EXPECT_EQ(script.lines[0].x, -1);
    EXPECT_EQ(script.lines[0].y, 2);
    EXPECT_EQ(script.lines[1].lineNumber, 5);
    EXPECT_EQ(script.lines[1].time, 10);
    EXPECT_EQ(script.lines[1].value, scan::Digit1);
    EXPECT_EQ(script.lines[2].time, 20);
    EXPECT_EQ(script.lines[2].text, "My Levels/level 1.ck1");
    EXPECT_EQ(script.lines[2].path, "base/My Levels/level 1.ck1");
    EXPECT_EQ(script.lines[3].path, "/tmp/out.ck1");
    EXPECT_EQ(script.lines[4].text, "Tessaly Editor v0.9 "); // runs to the end of the line
    // Trailing waits count: the script gives the program time up to 27.
    EXPECT_EQ(script.endTime, 27);
}

// 24 hours of program time is the most a script may give; more is refused
// at the wait that passes it, before anything runs.
TEST(ReplayScript, WaitsMayAddUpTo24HoursAtMost) {
    ReplayScript script;
    EXPECT_TRUE(parseReplayScript("wait 86399999\nmouse 1 1\nwait 1\n", "", script).empty());
    EXPECT_EQ(script.endTime, 86'400'000);

    const std::string longWait = "wait 2147483647\n";
    std::string text = "mouse 1 1\n";
    for (int i = 0; i < 100; ++i) text += longWait;
    const std::vector<ReplayScriptError> errors = parseReplayScript(text, "", script);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].lineNumber, 2);
    EXPECT_EQ(errors[0].why, "the script's waits add up to 214748364700 ms, more than the "
                             "86400000 ms (24 hours) a script may run");

    ASSERT_EQ(parseReplayScript("wait 86400000\nwait 1\nwait oops\n", "", script).size(), 2u);
}

TEST(ReplayScript, ScanCodesAreWrittenInHexUpTo0x7F) {
    const std::vector<std::pair<std::string, int>> keys = {
        {"F10", 0x44},  {"F1", 0x3B}, {"4", 5},  {"0x3F", 0x3F},
        {"0x7f", 0x7F}, {"0x00", 0},  {"0X1", 1}};
    for (const auto& [name, code] : keys) {
        ReplayScript script;
        ASSERT_TRUE(parseReplayScript("keyup " + name, "", script).empty()) << name;
        ASSERT_EQ(script.lines.size(), 1u);
        EXPECT_EQ(script.lines[0].value, code) << name;
    }
}

TEST(ReplayScript, ClickAndTapNameAButtonOrAKeyLikePressAndKeydown) {
    ReplayScript script;
    ASSERT_TRUE(parseReplayScript("click middle\ntap 0x2A\ntap RIGHT\n", "", script).empty());
    ASSERT_EQ(script.lines.size(), 3u);
    EXPECT_EQ(script.lines[0].command, ReplayCommand::Click);
    EXPECT_EQ(script.lines[0].value, 4);
    EXPECT_EQ(script.lines[1].command, ReplayCommand::Tap);
    EXPECT_EQ(script.lines[1].value, scan::LeftShift);
    EXPECT_EQ(script.lines[2].value, scan::Right);
}

TEST(ReplayScript, EveryBadLineIsReportedAlone) {
    const std::vector<std::string> bad = {
        "wait",
        "wait -1",
        "wait 10ms",
        "wait 2147483648",
        "mouse 1",
        "mouse 1 2 3",
        "mouse 99999999999 0",
        "press LEFT",
        "release left right",
        "keydown f5",
        "keydown 0x80",
        "keydown 0x",
        "keyup F5 F6",
        "click",
        "click left right",
        "tap",
        "tap SHIFT",
        "wheel",
        "wheel 0",
        "wheel up",
        "wheel 1001",
        "open",
        "screenshot",
        "open-cancel now",
        "close-window x",
        "expect-pixel 800 0 1",
        "expect-pixel 0 600 1",
        "expect-pixel 0 0 256",
        "expect-pixel -1 0 1",
        "expect-pixel 0 0",
        "Wait 10",
        "mouse 1\x01 2",
        "open a\rb",
    };
    for (const std::string& line : bad) {
        ReplayScript script;
        auto errors = parseReplayScript("mouse 0 0\n" + line + "\nwait 5\n", "", script);
        ASSERT_EQ(errors.size(), 1u) << line;
        EXPECT_EQ(errors[0].lineNumber, 2) << line;
        EXPECT_FALSE(errors[0].why.empty());
    }
}

} // namespace
} // namespace tessaly
