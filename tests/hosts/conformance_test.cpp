// The rules every host keeps, run against each host through a driver that
// plays the user on it: keys and buttons as the program reads them, kept
// presses and clicks, the focus rule around dialogs, close requests, pauses.
// A new host proves itself by passing these.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <sstream>

#include "core/surface.h"
#include "hosts/replay/replay_host.h"
#include "tests/support/test_host.h"

#ifdef TESSALY_CONFORMANCE_SDL
#include <SDL.h>

#include "hosts/sdl/sdl_host.h"
#include "tests/support/scoped_env.h"
#endif

namespace tessaly::testing {
namespace {

// The replay host, fed script lines one at a time: each line is stamped one
// millisecond on and applied by a pause of that millisecond.
class ReplayDriver {
  public:
    ReplayDriver() {
        script_.lines.reserve(1000); // the host keeps pointers to queued answers
        script_.endTime = 1'000'000'000;
        host_ = std::make_unique<ReplayHost>(script_, log_, ".");
        host_->start();
        host_->openWindow(surface_);
    }
    Host& host() { return *host_; }
    void keyDown(int code) { line(ReplayCommand::KeyDown, code); }
    void keyUp(int code) { line(ReplayCommand::KeyUp, code); }
    void moveTo(int x, int y) { line(ReplayCommand::Mouse, 0, x, y); }
    void click(int bits) { line(ReplayCommand::Click, bits); }
    void wheel(int notches) { line(ReplayCommand::Wheel, notches); }
    void closeWindow() { line(ReplayCommand::CloseWindow); }
    void cancelNextFolderDialog() { line(ReplayCommand::FolderCancel); }
    void cancelNextSizeDialog() { line(ReplayCommand::SizeCancel); }

  private:
    void line(ReplayCommand command, int value = 0, int x = 0, int y = 0) {
        ReplayLine l;
        l.time = host_->now() + 1;
        l.command = command;
        l.value = value;
        l.x = x;
        l.y = y;
        script_.lines.push_back(l);
        host_->pause(1);
    }
    ReplayScript script_;
    std::ostringstream log_;
    Surface surface_;
    std::unique_ptr<ReplayHost> host_;
};

class TestHostDriver {
  public:
    Host& host() { return host_; }
    void keyDown(int code) { host_.pressKey(code); }
    void keyUp(int code) { host_.releaseKey(code); }
    void moveTo(int x, int y) {
        host_.mouse.x = x;
        host_.mouse.y = y;
    }
    void click(int bits) { host_.click(bits); }
    void wheel(int notches) { host_.mouse.wheel += notches; }
    void closeWindow() { host_.closeRequest = true; }
    void cancelNextFolderDialog() {} // an empty queue cancels
    void cancelNextSizeDialog() {}

  private:
    TestHost host_;
};

#ifdef TESSALY_CONFORMANCE_SDL
// The real window's host under SDL's dummy video driver, fed SDL's own
// events. With no display GTK does not start, so its dialogs return at once.
class SdlDriver {
  public:
    SdlDriver() { host_.openWindow(surface_); }
    Host& host() { return host_; }
    void keyDown(int code) { key(SDL_KEYDOWN, code); }
    void keyUp(int code) { key(SDL_KEYUP, code); }
    void moveTo(int x, int y) {
        SDL_Event e{};
        e.type = SDL_MOUSEMOTION;
        e.motion.x = x;
        e.motion.y = y;
        SDL_PushEvent(&e);
    }
    void click(int bits) {
        for (Uint32 type : {Uint32(SDL_MOUSEBUTTONDOWN), Uint32(SDL_MOUSEBUTTONUP)}) {
            SDL_Event e{};
            e.type = type;
            e.button.button = bits == 1   ? SDL_BUTTON_LEFT
                              : bits == 2 ? SDL_BUTTON_RIGHT
                                          : SDL_BUTTON_MIDDLE;
            SDL_PushEvent(&e);
        }
    }
    void wheel(int notches) {
        SDL_Event e{};
        e.type = SDL_MOUSEWHEEL;
        e.wheel.y = notches;
        e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
        SDL_PushEvent(&e);
    }
    void closeWindow() {
        SDL_Event e{};
        e.type = SDL_QUIT;
        SDL_PushEvent(&e);
    }
    void cancelNextFolderDialog() {} // with no display no dialog shows
    void cancelNextSizeDialog() {}

  private:
    static SDL_Scancode sdlCode(int code) {
        switch (code) {
        case scan::Ctrl:
            return SDL_SCANCODE_LCTRL;
        case scan::Z:
            return SDL_SCANCODE_Z;
        case scan::F6:
            return SDL_SCANCODE_F6;
        default:
            return SDL_SCANCODE_RIGHT;
        }
    }
    void key(Uint32 type, int code) {
        SDL_Event e{};
        e.type = type;
        e.key.keysym.scancode = sdlCode(code);
        e.key.keysym.sym = SDL_GetKeyFromScancode(e.key.keysym.scancode);
        SDL_PushEvent(&e);
    }
    ScopedEnv driver_{"SDL_VIDEODRIVER", "dummy"};
    ScopedEnv display_{"DISPLAY", nullptr};
    ScopedEnv wayland_{"WAYLAND_DISPLAY", nullptr};
    Surface surface_;
    SdlHost host_{VideoDrivers::AnyIncludingDummy};
};
#endif

template <class Driver>
class HostConformance : public ::testing::Test {
  protected:
    Host& host() { return driver.host(); }
    bool held(int code) { return host().keyHeld(code); }
    Driver driver;
};

using Drivers = ::testing::Types<ReplayDriver, TestHostDriver
#ifdef TESSALY_CONFORMANCE_SDL
                                 ,
                                 SdlDriver
#endif
                                 >;
TYPED_TEST_SUITE(HostConformance, Drivers);

TYPED_TEST(HostConformance, AKeyReadsHeldFromItsPressToItsRelease) {
    this->driver.keyDown(scan::Right);
    this->host().beginPass();
    EXPECT_TRUE(this->held(scan::Right));
    EXPECT_TRUE(this->held(scan::Right));
    this->driver.keyUp(scan::Right);
    this->host().beginPass();
    EXPECT_FALSE(this->held(scan::Right));
    EXPECT_FALSE(this->held(-1));
    EXPECT_FALSE(this->held(128));
}

// A tap between two passes reads held for the whole next pass and no longer.
TYPED_TEST(HostConformance, ATapBetweenPassesActsInExactlyOnePass) {
    this->host().beginPass();
    this->driver.keyDown(scan::Right);
    this->driver.keyUp(scan::Right);
    this->host().beginPass();
    EXPECT_TRUE(this->held(scan::Right));
    EXPECT_TRUE(this->held(scan::Right));
    this->host().beginPass();
    EXPECT_FALSE(this->held(scan::Right));
}

// Ctrl held at one pass and let go before the next, Z tapped between: the
// pass that keeps Z reads Ctrl with it.
TYPED_TEST(HostConformance, AChordTappedAcrossAPassKeepsItsModifier) {
    this->driver.keyDown(scan::Ctrl);
    this->host().beginPass();
    EXPECT_FALSE(this->held(scan::Z));
    this->driver.keyDown(scan::Z);
    this->driver.keyUp(scan::Z);
    this->driver.keyUp(scan::Ctrl);
    this->host().beginPass();
    EXPECT_TRUE(this->held(scan::Z));
    EXPECT_TRUE(this->held(scan::Ctrl));
}

// A dialog takes the focus and gives it back: a key held across it reads
// as not held until it is pressed again.
TYPED_TEST(HostConformance, AKeyHeldAcrossADialogCountsOnlyWhenPressedAgain) {
    this->driver.keyDown(scan::F6);
    this->host().beginPass();
    ASSERT_TRUE(this->held(scan::F6));
    this->host().showMessage("a message");
    this->host().beginPass();
    EXPECT_FALSE(this->held(scan::F6));
    this->driver.keyUp(scan::F6);
    this->driver.keyDown(scan::F6);
    this->host().beginPass();
    EXPECT_TRUE(this->held(scan::F6));
}

// The folder dialog takes the focus like every dialog.
TYPED_TEST(HostConformance, AKeyHeldAcrossAFolderDialogCountsOnlyWhenPressedAgain) {
    this->driver.keyDown(scan::F6);
    this->host().beginPass();
    ASSERT_TRUE(this->held(scan::F6));
    this->driver.cancelNextFolderDialog();
    EXPECT_EQ(this->host().chooseFolder({"Choose the game folder", ""}), "");
    this->host().beginPass();
    EXPECT_FALSE(this->held(scan::F6));
}

// So does the size dialog; cancelled, it chooses nothing.
TYPED_TEST(HostConformance, ACancelledSizeDialogChoosesNothingAndTakesTheFocus) {
    this->driver.keyDown(scan::F6);
    this->host().beginPass();
    ASSERT_TRUE(this->held(scan::F6));
    this->driver.cancelNextSizeDialog();
    EXPECT_FALSE(this->host().askSize({"Resize Level", 30, 25, true}).chosen);
    this->host().beginPass();
    EXPECT_FALSE(this->held(scan::F6));
}

// A process runs on its own: starting it does not wait for it.
TYPED_TEST(HostConformance, StartingAProcessReturnsAtOnce) {
    const auto before = std::chrono::steady_clock::now();
    const ProcessStart started = this->host().startProcess({"sh", {"-c", "sleep 1"}, ""});
    EXPECT_TRUE(started.started) << started.why;
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(500));
}

// A quick click counts once, where it was made, however far the pointer has
// moved since.
TYPED_TEST(HostConformance, AQuickClickActsOnceWhereItWasMade) {
    this->driver.moveTo(100, 200);
    this->driver.click(1);
    this->driver.moveTo(300, 250);
    this->host().beginPass();
    const MouseState m = this->host().readMouse();
    EXPECT_EQ(m.buttons, 1);
    EXPECT_EQ(m.x, 100);
    EXPECT_EQ(m.y, 200);
    this->host().beginPass();
    EXPECT_EQ(this->host().readMouse().buttons, 0);
}

// The wheel reads as a running count: a notch away from the user is one
// more, a notch towards one less.
TYPED_TEST(HostConformance, AWheelNotchReadsAsAChangeOfOne) {
    this->host().beginPass();
    const int before = this->host().readMouse().wheel;
    this->driver.wheel(1);
    this->host().beginPass();
    EXPECT_EQ(this->host().readMouse().wheel, before + 1);
    this->driver.wheel(-1);
    this->driver.wheel(-1);
    this->host().beginPass();
    EXPECT_EQ(this->host().readMouse().wheel, before - 1);
}

TYPED_TEST(HostConformance, ACloseRequestIsReportedOnce) {
    EXPECT_FALSE(this->host().closeRequested());
    this->driver.closeWindow();
    this->host().beginPass();
    EXPECT_TRUE(this->host().closeRequested());
    EXPECT_FALSE(this->host().closeRequested());
}

TYPED_TEST(HostConformance, APauseLastsAtLeastItsTimeOnAClockThatNeverGoesBack) {
    const int64_t before = this->host().clockMilliseconds();
    this->host().pause(20);
    const int64_t after = this->host().clockMilliseconds();
    EXPECT_GE(after - before, 20);
    this->host().pause(0);
    EXPECT_GE(this->host().clockMilliseconds(), after);
}

} // namespace
} // namespace tessaly::testing
