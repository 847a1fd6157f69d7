// The host of the real program on Windows: a window that shows the surface's
// visible page, reads the mouse and the keyboard, and the system's own
// dialogs for files, questions, messages and the About box.
//
//     tessaly::Win32Host host;
//     return tessaly::runProgram(host);
//
// The window's client area opens at 800 x 600 and may be resized; the page
// is laid into it as on the other systems (page_picture.h) and drawn through
// an 8-bit device-independent bitmap whose colour table is the palette as
// shown, stretched by the system. Pointer positions are mapped back to page
// pixels; a pointer outside the page reads as x = y = -1 with the buttons
// and the wheel kept. Keys are read by their set-1 scan codes from the
// keyboard messages (key_codes.h) into the same key table as on Linux, with
// the same focus rule. When no window can be made the mouse reads -1 in all
// four values, no key is ever held, and a close request is reported on every
// call so the program can end the usual way.
#pragma once

#include <bitset>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/host.h"
#include "platform/sdl/key_table.h"
#include "platform/sdl/page_picture.h"

namespace tessaly {

struct Win32Window;

class Win32Host : public Host {
  public:
    Win32Host();
    ~Win32Host() override;
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;

    void openWindow(Surface& surface) override;
    void setTitle(std::string_view title) override;
    void beginPass() override;
    MouseState readMouse() override;
    bool keyHeld(int scanCode) override;
    void pause(int milliseconds) override;
    void pauseUninterruptible(int milliseconds) override;
    int64_t clockMilliseconds() override;
    WallClock wallClock() override;
    std::string executableDirectory() override;
    std::string openFileDialog(const DialogRequest& request) override;
    std::string saveFileDialog(const DialogRequest& request) override;
    void showAboutBox() override;
    int ask(const Question& question) override;
    void showMessage(std::string_view text) override;
    bool closeRequested() override;

    // Shows what changed on the visible page since the last present; does
    // nothing when neither the page nor the palette changed. Called by the
    // host itself at every pause and mouse read.
    void present();
    // Handles every waiting window message.
    void pumpMessages();

    bool hasWindow() const;

    // Called by the window procedure.
    void keyMessage(uint32_t message, uint32_t wParam, uint32_t lParam, uint32_t time);
    void buttonMessage(int button, bool down);
    void wheelMessage(int delta);
    void focusMessage(bool gained, uint32_t time);
    void paintMessage();
    void sizeMessage();
    void closeMessage() { closeRequest_ = true; }

  private:
    void waitPumping(int milliseconds);
    void drawPicture(void* deviceContext, const PixelRect& pageRect);
    template <class Show>
    auto runModal(Show show);

    Surface* surface_ = nullptr;
    std::unique_ptr<Win32Window> window_;
    bool windowFailed_ = false;
    std::string title_;

    KeyTable keys_;
    std::bitset<kKeyCodes> tappedKeys_; // went down since the last pass
    std::bitset<kKeyCodes> passKeys_;   // taps kept for this pass
    int buttons_ = 0;                   // held now, from the button messages
    int tappedButtons_ = 0;             // went down since the last pass
    int passButtons_ = 0;               // taps kept for this pass
    int wheel_ = 0;
    bool closeRequest_ = false;

    PageFit fit_;
    bool wholeWindowStale_ = true;
    bool coloursStale_ = true;
};

} // namespace tessaly
