// What the two real windows (SDL with GTK on Linux, Win32 on Windows) share
// around their own event pumps: the input state and its rules (key_table.h),
// pauses that keep handling events and showing the page, the program's clock,
// close requests, and the focus rule around modal dialogs.
#pragma once

#include <cstdint>

#include "hosts/host.h"
#include "hosts/key_table.h"

namespace tessaly {

// The smallest the real windows may be made (their inside, without the
// frame): smaller, the screen's text would no longer be readable.
constexpr int kMinimumWindowWidth = 640, kMinimumWindowHeight = 480;

class WindowHost : public Host {
  public:
    void beginPass() override;
    bool keyHeld(int scanCode) override;
    // Sleeps in short slices, handling events and showing the page between
    // them, so a long pause keeps the window responsive; never ends early.
    void pause(int milliseconds) override;
    int64_t clockMilliseconds() override;
    bool closeRequested() override;
    // DOSBox as hosts/dosbox_search.h finds it; processes as
    // system/process_start.h starts them.
    std::string findDosBox() override;
    ProcessStart startProcess(const ProcessRequest& request) override;

    // Shows what changed on the visible page since the last present; does
    // nothing when neither the page nor the palette changed.
    virtual void present() = 0;
    // Handles every waiting window event.
    virtual void pumpEvents() = 0;
    virtual bool hasWindow() const = 0;

  protected:
    // Waits up to `milliseconds`, or less when an event arrives.
    virtual void waitForEvents(int milliseconds) = 0;
    // The clock the window system stamps its events with, in milliseconds.
    virtual uint32_t eventClock() = 0;
    // After a modal dialog: the editor window takes the focus back.
    virtual void takeBackFocus() = 0;

    // Runs a modal dialog: it takes the focus from the editor window and
    // gives it back, and the host says so to the key table itself, whatever
    // the window system reports, so every key reads as not held until it is
    // pressed again and no click made before counts after.
    template <class Show>
    auto runModal(Show show) {
        pumpEvents();
        present();
        focusLost(keys_, eventClock());
        auto result = show();
        takeBackFocus();
        focusGained(keys_, eventClock());
        present();
        return result;
    }

    KeyTable keys_;
    // No window could be opened: a close request is reported on every call,
    // so the program can end the usual way.
    bool windowFailed_ = false;
};

} // namespace tessaly
