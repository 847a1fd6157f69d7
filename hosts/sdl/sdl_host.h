// The host of the real program: an SDL2 window that shows the surface's
// visible page, reads the mouse and the keyboard, and GTK 3 for the file
// dialogs and the About box.
//
//     tessaly::SdlHost host;
//     return tessaly::runProgram(host);
//
// The window opens at 800 x 600 and may be resized down to 640 x 480; F11
// switches it to the desktop's full screen and back to the size it had, or
// to maximised when it was. The page is scaled to
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
#include "hosts/page_picture.h"
#include "hosts/window_host.h"

struct SDL_Window;
struct SDL_Surface;
union SDL_Event;

namespace tessaly {

// Which of SDL's video drivers count as a window. The program takes only
// those that show something; the host's own tests also take SDL's dummy
// driver, which draws nowhere but runs the whole host.
enum class VideoDrivers { Visible, AnyIncludingDummy };

class SdlHost : public WindowHost {
  public:
    explicit SdlHost(VideoDrivers drivers = VideoDrivers::Visible);
    ~SdlHost() override;
    SdlHost(const SdlHost&) = delete;
    SdlHost& operator=(const SdlHost&) = delete;

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
    void pumpEvents() override;
    bool hasWindow() const override { return window_ != nullptr; }
    // Resizes the window as the user would (for the benchmarks).
    void setWindowSize(int width, int height);

  private:
    void waitForEvents(int milliseconds) override;
    uint32_t eventClock() override;
    void takeBackFocus() override;
    void handle(const SDL_Event& event);
    void handleWindowSystemEvent(const SDL_Event& event);
    void toggleFullScreen();
    bool windowManagerDoesFullScreen();
    void updateColours();
    // The editor window as the owner of a dialog, painted while it is open.
    DialogOwner dialogOwner();

    Surface* surface_ = nullptr;
    SDL_Window* window_ = nullptr;
    SDL_Surface* shadow_ = nullptr; // used only when the window is not 32-bit
    VideoDrivers drivers_;
    bool videoStarted_ = false;
    std::string title_;

    int pointerX_ = 0, pointerY_ = 0; // window coordinates, as the events tell
    unsigned long x11Window_ = 0;     // the window on X11, else 0
    bool fullScreen_ = false;
    struct {
        int x = 0, y = 0, w = 0, h = 0;
        bool maximised = false;
    } windowed_; // the window's place, size and state before full screen
    int wheel_ = 0;

    PageScale scale_;                          // where and how the page is in the window
    int pictureWidth_ = 0, pictureHeight_ = 0; // the window's picture in pixels
    bool wholeWindowStale_ = true;             // next present redraws everything
    std::array<uint32_t, 256> colours_{};      // palette as window pixel values
    std::array<std::array<uint8_t, 3>, 256> shownPalette_{};
    bool coloursValid_ = false;

    GtkDialogs dialogs_;
};

} // namespace tessaly
