// The host of the real program on Windows: a window that shows the surface's
// visible page, reads the mouse and the keyboard, and the system's own
// dialogs for files, questions, messages and the About box.
//
//     tessaly::Win32Host host;
//     return tessaly::runProgram(host);
//
// The window's client area opens at 800 x 600 and may be resized down to
// 640 x 480; F11 switches it to full screen on its monitor and back, to
// maximised when it was. The page is laid into
// it as on the other systems (page_picture.h): at a whole multiple of its size
// it is drawn through an 8-bit device-independent bitmap whose colour table is
// the palette as shown, stretched by the system; at any other size the shared
// sharp scaling draws a 32-bit picture of the window, which the system copies.
// Pointer positions are mapped back to page pixels; a pointer outside the
// page reads as x = y = -1 with the buttons and the wheel kept.
//
// Input. Keys are read by their set-1 scan codes from the keyboard messages
// (key_codes.h) into the same key table as on Linux, with the same focus
// rule. A key or button pressed since the previous pass and not yet read as
// held is kept for the next pass (hosts/kept_presses.h); in a pass that
// keeps a click the pointer reads where that click went down. The file
// dialogs start in the request's folder. When no window can be
// made the mouse reads -1 in all four values, no key is ever held, and a close
// request is reported on every call so the program can end the usual way.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "hosts/page_picture.h"
#include "hosts/window_host.h"

namespace tessaly {

struct Win32Window;

class Win32Host : public WindowHost {
  public:
    Win32Host();
    ~Win32Host() override;
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;

    void openWindow(Surface& surface) override;
    void setTitle(std::string_view title) override;
    MouseState readMouse() override;
    WallClock wallClock() override;
    std::string executableDirectory() override;
    std::string openFileDialog(const DialogRequest& request) override;
    std::string saveFileDialog(const DialogRequest& request) override;
    void showAboutBox() override;
    int ask(const Question& question) override;
    void showMessage(std::string_view text) override;
    SizeChoice askSize(const SizeRequest& request) override;
    std::string chooseFolder(const FolderRequest& request) override;

    void present() override;
    // Handles every waiting window message.
    void pumpEvents() override;
    bool hasWindow() const override;
    // Gives the window's client area this size, as the user would (for the
    // benchmarks).
    void setWindowSize(int width, int height);

    // Called by the window procedure.
    void keyMessage(uint32_t message, uint32_t wParam, uint32_t lParam, uint32_t time);
    void buttonMessage(int button, bool down, int x, int y);
    void wheelMessage(int delta);
    void focusMessage(bool gained, uint32_t time);
    void paintMessage();
    void sizeMessage();
    void closeMessage() { requestClose(keys_); }

  private:
    void waitForEvents(int milliseconds) override;
    uint32_t eventClock() override;
    void takeBackFocus() override;
    void drawPicture(void* deviceContext, const PixelRect& pageRect);
    void toggleFullScreen();

    Surface* surface_ = nullptr;
    std::unique_ptr<Win32Window> window_;
    std::string title_;

    int buttons_ = 0; // held now, from the button messages
    int wheel_ = 0;
    int wheelParts_ = 0; // turned since the last whole notch, in WHEEL_DELTA parts

    PageScale scale_; // where and how the page is in the window
    int clientWidth_ = 0, clientHeight_ = 0;
    std::vector<uint32_t> picture_;       // the window's picture at sizes that mix pixels
    std::array<uint32_t, 256> colours_{}; // the palette as shown, as 32-bit pixels
    bool wholeWindowStale_ = true;
    bool coloursStale_ = true;
};

} // namespace tessaly
