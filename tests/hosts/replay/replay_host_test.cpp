#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "core/surface.h"
#include "hosts/host.h"
#include "hosts/replay/replay_run.h"
#include "tests/support/temp_folder.h"

namespace tessaly {
namespace {

struct Outcome {
    int status = -1;
    std::string log;
};

Outcome replay(std::string_view text, const std::function<int(Host&)>& program,
               const std::string& folder = "") {
    ReplayScript script;
    auto errors = parseReplayScript(text, folder, script);
    EXPECT_TRUE(errors.empty());
    std::ostringstream log;
    Outcome out;
    out.status = runReplay(script, log, "/opt/tessaly/bin", program);
    out.log = log.str();
    return out;
}

// A program that pauses 10 ms at a time forever, calling `pass` after every pause.
std::function<int(Host&)> polling(const std::function<void(Host&)>& pass) {
    return [pass](Host& host) -> int {
        for (;;) {
            host.pause(10);
            pass(host);
        }
    };
}

DialogRequest levelRequest() {
    return {"Open Level", {{"Dave Levels, (*.dd2)", "*.dd2"}, {"Knight Levels", "*.nin"}}, 2, ""};
}

TEST(ReplayClock, LinesApplyInThePauseThatReachesTheirStamp) {
    std::vector<int> xs;
    Outcome out = replay("wait 25\nmouse 5 0\nwait 10\nmouse 7 0\n",
                         polling([&](Host& host) { xs.push_back(host.readMouse().x); }));
    // Pauses end at 10, 20 and 30; the script ends at 35, inside the next
    // pause, which applies the last line and then gives no more time.
    EXPECT_EQ(xs, (std::vector<int>{0, 0, 5}));
    EXPECT_EQ(out.status, 0);
    EXPECT_EQ(out.log, "");
}

TEST(ReplayClock, ChecksInsideALongPauseSeeThePageAsItIsThen) {
    Surface surface;
    auto program = [&](Host& host) {
        openSurface(surface);
        host.openWindow(surface);
        setPixel(surface, 1, 1, 5);
        host.pause(100);
        setPixel(surface, 1, 1, 6);
        host.pause(100);
        return 3;
    };
    Outcome out = replay("wait 50\n"
                         "expect-pixel 1 1 5\n"
                         "wait 50\n"
                         "expect-pixel 1 1 6\n" // at 100: still inside the first pause
                         "wait 1\n"
                         "expect-pixel 1 1 6\n"
                         "wait 1000\n",
                         program);
    EXPECT_EQ(out.log, "@100 expect-failed 4: pixel (1, 1) is 5, expected 6\n"
                       "@200 exit 3\n");
    EXPECT_EQ(out.status, 1);
}

TEST(ReplayClock, LinesStampedZeroApplyBeforeStartUp) {
    bool heldAtStart = false;
    MouseState mouseAtStart;
    Outcome out = replay("keydown F5\nmouse 3 4\npress right\nexpect-pixel 0 0 0\nexpect-title x",
                         [&](Host& host) {
                             heldAtStart = host.keyHeld(scan::F5);
                             mouseAtStart = host.readMouse();
                             host.setTitle("x");
                             return 0;
                         });
    EXPECT_TRUE(heldAtStart);
    EXPECT_EQ(mouseAtStart.x, 3);
    EXPECT_EQ(mouseAtStart.y, 4);
    EXPECT_EQ(mouseAtStart.buttons, 2);
    EXPECT_EQ(mouseAtStart.wheel, 0);
    EXPECT_EQ(out.log, "@0 expect-failed 4: no window is open\n"
                       "@0 expect-failed 5: title is \"\", expected \"x\"\n"
                       "@0 title \"x\"\n"
                       "@0 exit 0\n");
    EXPECT_EQ(out.status, 1);
}

TEST(ReplayClock, AnEmptyScriptStopsAtTheFirstPause) {
    int pauses = 0;
    Outcome empty = replay("", [&](Host& host) {
        host.setTitle("started");
        for (;;) {
            host.pause(10);
            ++pauses;
        }
        return 0;
    });
    EXPECT_EQ(pauses, 0);
    EXPECT_EQ(empty.log, "@0 title \"started\"\n");
    EXPECT_EQ(empty.status, 0);
}

TEST(ReplayClock, TrailingWaitLetsAnUninterruptiblePauseFinish) {
    // The Exit command's shape: a click seen, 300 ms shown pressed, then the end.
    auto exitOnClick = [](Host& host) {
        for (;;) {
            host.pause(10);
            if (host.readMouse().buttons == 1) {
                host.pause(300);
                return 0;
            }
        }
    };
    Outcome finished = replay("wait 20\npress left\nwait 300\n", exitOnClick);
    EXPECT_EQ(finished.log, "@320 exit 0\n");
    EXPECT_EQ(finished.status, 0);

    Outcome cut = replay("wait 20\npress left\n", exitOnClick);
    EXPECT_EQ(cut.log, "");
    EXPECT_EQ(cut.status, 0);
}

TEST(ReplayClock, TheRestOfTheScriptIsIgnoredOnceTheProgramExits) {
    Outcome out = replay("wait 100\nexpect-title never\nopen-cancel\n", [](Host& host) {
        host.pause(30);
        return 7;
    });
    EXPECT_EQ(out.log, "@30 exit 7\n");
    EXPECT_EQ(out.status, 0);
}

TEST(ReplayKeys, FocusChangeHidesHeldKeysUntilPressedAgain) {
    std::vector<bool> held, fresh;
    Outcome out = replay("keydown F6\n"
                         "press left\npress right\nrelease right\n"
                         "wait 10\nfocus-lost\n"
                         "wait 10\nkeydown F6\nkeydown LEFT\n" // F6 already down: no change
                         "wait 10\nkeyup F6\n"
                         "wait 10\nkeydown F6\n"
                         "wait 10\nfocus-gained\n"
                         "wait 10\nkeyup F6\nkeydown F6\n",
                         polling([&](Host& host) {
                             held.push_back(host.keyHeld(scan::F6));
                             fresh.push_back(host.keyHeld(scan::Left));
                             EXPECT_EQ(host.readMouse().buttons, 1); // focus keeps buttons
                         }));
    EXPECT_EQ(held, (std::vector<bool>{false, false, false, true, false, true}));
    EXPECT_EQ(fresh, (std::vector<bool>{false, true, true, true, false, false}));
    EXPECT_EQ(out.status, 0);
}

// A loop pass as the program runs one: pause, beginPass, then the reads.
std::function<int(Host&)> passes(const std::function<void(Host&)>& reads) {
    return polling([reads](Host& host) {
        host.beginPass();
        reads(host);
    });
}

TEST(ReplayKeys, ClickAndTapActExactlyOnceWhereTheClickWasMade) {
    std::vector<int> buttons, xs;
    std::vector<bool> taps;
    Outcome out = replay("wait 15\n"
                         "mouse 40 50\nclick left\nmouse 300 200\ntap F5\n"
                         "wait 20\n"
                         "click right\nclick right\n" // twice in one pass: one action
                         "wait 20\n",
                         passes([&](Host& host) {
                             const MouseState m = host.readMouse();
                             buttons.push_back(m.buttons);
                             xs.push_back(m.x);
                             taps.push_back(host.keyHeld(scan::F5));
                         }));
    // Pass reads at 10, 20, 30, 40, 50; the lines at 15 and 35 fall between.
    EXPECT_EQ(buttons, (std::vector<int>{0, 1, 0, 2, 0}));
    EXPECT_EQ(xs, (std::vector<int>{0, 40, 300, 300, 300}));
    EXPECT_EQ(taps, (std::vector<bool>{false, true, false, false, false}));
    EXPECT_EQ(out.status, 0);
}

TEST(ReplayKeys, AHoldSeenByAReadIsNotKeptAndAFocusChangeForgetsTaps) {
    std::vector<bool> held;
    Outcome out = replay("wait 5\nkeydown F6\nwait 10\nkeyup F6\n" // read held at 10
                         "wait 10\ntap F6\nfocus-lost\n"           // tapped, then forgotten
                         "wait 10\n",
                         passes([&](Host& host) { held.push_back(host.keyHeld(scan::F6)); }));
    EXPECT_EQ(held, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(out.status, 0);
}

TEST(ReplayClock, NoTimeIsGivenPastTheScriptsEnd) {
    std::vector<long long> reached;
    // The script ends at 35: a 300 ms pause from 20 applies the line at 30
    // and stops there, without the program ever returning from it.
    Outcome out = replay("wait 20\nmouse 5 5\nwait 10\npress left\nwait 5\n", [&](Host& host) {
        host.pause(20);
        reached.push_back(20);
        host.pause(300);
        reached.push_back(320);
        return 0;
    });
    EXPECT_EQ(reached, (std::vector<long long>{20}));
    EXPECT_EQ(out.log, "");
    EXPECT_EQ(out.status, 0);
}

TEST(ReplayKeys, KeysOutsideTheTableAreNeverHeld) {
    bool any = false;
    replay("keydown 0x7F\nkeydown 0x00\n", [&](Host& host) {
        any = host.keyHeld(128) || host.keyHeld(-1) || host.keyHeld(1000);
        EXPECT_TRUE(host.keyHeld(0x7F));
        EXPECT_TRUE(host.keyHeld(0));
        return 0;
    });
    EXPECT_FALSE(any);
}

TEST(ReplayKeys, DialogsAndTheAboutBoxCountAsAFocusLossAndGain) {
    std::vector<bool> held;
    Outcome out =
        replay("keydown F6\nkeydown LEFT\npress left\nsave out.ck1\nwait 10\n", [&](Host& host) {
            held.push_back(host.keyHeld(scan::F6));
            EXPECT_EQ(host.saveFileDialog(levelRequest()), "out.ck1");
            held.push_back(host.keyHeld(scan::F6));
            host.pause(10);
            held.push_back(host.keyHeld(scan::F6));
            EXPECT_EQ(host.readMouse().buttons, 1);
            host.pause(10); // at the script's end: never returns
            ADD_FAILURE() << "paused past the end";
            return 0;
        });
    EXPECT_EQ(held, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(out.log, "@0 save-dialog \"Open Level\" "
                       "\"Dave Levels, (*.dd2)|*.dd2|Knight Levels|*.nin\" -> \"out.ck1\"\n");
    EXPECT_EQ(out.status, 0);

    held.clear();
    out = replay("keydown LEFT\nwait 10\n", [&](Host& host) {
        host.showAboutBox();
        held.push_back(host.keyHeld(scan::Left));
        return 0;
    });
    EXPECT_EQ(held, (std::vector<bool>{false}));
    EXPECT_EQ(out.log, "@0 about\n@0 exit 0\n");
}

TEST(ReplayDialogs, AnswersAreTakenInOrderWithoutReadingAhead) {
    std::vector<std::string> answers;
    Outcome out = replay(
        "open first.ck1\n"
        "save never used.ck1\n"
        "open-cancel\n"
        "wait 20\n"
        "open third.ck1\n",
        [&](Host& host) {
            answers.push_back(host.openFileDialog(levelRequest()));
            answers.push_back(host.openFileDialog(levelRequest()));
            // third.ck1 stands at 20; the save answer is of the other kind.
            answers.push_back(host.openFileDialog(levelRequest()));
            return 0;
        },
        "levels");
    EXPECT_EQ(answers, (std::vector<std::string>{"levels/first.ck1", ""}));
    const std::string shown =
        "\"Open Level\" \"Dave Levels, (*.dd2)|*.dd2|Knight Levels|*.nin\" -> ";
    EXPECT_EQ(out.log, "@0 open-dialog " + shown + "\"first.ck1\"\n" + //
                           "@0 open-dialog " + shown + "\"\"\n" +      //
                           "@0 open-dialog " + shown + "NONE\n");
    EXPECT_EQ(out.status, 2);

    answers.clear();
    out = replay("open first.ck1\nwait 20\nopen third.ck1\nsave-cancel\n", [&](Host& host) {
        answers.push_back(host.openFileDialog(levelRequest()));
        host.pause(20);
        answers.push_back(host.openFileDialog(levelRequest()));
        answers.push_back(host.saveFileDialog({"Save", {}, 1, ""}));
        return 0;
    });
    EXPECT_EQ(answers, (std::vector<std::string>{"first.ck1", "third.ck1", ""}));
    EXPECT_NE(out.log.find("@20 save-dialog \"Save\" \"\" -> \"\"\n@20 exit 0\n"),
              std::string::npos);
    EXPECT_EQ(out.status, 0);
}

TEST(ReplayDialogs, MissingAnswerWinsOverAFailedCheck) {
    Outcome out = replay("expect-title a\n", [](Host& host) {
        host.saveFileDialog({"Save", {}, 1, ""});
        return 0;
    });
    EXPECT_EQ(out.status, 2);
    EXPECT_EQ(out.log, "@0 expect-failed 1: title is \"\", expected \"a\"\n"
                       "@0 save-dialog \"Save\" \"\" -> NONE\n");
}

TEST(ReplayHostTitle, CutTo127AndControlCharactersShownAsEscapes) {
    const std::string longTitle(200, 'T');
    Outcome out = replay("wait 10\nexpect-title " + std::string(127, 'T') + "\n", [&](Host& host) {
        host.setTitle(longTitle);
        host.pause(10);
        host.setTitle(std::string("a\x01\"b", 4));
        return 0;
    });
    EXPECT_EQ(out.log, "@0 title \"" + std::string(127, 'T') + "\"\n" +
                           "@10 title \"a\\x01\"b\"\n@10 exit 0\n");
    EXPECT_EQ(out.status, 0);
}

TEST(ReplayHostMisc, CloseRequestIsReportedOnceAndTheFolderIsGiven) {
    std::vector<bool> close;
    replay("close-window\nclose-window\nwait 10\nclose-window\n", [&](Host& host) {
        EXPECT_EQ(host.executableDirectory(), "/opt/tessaly/bin");
        close.push_back(host.closeRequested());
        close.push_back(host.closeRequested());
        host.pause(10);
        close.push_back(host.closeRequested());
        return 0;
    });
    EXPECT_EQ(close, (std::vector<bool>{true, false, true}));
}

class ReplayFiles : public testing::Test {
  protected:
    test::TempFolder temp;
    std::filesystem::path folder = temp.fsPath();
};

TEST_F(ReplayFiles, ScreenshotWritesThePngAndLogsThePathAsWritten) {
    Surface surface;
    Outcome out = replay(
        "wait 10\nscreenshot shot one.png\nscreenshot missing/shot.png\n",
        [&](Host& host) {
            openSurface(surface);
            host.openWindow(surface);
            host.pause(10);
            return 0;
        },
        folder.string());
    EXPECT_EQ(out.log, "@10 screenshot shot one.png\n"
                       "@10 screenshot missing/shot.png\n"
                       "@10 expect-failed 3: cannot write missing/shot.png\n"
                       "@10 exit 0\n");
    EXPECT_EQ(out.status, 1);
    std::ifstream png(folder / "shot one.png", std::ios::binary);
    char signature[4] = {};
    png.read(signature, 4);
    EXPECT_EQ(std::string(signature + 1, 3), "PNG");
}

// FIFOs, /dev/zero and alarm() are POSIX's: these two cases run on Linux.
#ifndef _WIN32
// A screenshot is written only as a regular file: a FIFO (which would block
// the run for ever) and a folder fail like a failed check.
TEST_F(ReplayFiles, ScreenshotIntoAFifoOrAFolderFails) {
    ASSERT_EQ(::mkfifo((folder / "fifo.png").c_str(), 0600), 0);
    std::filesystem::create_directories(folder / "folder.png");
    Surface surface;
    ::alarm(60); // a hang ends the test as a failure
    Outcome out = replay(
        "wait 10\nscreenshot fifo.png\nscreenshot folder.png\n",
        [&](Host& host) {
            openSurface(surface);
            host.openWindow(surface);
            host.pause(10);
            return 0;
        },
        folder.string());
    ::alarm(0);
    EXPECT_EQ(out.log, "@10 screenshot fifo.png\n"
                       "@10 expect-failed 2: cannot write fifo.png\n"
                       "@10 screenshot folder.png\n"
                       "@10 expect-failed 3: cannot write folder.png\n"
                       "@10 exit 0\n");
    EXPECT_EQ(out.status, 1);
}

// Only a regular file of at most 16 MiB is read as a script; anything else
// gets one line and status 2 at once, and nothing runs.
TEST_F(ReplayFiles, ScriptsThatAreNotFilesOrTooLargeAreRefusedUnread) {
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    std::ofstream(folder / "large.txt") << "wait 10\n";
    std::filesystem::resize_file(folder / "large.txt", (std::uintmax_t(16) << 20) + 1);
    std::ofstream(folder / "long.txt") << "wait 2147483647\nwait 2147483647\n";
    struct Case {
        std::string path, why;
    };
    const std::string large = (folder / "large.txt").string();
    const std::string longRun = (folder / "long.txt").string();
    ::alarm(60); // a hang ends the test as a failure
    for (const Case& c :
         {Case{"/dev/zero", "/dev/zero: not a regular file"},
          Case{(folder / "fifo").string(), (folder / "fifo").string() + ": not a regular file"},
          Case{folder.string(), folder.string() + ": not a regular file"},
          Case{large, large + ": 16777217 bytes, more than the 16777216 a script may hold"},
          Case{longRun, longRun + ":1: the script's waits add up to 4294967294 ms, more than "
                                  "the 86400000 ms (24 hours) a script may run"}}) {
        std::ostringstream log, errors;
        bool ran = false;
        const int status = runReplayFile(c.path, log, errors, ".", [&](Host&) {
            ran = true;
            return 0;
        });
        EXPECT_EQ(status, 2) << c.path;
        EXPECT_FALSE(ran) << c.path;
        EXPECT_EQ(log.str(), "");
        EXPECT_EQ(errors.str(), c.why + "\n");
    }
    ::alarm(0);
}
#endif

TEST_F(ReplayFiles, BadScriptRunsNothingAndExitsTwo) {
    std::ofstream(folder / "bad.txt") << "mouse 1 1\nwait soon\nkeydown F11\n";
    std::ostringstream log, errors;
    bool ran = false;
    std::string path = (folder / "bad.txt").string();
    int status = runReplayFile(path, log, errors, ".", [&](Host&) {
        ran = true;
        return 0;
    });
    EXPECT_EQ(status, 2);
    EXPECT_FALSE(ran);
    EXPECT_EQ(log.str(), "");
    EXPECT_EQ(errors.str(),
              path + ":2: wait needs one whole number of milliseconds, 0 to 2147483647\n" + path +
                  ":3: keydown needs a key name or a scan code 0x00 to 0x7F\n");

    errors.str("");
    status = runReplayFile((folder / "none.txt").string(), log, errors, ".", [&](Host&) {
        ran = true;
        return 0;
    });
    EXPECT_EQ(status, 2);
    EXPECT_FALSE(ran);
    EXPECT_EQ(errors.str(), (folder / "none.txt").string() + ": cannot read the script\n");
}

// The log is the run's result: one that cannot be written whole (standard
// output on a full disk) fails the run with one line.
TEST_F(ReplayFiles, ALogThatCannotBeWrittenFailsTheRun) {
    std::ofstream(folder / "run.txt") << "wait 5\n";
    std::ostream log(nullptr); // takes no bytes, as a full disk
    std::ostringstream errors;
    const std::string path = (folder / "run.txt").string();
    EXPECT_EQ(runReplayFile(path, log, errors, ".", [](Host&) { return 0; }), 1);
    EXPECT_EQ(errors.str(), path + ": the log could not be written\n");
}

TEST_F(ReplayFiles, ScriptFilePathsAreTakenInItsFolder) {
    std::ofstream(folder / "run.txt", std::ios::binary) << "open level.ck1\r\nwait 5\r\n";
    std::ostringstream log, errors;
    std::string opened;
    int status = runReplayFile((folder / "run.txt").string(), log, errors, ".", [&](Host& host) {
        opened = host.openFileDialog({"Open", {{"L", "*.ck1"}}, 1, ""});
        return 0;
    });
    EXPECT_EQ(status, 0) << errors.str();
    EXPECT_EQ(std::filesystem::path(opened), folder / "level.ck1");
    EXPECT_EQ(log.str(), "@0 open-dialog \"Open\" \"L|*.ck1\" -> \"level.ck1\"\n@0 exit 0\n");
}

} // namespace
} // namespace tessaly
