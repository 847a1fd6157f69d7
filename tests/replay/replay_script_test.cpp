#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/replay/replay_script.h"

namespace tessaly {
namespace {

TEST(ReplayScript, StampsLinesWithTheTimeTheyStandAt) {
    ReplayScript script;
    auto errors = parseReplayScript("# a comment\r\n"
                                    "\r\n"
                                    "mouse 1 2\r\n"
                                    "wait 10\n"
                                    "   keydown F5\n"
                                    "\t# indented comment\n"
                                    "wait 5\n"
                                    "wait 5\n"
                                    "open My Levels/level 1.ck1\n"
                                    "wait 7",
                                    "base", script);
    ASSERT_TRUE(errors.empty());
    ASSERT_EQ(script.lines.size(), 3u);
    EXPECT_EQ(script.lines[0].command, ReplayCommand::Mouse);
    EXPECT_EQ(script.lines[0].lineNumber, 3);
    EXPECT_EQ(script.lines[0].time, 0);
    EXPECT_EQ(script.lines[0].x, 1);
    EXPECT_EQ(script.lines[0].y, 2);
    EXPECT_EQ(script.lines[1].command, ReplayCommand::KeyDown);
    EXPECT_EQ(script.lines[1].lineNumber, 5);
    EXPECT_EQ(script.lines[1].time, 10);
    EXPECT_EQ(script.lines[1].value, scan::F5);
    EXPECT_EQ(script.lines[2].command, ReplayCommand::Open);
    EXPECT_EQ(script.lines[2].time, 20);
    EXPECT_EQ(script.lines[2].text, "My Levels/level 1.ck1");
    EXPECT_EQ(script.lines[2].path, "base/My Levels/level 1.ck1");
    // Trailing waits count: the script gives the program time up to 27.
    EXPECT_EQ(script.endTime, 27);
}

TEST(ReplayScript, PathsAreTakenInsideTheScriptsFolderUnlessAbsolute) {
    ReplayScript script;
    ASSERT_TRUE(
        parseReplayScript("save /tmp/out.ck1\nscreenshot shots/a.png\nopen x", "", script).empty());
    ASSERT_EQ(script.lines.size(), 3u);
    EXPECT_EQ(script.lines[0].path, "/tmp/out.ck1");
    EXPECT_EQ(script.lines[1].path, "shots/a.png");
    ASSERT_TRUE(parseReplayScript("save /tmp/out.ck1", "dir", script).empty());
    EXPECT_EQ(script.lines[0].path, "/tmp/out.ck1");
    EXPECT_EQ(script.lines[0].text, "/tmp/out.ck1");
}

TEST(ReplayScript, KeyNamesAndScanCodes) {
    const std::vector<std::pair<std::string, int>> keys = {
        {"F5", 0x3F},     {"F6", 0x40},   {"F10", 0x44},    {"LEFT", 0x4B},     {"RIGHT", 0x4D},
        {"UP", 0x48},     {"DOWN", 0x50}, {"PAGEUP", 0x49}, {"PAGEDOWN", 0x51}, {"KPMINUS", 0x4A},
        {"KPPLUS", 0x4E}, {"1", 2},       {"2", 3},         {"3", 4},           {"4", 5},
        {"0x3F", 0x3F},   {"0x7f", 0x7F}, {"0x00", 0},      {"0X1", 1},
    };
    for (const auto& [name, code] : keys) {
        ReplayScript script;
        ASSERT_TRUE(parseReplayScript("keyup " + name, "", script).empty()) << name;
        ASSERT_EQ(script.lines.size(), 1u);
        EXPECT_EQ(script.lines[0].command, ReplayCommand::KeyUp);
        EXPECT_EQ(script.lines[0].value, code) << name;
    }
}

TEST(ReplayScript, ArgumentsAtTheirLimitsAreAccepted) {
    ReplayScript script;
    ASSERT_TRUE(parseReplayScript("mouse -5 -7\n"
                                  "expect-pixel 799 599 255\n"
                                  "expect-title\n"
                                  "expect-title Tessaly Editor v0.9 \n"
                                  "press middle\n"
                                  "wait 0\n"
                                  "wait 2147483647\n"
                                  "release right",
                                  "", script)
                    .empty());
    ASSERT_EQ(script.lines.size(), 6u);
    EXPECT_EQ(script.lines[0].x, -5);
    EXPECT_EQ(script.lines[0].y, -7);
    EXPECT_EQ(script.lines[1].value, 255);
    EXPECT_EQ(script.lines[2].text, "");
    EXPECT_EQ(script.lines[3].text, "Tessaly Editor v0.9 "); // runs to the end of the line
    EXPECT_EQ(script.lines[4].value, 4);
    EXPECT_EQ(script.lines[5].value, 2);
    EXPECT_EQ(script.lines[5].time, 2147483647);
}

TEST(ReplayScript, EveryBadLineIsReportedAlone) {
    const std::vector<std::string> bad = {
        "wait",
        "wait -1",
        "wait 10ms",
        "wait 2147483648",
        "wait 1 2",
        "mouse 1",
        "mouse 1 2 3",
        "mouse x 2",
        "mouse 99999999999 0",
        "press",
        "press LEFT",
        "release left right",
        "keydown",
        "keydown f5",
        "keydown 0x80",
        "keydown 0x",
        "keydown 0x123",
        "keyup F5 F6",
        "open",
        "save",
        "screenshot",
        "open-cancel now",
        "save-cancel x",
        "focus-lost x",
        "focus-gained x",
        "close-window x",
        "expect-pixel 800 0 1",
        "expect-pixel 0 600 1",
        "expect-pixel 0 0 256",
        "expect-pixel -1 0 1",
        "expect-pixel 0 0",
        "jump 1",
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

TEST(ReplayScript, ReportsAllBadLinesInOrder) {
    ReplayScript script;
    auto errors = parseReplayScript("wait x\nmouse 1 1\nhover\n", "", script);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].lineNumber, 1);
    EXPECT_EQ(errors[1].lineNumber, 3);
    EXPECT_EQ(errors[1].why, "unknown command \"hover\"");
}

TEST(ReplayScript, MissingFileIsOneError) {
    ReplayScript script;
    auto errors = loadReplayScript("/nonexistent/folder/script.txt", script);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].lineNumber, 0);
    errors = loadReplayScript("/", script);
    ASSERT_EQ(errors.size(), 1u);
}

} // namespace
} // namespace tessaly
