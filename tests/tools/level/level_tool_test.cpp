// tessaly-level run as a modder runs it, on good and bad files.
#include "level/level_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/level/level_test_support.h"
#include "tests/support/run_tool.h"
#include "tests/support/temp_folder.h"

namespace tessaly {
namespace {

using test::addWords;
using test::fileBytes;
using test::putFile;
using test::quoted;
using test::TempFolder;
using test::ToolRun;

// tessaly-level with these arguments (a piece of a shell command line).
ToolRun runTool(const std::string& arguments) {
    return test::runTool(quoted(TESSALY_LEVEL_TOOL) + " " + arguments);
}

int lines(const std::string& s) {
    return static_cast<int>(std::count(s.begin(), s.end(), '\n'));
}

TEST(LevelTool, InfoDescribesTheLevel) {
    TempFolder dir;
    // 3 x 2 with a compressed header; objects: a player, two Zombies and a
    // door link from (3,2) to column 2, row 3 as Dangerous Dave 2 counts
    // links (from 0).
    std::vector<uint8_t> file = {0xAB, 0, 0, 0};
    addWords(file, {3, 2, 0xFEFE, 14, 0});
    addWords(file, {5, 0, 5, 0, 0, 600});
    addWords(file, {255, 1, 0, 1, 0, 258});
    putFile(dir.file("room.Dd2"), file);

    const ToolRun run = runTool("info " + quoted(dir.file("room.Dd2")));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "game: DD2\n"
                       "size: 3 x 2\n"
                       "header: AB 00 00 00 03 00 02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
                       "00 00 00 00 00 00 00 00 00 00 00 00 00 00\n"
                       "padded: no\n"
                       "tile cells not zero: 3\n"
                       "object cells not zero: 4\n"
                       "object 1: 2 \"Zombie\"\n"
                       "object 255: 1 \"Dave :-)\"\n"
                       "object 258: 1\n"
                       "door 3,2 -> 2,3\n");
}

TEST(LevelTool, InfoOnTheSamples) {
    TempFolder dir;
    const ToolRun ck1 = runTool("info " + quoted(TESSALY_SAMPLES_DIR "/sample.ck1"));
    EXPECT_EQ(ck1.status, 0);
    EXPECT_NE(ck1.out.find("game: CK1\nsize: 81 x 53\n"), std::string::npos);
    EXPECT_NE(ck1.out.find("header: 00 00 00 00 51 00 35 00 02 00"), std::string::npos);
    EXPECT_NE(ck1.out.find("padded: yes, 3 words after each plane\n"), std::string::npos);
    EXPECT_NE(ck1.out.find("object 255: 1 \"-=Keen=-\"\n"), std::string::npos);
    EXPECT_NE(ck1.out.find("door 78,51 -> 2,3\n"), std::string::npos);

    const ToolRun other = runTool("info " + quoted(TESSALY_SAMPLES_DIR "/sample.nin"));
    EXPECT_EQ(other.status, 0);
    EXPECT_NE(other.out.find("game: NIN\nsize: 16 x 12\n"), std::string::npos);
    EXPECT_NE(other.out.find("\"-=Ninja=-\""), std::string::npos);
}

TEST(LevelTool, InfoRefusesWhatItCannotRead) {
    TempFolder dir;
    putFile(dir.file("wide.ck1"), test::plainHeader(257, 3));
    for (const std::string name : {"missing.ck1", "wide.ck1"}) {
        const ToolRun run = runTool("info " + quoted(dir.file(name)));
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(lines(run.err), 1) << run.err;
        EXPECT_NE(run.err.find(name), std::string::npos);
    }
    // The system's reason comes with it: a folder is told as one.
    std::filesystem::create_directory(dir.file("levels.ck1"));
    for (const std::string command : {"info ", "copy "}) {
        const ToolRun run = runTool(command + quoted(dir.file("levels.ck1")) + " " +
                                    (command == "copy " ? quoted(dir.file("o.ck1")) : ""));
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.err,
                  "tessaly-level: cannot read " + dir.file("levels.ck1") + ": Is a directory\n");
    }
    EXPECT_EQ(runTool("").status, 2);
    EXPECT_EQ(runTool("info").status, 2);
    EXPECT_EQ(runTool("unpack a b").status, 2);
}

// What info and check print is their whole work: standard output on a full
// disk fails the run with one line.
TEST(LevelTool, OutputThatCannotBeWrittenFailsTheRun) {
    for (const std::string command : {"info", "check"}) {
        const ToolRun run =
            runTool(command + " " + quoted(TESSALY_SAMPLES_DIR "/sample.ck1") + " >/dev/full");
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.err, "tessaly-level: cannot write to standard output\n");
    }
}

TEST(LevelTool, CopyWritesWhatTheEditorsSaveWrites) {
    TempFolder dir;
    const std::string in = TESSALY_SAMPLES_DIR "/sample.ck1";
    const ToolRun run = runTool("copy " + quoted(in) + " " + quoted(dir.file("out.ck1")));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out + run.err, "");

    auto level = test::newLevel();
    ASSERT_EQ(readLevel(*level, in).result, ReadResult::Read);
    const std::vector<uint8_t> copied = fileBytes(dir.file("out.ck1"));
    EXPECT_EQ(copied, encodeLevel(*level));
    EXPECT_EQ(copied.size(), 36u + 4u * (81 * 53 + 3)); // uncompressed, padding kept
}

TEST(LevelTool, FailedCopyLeavesTheOutputAlone) {
    TempFolder dir;
    putFile(dir.file("out.ck2"), {1, 2, 3});
    putFile(dir.file("tall.ck2"), test::plainHeader(2, 300));
    for (const std::string& in : {dir.file("missing.ck2"), dir.file("tall.ck2")}) {
        const ToolRun run = runTool("copy " + quoted(in) + " " + quoted(dir.file("out.ck2")));
        EXPECT_EQ(run.status, 1) << in;
        EXPECT_EQ(lines(run.err), 1) << run.err;
        EXPECT_EQ(fileBytes(dir.file("out.ck2")), (std::vector<uint8_t>{1, 2, 3}));
    }
    const std::string in = TESSALY_SAMPLES_DIR "/sample.ck2";
    const ToolRun run = runTool("copy " + quoted(in) + " " + quoted(dir.file("no/out.ck2")));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(lines(run.err), 1) << run.err;
    EXPECT_NE(run.err.find("no/out.ck2"), std::string::npos);
}

// copy never writes over its input, named twice or through a link: the file
// may hold bytes the level does not (here a tail), which the copy would drop.
TEST(LevelTool, CopyLeavesItsOwnInputAlone) {
    TempFolder dir;
    std::vector<uint8_t> level = fileBytes(TESSALY_SAMPLES_DIR "/sample.ck1");
    test::addBytes(level, {1, 2, 3});
    putFile(dir.file("level.ck1"), level);
    ASSERT_EQ(::symlink("level.ck1", dir.file("link.ck1").c_str()), 0);
    for (const std::string out : {"level.ck1", "link.ck1"}) {
        const ToolRun run =
            runTool("copy " + quoted(dir.file("level.ck1")) + " " + quoted(dir.file(out)));
        EXPECT_EQ(run.status, 1) << out;
        EXPECT_EQ(run.err, "tessaly-level: " + dir.file(out) + " is the input: not overwritten\n");
        EXPECT_EQ(fileBytes(dir.file("level.ck1")), level) << out;
    }
}

TEST(LevelTool, CheckReportsEveryFileAndChangesNone) {
    TempFolder dir;
    // Two player starts and a door link to (9,1) in a 3 x 2 level.
    std::vector<uint8_t> bad = test::plainHeader(3, 2);
    addWords(bad, {0, 0, 0, 0, 0, 0, 255, 0, 9 * 256 + 1, 0, 0, 255});
    putFile(dir.file("bad.dd2"), bad);
    std::vector<uint8_t> quiet = test::plainHeader(2, 1);
    addWords(quiet, {0, 0, 0, 0});
    putFile(dir.file("quiet.ck1"), quiet);
    putFile(dir.file("sample.ck3"), fileBytes(TESSALY_SAMPLES_DIR "/sample.ck3"));

    const std::string files = quoted(dir.file("bad.dd2")) + " " + quoted(dir.file("gone.dd2")) +
                              " " + quoted(dir.file("quiet.ck1")) + " " +
                              quoted(dir.file("sample.ck3"));
    const ToolRun run = runTool("check " + files);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "");
    const std::string d = dir.path() + "/";
    EXPECT_EQ(run.out,
              d + "bad.dd2: 3,1: error: door link 2305 leads to 10,2, outside the 3 x 2 level\n" +
                  d +
                  "bad.dd2: 3,2: error: another player start (object 255); the first is at "
                  "1,1\n" +
                  d + "bad.dd2: 2 errors, 0 notes\n" + d + "gone.dd2: error: cannot be read\n" + d +
                  "gone.dd2: 1 error, 0 notes\n" + d +
                  "quiet.ck1: note: no player start (object 255), as in the games' title and "
                  "ending levels\n" +
                  d + "quiet.ck1: 0 errors, 1 note\n" + d + "sample.ck3: 0 errors, 0 notes\n");
    EXPECT_EQ(fileBytes(dir.file("bad.dd2")), bad);
    EXPECT_EQ(fileBytes(dir.file("quiet.ck1")), quiet);
    EXPECT_FALSE(std::filesystem::exists(dir.file("gone.dd2")));

    // Notes alone leave the status at 0.
    EXPECT_EQ(
        runTool("check " + quoted(dir.file("quiet.ck1")) + " " + quoted(dir.file("sample.ck3")))
            .status,
        0);
    EXPECT_EQ(runTool("check").status, 2);
    EXPECT_EQ(runTool("check --all " + quoted(dir.file("quiet.ck1"))).status, 2);
}

// render's own failures; the pictures themselves are checked against the map
// view in tests/views/render_tool_test.cpp.
TEST(LevelTool, RenderRefusesWhatItCannotDrawAndLeavesTheOutputAlone) {
    TempFolder dir;
    const std::string sample = TESSALY_SAMPLES_DIR "/sample.ck2";
    const std::string bitmap = TESSALY_RESOURCES_DIR "/CK2TILES.bmp";
    putFile(dir.file("out.png"), {1, 2, 3});
    putFile(dir.file("wide.ck2"), test::plainHeader(257, 3));
    putFile(dir.file("empty.ck2"), test::plainHeader(0, 0));
    putFile(dir.file("level.txt"), fileBytes(sample));
    putFile(dir.file("copy.ck2"), fileBytes(sample));
    const std::string out = " " + quoted(dir.file("out.png"));
    const std::string failures[] = {
        quoted(dir.file("missing.ck2")) + out,
        quoted(dir.file("wide.ck2")) + out,
        quoted(dir.file("empty.ck2")) + out,
        quoted(dir.file("level.txt")) + out,
        quoted(sample) + out + " --tiles " + quoted(dir.file("missing.bmp")),
        quoted(sample) + out + " --tiles " + quoted(sample), // not a bitmap
        quoted(dir.file("copy.ck2")) + " " + quoted(dir.file("copy.ck2")) + " --tiles " +
            quoted(bitmap),
        quoted(sample) + " " + quoted(dir.path()) + " --tiles " + quoted(bitmap),
    };
    for (const std::string& arguments : failures) {
        const ToolRun run = runTool("render " + arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_EQ(lines(run.err), 1) << arguments << ": " << run.err;
    }
    EXPECT_EQ(fileBytes(dir.file("out.png")), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(fileBytes(dir.file("copy.ck2")), fileBytes(sample)); // OUT was the level

    const std::string wrong[] = {"",
                                 quoted(sample),
                                 quoted(sample) + out + " extra",
                                 quoted(sample) + out + " --layers",
                                 quoted(sample) + out + " --layers tiles,walls",
                                 quoted(sample) + out + " --layers ''",
                                 quoted(sample) + out + " --colours 3",
                                 quoted(sample) + out + " --tiles a --tiles b"};
    for (const std::string& arguments : wrong) {
        const ToolRun run = runTool("render " + arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_NE(run.err, "") << arguments;
    }
    EXPECT_EQ(fileBytes(dir.file("out.png")), (std::vector<uint8_t>{1, 2, 3}));

    // Options may come anywhere after the command; success replaces OUT.
    const ToolRun run = runTool("render --layers tiles,links " + quoted(sample) + " --tiles " +
                                quoted(bitmap) + out);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    const std::vector<uint8_t> png = fileBytes(dir.file("out.png"));
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
    EXPECT_EQ(png[24], 8); // bit depth
    EXPECT_EQ(png[25], 3); // colour type: palette
}

} // namespace
} // namespace tessaly
