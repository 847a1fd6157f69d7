// The host of the real program: an SDL2 window that shows the surface's
// visible page, reads the mouse and the keyboard, and GTK 3 for the file
// dialogs and the About box.
//
//     tessaly::SdlHost host;
//     return tessaly::runProgram(host);
//
// The window opens at 800 x 600 and may be resized; F11 switches it to the
// desktop's full screen and back to the size it had. The page is scaled to
// fit (page_picture.h) and pointer positions are mapped back to page pixels.
// A pointer outside the page reads as x = y = -1, which lies outside every
// area, with the buttons and the wheel kept.
//
// Input. Keys follow key_table.h. A key or button pressed since the previous
// pass and not yet read as held is kept for the next pass
// (hosts/kept_presses.h); in a pass that keeps a click the pointer reads
// where that click went down. The pointer is followed from the window's own
// events, the X11 ones included, as SDL loses the place where the pointer
// enters the window when no motion follows. When no window can be opened (no
// display) the mouse reads -1 in all four values, no key is ever held, and a
// close request is reported on every call so the program can end the usual way.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "hosts/gtk/gtk_dialogs.h"
#include "hosts/host.h"
#include "hosts/kept_presses.h"
#include "hosts/key_table.h"
#include "hosts/page_picture.h"

struct SDL_Window;
struct SDL_Surface;
union SDL_Event;

namespace tessaly {

class SdlHost : public Host {
  public:
    SdlHost();
    ~SdlHost() override;
    SdlHost(const SdlHost&) = delete;
    SdlHost& operator=(const SdlHost&) = delete;

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
    // Handles every waiting window event.
    void pumpEvents();

    bool hasWindow() const { return window_ != nullptr; }
    // Resizes the window as the user would (for the benchmarks).
    void setWindowSize(int width, int height);

  private:
    void handle(const SDL_Event& event);
    void handleWindowSystemEvent(const SDL_Event& event);
    void toggleFullScreen();
    bool windowManagerDoesFullScreen();
    void waitPumping(int milliseconds);
    void updateColours();
    // Runs a modal dialog: the focus rule applies around it and the editor
    // window is painted while it is open and gets the focus back after.
    template <class Show>
    auto runModal(Show show);
    DialogOwner dialogOwner();

    Surface* surface_ = nullptr;
    SDL_Window* window_ = nullptr;
    SDL_Surface* shadow_ = nullptr; // used only when the window is not 32-bit
    bool videoStarted_ = false;
    bool windowFailed_ = false;
    std::string title_;

    KeyTable keys_;
    KeptClicks clicks_;
    int pointerX_ = 0, pointerY_ = 0; // window coordinates, as the events tell
    unsigned long x11Window_ = 0;     // the window on X11, else 0
    bool fullScreen_ = false;
    struct {
        int x = 0, y = 0, w = 0, h = 0;
    } windowed_; // the window's place and size before full screen
    int wheel_ = 0;
    bool closeRequest_ = false;

    PageScale scale_;                          // where and how the page is in the window
    int pictureWidth_ = 0, pictureHeight_ = 0; // the window's picture in pixels
    bool wholeWindowStale_ = true;             // next present redraws everything
    std::array<uint32_t, 256> colours_{};      // palette as window pixel values
    std::array<std::array<uint8_t, 3>, 256> shownPalette_{};
    bool coloursValid_ = false;

    GtkDialogs dialogs_;
};

} // namespace tessaly
