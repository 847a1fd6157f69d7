#include "hosts/sdl/sdl_host.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "core/emblem.h"
#include "core/surface.h"
#include "hosts/sdl/scan_codes.h"
#include "system/executable_folder.h"
#include "system/text_encoding.h"

namespace tessaly {

namespace {

constexpr int kIconTiles = 3; // 48 x 48
constexpr int kLogoTiles = 4; // 64 x 64

int buttonsOf(Uint32 sdlButtons) {
    return ((sdlButtons & SDL_BUTTON_LMASK) ? 1 : 0) | ((sdlButtons & SDL_BUTTON_RMASK) ? 2 : 0) |
           ((sdlButtons & SDL_BUTTON_MMASK) ? 4 : 0);
}

// The program's bit for an SDL button, 0 for the others.
int buttonBit(Uint8 button) {
    switch (button) {
    case SDL_BUTTON_LEFT:
        return 1;
    case SDL_BUTTON_RIGHT:
        return 2;
    case SDL_BUTTON_MIDDLE:
        return 4;
    default:
        return 0;
    }
}

void setIcon(SDL_Window* window) {
    IndexedPicture icon = drawEmblem(kIconTiles);
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(icon.pixels.data(), icon.width, icon.height,
                                                        8, icon.width, SDL_PIXELFORMAT_INDEX8);
    if (!s) return;
    std::vector<SDL_Color> colours;
    for (const Rgb& c : icon.palette) colours.push_back({c.r, c.g, c.b, 255});
    SDL_SetPaletteColors(s->format->palette, colours.data(), 0, int(colours.size()));
    SDL_SetWindowIcon(window, s);
    SDL_FreeSurface(s);
}

} // namespace

SdlHost::SdlHost(VideoDrivers drivers) : drivers_(drivers) {}

SdlHost::~SdlHost() {
    if (shadow_) SDL_FreeSurface(shadow_);
    if (window_) SDL_DestroyWindow(window_);
    if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();
}

void SdlHost::openWindow(Surface& surface) {
    surface_ = &surface;
    if (window_ || windowFailed_) return;
    // A plain shared-memory framebuffer: far cheaper a present than the
    // GL-backed window surface, and never tied to the display's refresh.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Ctrl+C and kill end the process as usual instead of becoming a close
    // request, which the editor screen discards.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "tessaly: no window: %s\n", SDL_GetError());
        windowFailed_ = true;
        return;
    }
    videoStarted_ = true;
    // Without a display SDL falls back to drivers that draw nowhere; a
    // window nobody can see is no window.
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool hidden =
        !driver || std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0;
    if (hidden && drivers_ == VideoDrivers::Visible) {
        std::fprintf(stderr, "tessaly: no window: no display\n");
        windowFailed_ = true;
        return;
    }
    window_ =
        SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                         kSurfaceWidth, kSurfaceHeight, SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
    if (!window_) {
        std::fprintf(stderr, "tessaly: no window: %s\n", SDL_GetError());
        windowFailed_ = true;
        return;
    }
    // Smaller, the screen's text would no longer be readable.
    SDL_SetWindowMinimumSize(window_, kMinimumWindowWidth, kMinimumWindowHeight);
    setIcon(window_);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window_, &info) && info.subsystem == SDL_SYSWM_X11) {
        x11Window_ = static_cast<unsigned long>(info.info.x11.window);
        SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    }
    // Keys are read as keys; no text input method may swallow them.
    SDL_StopTextInput();
    SDL_ShowWindow(window_);
    wholeWindowStale_ = true;
    pumpEvents();
    present();
}

void SdlHost::setTitle(std::string_view title) {
    title_ = utf8Prefix(title, kTitleLimit);
    if (window_) SDL_SetWindowTitle(window_, title_.c_str());
}

// The X11 events SDL passes on as they came. SDL sets its pointer position
// from motion alone, and drops the motion it makes up for the place where
// the pointer enters the window; so the pointer is followed from the X11
// events themselves, which all carry it. They come just before SDL's own
// events made from them.
void SdlHost::handleWindowSystemEvent(const SDL_Event& e) {
    const SDL_SysWMmsg* m = e.syswm.msg;
    if (!m || m->subsystem != SDL_SYSWM_X11 || x11Window_ == 0) return;
    const XEvent& x = m->msg.x11.event;
    if (x.xany.window != x11Window_) return;
    switch (x.type) {
    case EnterNotify:
    case LeaveNotify:
        pointerX_ = x.xcrossing.x;
        pointerY_ = x.xcrossing.y;
        break;
    case MotionNotify:
        pointerX_ = x.xmotion.x;
        pointerY_ = x.xmotion.y;
        break;
    case ButtonPress:
    case ButtonRelease:
        pointerX_ = x.xbutton.x;
        pointerY_ = x.xbutton.y;
        break;
    default:
        break;
    }
}

// Whether a window manager runs that puts windows in full screen when asked
// (EWMH's _NET_WM_STATE_FULLSCREEN). Off X11 the system always does.
bool SdlHost::windowManagerDoesFullScreen() {
    if (x11Window_ == 0) return true;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window_, &info) || info.subsystem != SDL_SYSWM_X11) return true;
    Display* display = info.info.x11.display;
    const Atom supported = XInternAtom(display, "_NET_SUPPORTED", True);
    const Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", True);
    if (supported == None || fullScreen == None) return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(display, DefaultRootWindow(display), supported, 0, 4096, False, XA_ATOM,
                           &type, &format, &count, &after, &data) == Success &&
        data && type == XA_ATOM && format == 32) {
        const Atom* atoms = reinterpret_cast<const Atom*>(data);
        found = std::find(atoms, atoms + count, fullScreen) != atoms + count;
    }
    if (data) XFree(data);
    return found;
}

// Desktop full screen: the window covers the whole screen it is on, with no
// change of the screen's mode. The window manager does it when there is one
// that can; else the host moves and sizes the window itself. Either way the
// window's size and place before are kept for the switch back, and a window
// that was maximised is maximised again.
void SdlHost::toggleFullScreen() {
    if (!fullScreen_) {
        SDL_GetWindowPosition(window_, &windowed_.x, &windowed_.y);
        SDL_GetWindowSize(window_, &windowed_.w, &windowed_.h);
        windowed_.maximised = (SDL_GetWindowFlags(window_) & SDL_WINDOW_MAXIMIZED) != 0;
        if (windowManagerDoesFullScreen()) {
            SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
        } else {
            SDL_Rect screen;
            if (SDL_GetDisplayBounds(std::max(SDL_GetWindowDisplayIndex(window_), 0), &screen) != 0)
                return;
            SDL_SetWindowPosition(window_, screen.x, screen.y);
            SDL_SetWindowSize(window_, screen.w, screen.h);
        }
        fullScreen_ = true;
    } else {
        if (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN)
            SDL_SetWindowFullscreen(window_, 0);
        if (windowed_.maximised) {
            // The window manager keeps the size to restore it to.
            SDL_MaximizeWindow(window_);
        } else {
            SDL_SetWindowSize(window_, windowed_.w, windowed_.h);
            SDL_SetWindowPosition(window_, windowed_.x, windowed_.y);
        }
        fullScreen_ = false;
    }
    wholeWindowStale_ = true;
}

void SdlHost::handle(const SDL_Event& e) {
    switch (e.type) {
    case SDL_KEYDOWN:
        // F11 belongs to the window itself, on every screen of the program.
        if (e.key.keysym.scancode == SDL_SCANCODE_F11) {
            if (e.key.repeat == 0) toggleFullScreen();
            break;
        }
        keyDown(keys_, layoutScanCode(e.key.keysym.scancode, e.key.keysym.sym), e.key.repeat != 0,
                e.key.timestamp);
        return;
    case SDL_KEYUP:
        keyUp(keys_, layoutScanCode(e.key.keysym.scancode, e.key.keysym.sym));
        return;
    case SDL_WINDOWEVENT:
        switch (e.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            focusGained(keys_, e.window.timestamp);
            return;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            focusLost(keys_, e.window.timestamp);
            return;
        case SDL_WINDOWEVENT_CLOSE:
            requestClose(keys_);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_RESTORED:
            wholeWindowStale_ = true;
            break;
        default:
            break;
        }
        break;
    case SDL_QUIT:
        requestClose(keys_);
        break;
    case SDL_MOUSEWHEEL:
        wheel_ += e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        break;
    case SDL_MOUSEMOTION:
        pointerX_ = e.motion.x;
        pointerY_ = e.motion.y;
        break;
    case SDL_MOUSEBUTTONDOWN:
        // Where the pointer is, not SDL's idea of it (see handleWindowSystemEvent).
        buttonDown(keys_, buttonBit(e.button.button), pointerX_, pointerY_);
        return;
    case SDL_SYSWMEVENT:
        handleWindowSystemEvent(e);
        return;
    default:
        break;
    }
    otherEvent(keys_);
}

void SdlHost::pumpEvents() {
    if (!window_) return;
    SDL_Event e;
    while (SDL_PollEvent(&e)) handle(e);
}

// The palette as the window shows it, in the picture's pixel format. Only a
// real change of the shown colours redraws the whole picture.
void SdlHost::updateColours() {
    if (coloursValid_ && shownPalette_ == surface_->palette) return;
    const SDL_PixelFormat* format =
        shadow_ ? shadow_->format : SDL_GetWindowSurface(window_)->format;
    for (int i = 0; i < 256; ++i) {
        const Rgb c = shownColour(*surface_, i);
        colours_[size_t(i)] = SDL_MapRGB(format, c.r, c.g, c.b);
    }
    shownPalette_ = surface_->palette;
    coloursValid_ = true;
    wholeWindowStale_ = true;
}

// The one place the visible page becomes the window's picture: palette
// lookup, scaling to fit, and the rectangle of the window it landed in.
void SdlHost::present() {
    if (!window_ || !surface_) return;
    SDL_Surface* screen = SDL_GetWindowSurface(window_);
    if (!screen) return;

    // The picture is drawn straight into the window surface when its pixels
    // are 32-bit, else into a 32-bit shadow that is then converted.
    const bool direct = screen->format->BytesPerPixel == 4;
    if (!direct && (!shadow_ || shadow_->w != screen->w || shadow_->h != screen->h)) {
        if (shadow_) SDL_FreeSurface(shadow_);
        shadow_ =
            SDL_CreateRGBSurfaceWithFormat(0, screen->w, screen->h, 32, SDL_PIXELFORMAT_XRGB8888);
        if (!shadow_) return;
        coloursValid_ = false;
    } else if (direct && shadow_) {
        SDL_FreeSurface(shadow_);
        shadow_ = nullptr;
        coloursValid_ = false;
    }
    SDL_Surface* picture = direct ? screen : shadow_;
    if (picture->w != pictureWidth_ || picture->h != pictureHeight_) {
        pictureWidth_ = picture->w;
        pictureHeight_ = picture->h;
        scale_ = pageScale(fitPage(picture->w, picture->h));
        wholeWindowStale_ = true;
    }
    updateColours();

    const bool whole = wholeWindowStale_;
    if (!whole && surface_->changed.empty()) {
        markPresented(*surface_);
        return;
    }
    const int visible = std::clamp(surface_->visiblePage, 0, kPageCount - 1);
    if (SDL_MUSTLOCK(picture) && SDL_LockSurface(picture) != 0) return;
    if (whole) SDL_FillRect(picture, nullptr, SDL_MapRGB(picture->format, 0, 0, 0));
    const PixelTarget target{static_cast<uint32_t*>(picture->pixels), picture->w, picture->h,
                             picture->pitch / 4};
    const PixelRect pageRect =
        whole ? PixelRect{0, 0, kSurfaceWidth - 1, kSurfaceHeight - 1} : surface_->changed;
    const PixelRect drawn =
        drawPagePicture(surface_->page(visible), colours_, scale_, pageRect, target);
    if (SDL_MUSTLOCK(picture)) SDL_UnlockSurface(picture);

    if (whole) {
        if (!direct) SDL_BlitSurface(shadow_, nullptr, screen, nullptr);
        SDL_UpdateWindowSurface(window_);
    } else if (!drawn.empty()) {
        SDL_Rect r{drawn.x0, drawn.y0, drawn.x1 - drawn.x0 + 1, drawn.y1 - drawn.y0 + 1};
        if (!direct) {
            SDL_Rect to = r;
            SDL_BlitSurface(shadow_, &r, screen, &to);
        }
        SDL_UpdateWindowSurfaceRects(window_, &r, 1);
    }
    wholeWindowStale_ = false;
    markPresented(*surface_);
}

MouseState SdlHost::readMouse() {
    if (!window_) return {-1, -1, -1, -1};
    pumpEvents();
    present();
    MouseState m;
    m.wheel = wheel_;
    m.buttons = readButtons(keys_, buttonsOf(SDL_GetMouseState(nullptr, nullptr)));
    int wx = pointerX_, wy = pointerY_;
    if (keepsClick(keys_.clicks)) {
        wx = keys_.clicks.keptX;
        wy = keys_.clicks.keptY;
    } else if (SDL_GetMouseFocus() != window_) {
        m.x = m.y = -1;
        return m;
    }
    // Window coordinates and picture pixels differ only on scaled desktops.
    int ww = 0, wh = 0;
    SDL_GetWindowSize(window_, &ww, &wh);
    if (ww > 0 && wh > 0 && (ww != pictureWidth_ || wh != pictureHeight_)) {
        wx = int(int64_t(wx) * pictureWidth_ / ww);
        wy = int(int64_t(wy) * pictureHeight_ / wh);
    }
    const PagePoint p = windowToPage(scale_.fit, wx, wy);
    m.x = p.x;
    m.y = p.y;
    return m;
}

void SdlHost::waitForEvents(int milliseconds) {
    SDL_Delay(Uint32(std::max(milliseconds, 0)));
}

uint32_t SdlHost::eventClock() {
    return SDL_GetTicks();
}

void SdlHost::takeBackFocus() {
    if (!window_) return;
    SDL_RaiseWindow(window_);
    SDL_SetWindowInputFocus(window_);
}

WallClock SdlHost::wallClock() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {int64_t(now), int(local.tm_gmtoff)};
}

std::string SdlHost::executableDirectory() {
    std::string folder = executableFolder();
    if (folder.empty()) {
        if (char* base = SDL_GetBasePath()) {
            folder = base;
            SDL_free(base);
        }
        if (!folder.empty() && folder.back() == '/') folder.pop_back();
    }
    return folder;
}

DialogOwner SdlHost::dialogOwner() {
    DialogOwner owner;
    if (window_) {
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (SDL_GetWindowWMInfo(window_, &info) && info.subsystem == SDL_SYSWM_X11) {
            owner.x11Window = static_cast<unsigned long>(info.info.x11.window);
        }
        owner.keepShowing = [this] {
            pumpEvents();
            present();
        };
    }
    return owner;
}

std::string SdlHost::openFileDialog(const DialogRequest& request) {
    return runModal([&] { return dialogs_.openFile(request, dialogOwner()); });
}

std::string SdlHost::saveFileDialog(const DialogRequest& request) {
    return runModal([&] { return dialogs_.saveFile(request, dialogOwner()); });
}

void SdlHost::showAboutBox() {
    const IndexedPicture logo = drawEmblem(kLogoTiles);
    const RgbaPicture picture{logo.width, logo.height, emblemRgba(logo)};
    runModal([&] { return dialogs_.aboutBox(picture, dialogOwner()); });
}

int SdlHost::ask(const Question& question) {
    return runModal([&] { return dialogs_.ask(question, dialogOwner()); });
}

void SdlHost::showMessage(std::string_view text) {
    runModal([&] { return dialogs_.message(text, dialogOwner()); });
}

SizeChoice SdlHost::askSize(const SizeRequest& request) {
    return runModal([&] { return dialogs_.askSize(request, dialogOwner()); });
}

std::string SdlHost::chooseFolder(const FolderRequest& request) {
    return runModal([&] { return dialogs_.chooseFolder(request, dialogOwner()); });
}

void SdlHost::setWindowSize(int width, int height) {
    if (!window_) return;
    SDL_SetWindowSize(window_, width, height);
    pumpEvents();
}

} // namespace tessaly
