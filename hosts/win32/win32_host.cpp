#include "hosts/win32/win32_host.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "core/surface.h"
#include "hosts/win32/key_codes.h"
#include "hosts/win32/win32_dialogs.h"
#include "system/executable_folder.h"
#include "system/text_encoding.h"

namespace tessaly {

namespace {

constexpr wchar_t kWindowClass[] = L"TessalyEditorWindow";
constexpr int kIconResource = 1;

std::wstring wide(std::string_view utf8) {
    const std::u16string text = utf8ToUtf16(utf8);
    return std::wstring(text.begin(), text.end());
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace

// The window and what drawing into it needs: the page's bitmap header with
// its colour table, which is the palette as the window shows it.
struct Win32Window {
    HWND handle = nullptr;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } bitmap{};
    struct {
        BITMAPINFOHEADER header;
    } picture{}; // the 32-bit picture of the window, at sizes that mix pixels
    std::array<std::array<uint8_t, 3>, 256> shownPalette{};
    bool timerPeriodSet = false;
    bool fullScreen = false;
    WINDOWPLACEMENT windowed{}; // the window's place before full screen
    bool wasMaximised = false;  // and whether it was maximised
};

Win32Host::Win32Host() = default;

Win32Host::~Win32Host() {
    if (!window_) return;
    if (window_->handle) {
        SetWindowLongPtrW(window_->handle, GWLP_USERDATA, 0);
        DestroyWindow(window_->handle);
    }
    if (window_->timerPeriodSet) timeEndPeriod(1);
}

bool Win32Host::hasWindow() const {
    return window_ && window_->handle;
}

void Win32Host::openWindow(Surface& surface) {
    surface_ = &surface;
    if (window_ || windowFailed_) return;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);

    // The client area, not the whole window, is 800 x 600.
    const DWORD style = WS_OVERLAPPEDWINDOW;
    RECT frame{0, 0, kSurfaceWidth, kSurfaceHeight};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    auto window = std::make_unique<Win32Window>();
    window->handle = CreateWindowExW(0, kWindowClass, wide(title_).c_str(), style, CW_USEDEFAULT,
                                     CW_USEDEFAULT, frame.right - frame.left,
                                     frame.bottom - frame.top, nullptr, nullptr, instance, this);
    if (!window->handle) {
        std::fprintf(stderr, "tessaly: no window (error %lu)\n", GetLastError());
        windowFailed_ = true;
        return;
    }
    BITMAPINFOHEADER& header = window->bitmap.header;
    header.biSize = sizeof header;
    header.biWidth = kSurfaceWidth;
    header.biHeight = -kSurfaceHeight; // rows top first, as the page keeps them
    header.biPlanes = 1;
    header.biBitCount = 8;
    header.biCompression = BI_RGB;
    header.biClrUsed = 256;
    // Pauses of 10 ms need a timer finer than the default 15.6 ms tick.
    window->timerPeriodSet = timeBeginPeriod(1) == TIMERR_NOERROR;
    window_ = std::move(window);
    sizeMessage();
    coloursStale_ = wholeWindowStale_ = true;
    ShowWindow(window_->handle, SW_SHOWNORMAL);
    UpdateWindow(window_->handle);
    SetForegroundWindow(window_->handle);
    pumpEvents();
    present();
}

void Win32Host::setWindowSize(int width, int height) {
    if (!hasWindow()) return;
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrW(window_->handle, GWL_STYLE)), FALSE, 0);
    SetWindowPos(window_->handle, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    pumpEvents();
}

void Win32Host::setTitle(std::string_view title) {
    title_ = utf8Prefix(title, kTitleLimit);
    if (hasWindow()) SetWindowTextW(window_->handle, wide(title_).c_str());
}

void Win32Host::keyMessage(uint32_t message, uint32_t wParam, uint32_t lParam, uint32_t time) {
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    // F11 belongs to the window itself, on every screen of the program.
    if (wParam == VK_F11) {
        if (down && !keyMessageRepeats(lParam)) toggleFullScreen();
        return;
    }
    const int code =
        keyMessageScanCode(wParam, lParam, int(MapVirtualKeyW(wParam, 0 /* MAPVK_VK_TO_VSC */)));
    if (down) {
        tessaly::keyDown(keys_, code, keyMessageRepeats(lParam), time);
    } else {
        tessaly::keyUp(keys_, code);
    }
}

// The place comes with the message, so a quick click counts where it was made.
void Win32Host::buttonMessage(int button, bool down, int x, int y) {
    otherEvent(keys_);
    if (down) {
        buttons_ |= button;
        buttonDown(keys_, button, x, y);
        SetCapture(window_->handle);
    } else {
        buttons_ &= ~button;
        if (buttons_ == 0) ReleaseCapture();
    }
}

// Full screen covers the whole monitor the window is on, with no change of
// the monitor's mode; the window's place and size before, and whether it was
// maximised, are kept for the switch back.
void Win32Host::toggleFullScreen() {
    Win32Window& w = *window_;
    if (!w.fullScreen) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        w.windowed.length = sizeof w.windowed;
        if (!GetWindowPlacement(w.handle, &w.windowed) ||
            !GetMonitorInfoW(MonitorFromWindow(w.handle, MONITOR_DEFAULTTONEAREST), &monitor)) {
            return;
        }
        // A maximised window keeps its maximised size whatever it is given;
        // it is restored first, and the placement kept maximises it again
        // on the way back.
        w.wasMaximised = IsZoomed(w.handle) != FALSE;
        if (w.wasMaximised) ShowWindow(w.handle, SW_RESTORE);
        const LONG_PTR style = GetWindowLongPtrW(w.handle, GWL_STYLE);
        SetWindowLongPtrW(w.handle, GWL_STYLE, style & ~LONG_PTR(WS_OVERLAPPEDWINDOW));
        const RECT& r = monitor.rcMonitor;
        SetWindowPos(w.handle, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
        w.fullScreen = true;
    } else {
        const LONG_PTR style = GetWindowLongPtrW(w.handle, GWL_STYLE);
        SetWindowLongPtrW(w.handle, GWL_STYLE, style | WS_OVERLAPPEDWINDOW);
        w.windowed.showCmd = SW_SHOWNORMAL;
        SetWindowPlacement(w.handle, &w.windowed);
        SetWindowPos(w.handle, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
        if (w.wasMaximised) ShowWindow(w.handle, SW_MAXIMIZE);
        w.fullScreen = false;
    }
    wholeWindowStale_ = true;
}

// A notch is WHEEL_DELTA; finer wheels and touchpads send parts of one,
// which add up to notches.
void Win32Host::wheelMessage(int delta) {
    otherEvent(keys_);
    static_assert(WHEEL_DELTA == 120);
    wheelParts_ += delta;
    wheel_ += wheelParts_ / WHEEL_DELTA;
    wheelParts_ %= WHEEL_DELTA;
}

// Windows sends no key-ups when the focus goes, so the key table's rule is
// all there is: every key reads as not held until pressed again. Taps not
// yet seen by a pass go with the focus too.
void Win32Host::focusMessage(bool gained, uint32_t time) {
    if (gained) {
        focusGained(keys_, time);
    } else {
        focusLost(keys_, time);
    }
}

void Win32Host::sizeMessage() {
    RECT client{};
    GetClientRect(window_->handle, &client);
    clientWidth_ = std::max(0, int(client.right - client.left));
    clientHeight_ = std::max(0, int(client.bottom - client.top));
    scale_ = pageScale(fitPage(clientWidth_, clientHeight_));
    const bool wholeMultiple =
        scale_.fit.w % kSurfaceWidth == 0 && scale_.fit.h % kSurfaceHeight == 0;
    picture_.assign(wholeMultiple ? 0 : std::size_t(clientWidth_) * std::size_t(clientHeight_), 0);
    BITMAPINFOHEADER& header = window_->picture.header;
    header.biSize = sizeof header;
    header.biWidth = clientWidth_;
    header.biHeight = -clientHeight_; // rows top first
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    wholeWindowStale_ = true;
}

void Win32Host::paintMessage() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_->handle, &paint);
    if (surface_) {
        drawPicture(dc, {0, 0, kSurfaceWidth - 1, kSurfaceHeight - 1});
        wholeWindowStale_ = false;
    }
    EndPaint(window_->handle, &paint);
}

void Win32Host::pumpEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Draws the page pixels of `pageRect` into the window; the whole rectangle
// also paints the letterbox black. At a whole multiple of the page the system
// stretches the 8-bit page itself, only the part of the window that shows the
// rectangle; at other sizes the shared scaling mixes the window's picture
// (page_picture.h) and the system copies the part that changed.
void Win32Host::drawPicture(void* deviceContext, const PixelRect& pageRect) {
    HDC dc = static_cast<HDC>(deviceContext);
    const PageFit& fit = scale_.fit;
    if (fit.w <= 0 || fit.h <= 0) return;
    Win32Window& w = *window_;
    if (coloursStale_ || w.shownPalette != surface_->palette) {
        for (int i = 0; i < 256; ++i) {
            const Rgb c = shownColour(*surface_, i);
            w.bitmap.colours[i] = RGBQUAD{c.b, c.g, c.r, 0};
            colours_[std::size_t(i)] = (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b;
        }
        w.shownPalette = surface_->palette;
        coloursStale_ = false;
    }
    const bool whole = pageRect.x0 <= 0 && pageRect.y0 <= 0 && pageRect.x1 >= kSurfaceWidth - 1 &&
                       pageRect.y1 >= kSurfaceHeight - 1;
    if (whole) {
        const HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        const RECT bars[4] = {
            {0, 0, clientWidth_, fit.y},
            {0, fit.y + fit.h, clientWidth_, clientHeight_},
            {0, fit.y, fit.x, fit.y + fit.h},
            {fit.x + fit.w, fit.y, clientWidth_, fit.y + fit.h},
        };
        for (const RECT& bar : bars) {
            if (bar.right > bar.left && bar.bottom > bar.top) FillRect(dc, &bar, black);
        }
    }
    const PixelRect r{std::max(pageRect.x0, 0), std::max(pageRect.y0, 0),
                      std::min(pageRect.x1, kSurfaceWidth - 1),
                      std::min(pageRect.y1, kSurfaceHeight - 1)};
    if (r.empty()) return;
    const int visible = std::clamp(surface_->visiblePage, 0, kPageCount - 1);
    const uint8_t* page = surface_->page(visible);
    // The source rectangle of a bitmap stored top row first counts its rows
    // from the bottom, as for any bitmap.
    if (picture_.empty()) {
        const int k = fit.w / kSurfaceWidth;
        const int width = r.x1 - r.x0 + 1, height = r.y1 - r.y0 + 1;
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchDIBits(dc, fit.x + r.x0 * k, fit.y + r.y0 * k, width * k, height * k, r.x0,
                      kSurfaceHeight - 1 - r.y1, width, height, page,
                      reinterpret_cast<const BITMAPINFO*>(&w.bitmap), DIB_RGB_COLORS, SRCCOPY);
        return;
    }
    const PixelTarget target{picture_.data(), clientWidth_, clientHeight_, clientWidth_};
    const PixelRect drawn = drawPagePicture(page, colours_, scale_, r, target);
    if (drawn.empty()) return;
    const int width = drawn.x1 - drawn.x0 + 1, height = drawn.y1 - drawn.y0 + 1;
    StretchDIBits(dc, drawn.x0, drawn.y0, width, height, drawn.x0, clientHeight_ - 1 - drawn.y1,
                  width, height, picture_.data(), reinterpret_cast<const BITMAPINFO*>(&w.picture),
                  DIB_RGB_COLORS, SRCCOPY);
}

void Win32Host::present() {
    if (!hasWindow() || !surface_) return;
    if (surface_->paletteChanged && window_->shownPalette != surface_->palette) {
        wholeWindowStale_ = true;
    }
    if (!wholeWindowStale_ && surface_->changed.empty()) {
        markPresented(*surface_);
        return;
    }
    HDC dc = GetDC(window_->handle);
    drawPicture(dc, wholeWindowStale_ ? PixelRect{0, 0, kSurfaceWidth - 1, kSurfaceHeight - 1}
                                      : surface_->changed);
    ReleaseDC(window_->handle, dc);
    GdiFlush();
    wholeWindowStale_ = false;
    markPresented(*surface_);
}

MouseState Win32Host::readMouse() {
    if (!hasWindow()) return {-1, -1, -1, -1};
    pumpEvents();
    present();
    MouseState m;
    m.wheel = wheel_;
    m.buttons = readButtons(keys_, buttons_);
    POINT at{};
    if (keepsClick(keys_.clicks)) {
        at = {keys_.clicks.keptX, keys_.clicks.keptY};
    } else if (!GetCursorPos(&at) || WindowFromPoint(at) != window_->handle) {
        m.x = m.y = -1;
        return m;
    } else {
        ScreenToClient(window_->handle, &at);
    }
    const PagePoint p = windowToPage(scale_.fit, at.x, at.y);
    m.x = p.x;
    m.y = p.y;
    return m;
}

// A message ends the wait, so input is handled as it comes.
void Win32Host::waitForEvents(int milliseconds) {
    const DWORD slice = DWORD(std::max(milliseconds, 0));
    if (hasWindow()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, slice, QS_ALLINPUT);
    } else {
        Sleep(slice);
    }
}

uint32_t Win32Host::eventClock() {
    return GetTickCount();
}

// Buttons released while a dialog had the pointer are not seen by the
// window, so they start again from nothing.
void Win32Host::takeBackFocus() {
    buttons_ = 0;
    if (!hasWindow()) return;
    SetForegroundWindow(window_->handle);
    SetFocus(window_->handle);
}

WallClock Win32Host::wallClock() {
    // File times count 100 ns steps from 1601-01-01; the local one differs by
    // the time zone's offset now, summer time included.
    FILETIME utc{}, local{};
    GetSystemTimeAsFileTime(&utc);
    FileTimeToLocalFileTime(&utc, &local);
    auto count = [](const FILETIME& t) {
        return int64_t((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    constexpr int64_t kStepsPerSecond = 10000000;
    constexpr int64_t kUnixEpoch = 11644473600; // seconds from 1601 to 1970
    const int64_t seconds = count(utc) / kStepsPerSecond - kUnixEpoch;
    return {seconds, int((count(local) - count(utc)) / kStepsPerSecond)};
}

std::string Win32Host::executableDirectory() {
    return executableFolder();
}

std::string Win32Host::openFileDialog(const DialogRequest& request) {
    const HWND owner = hasWindow() ? window_->handle : nullptr;
    return runModal([&] { return showOpenFileDialog(owner, request, request.folder); });
}

std::string Win32Host::saveFileDialog(const DialogRequest& request) {
    const HWND owner = hasWindow() ? window_->handle : nullptr;
    return runModal([&] { return showSaveFileDialog(owner, request, request.folder); });
}

void Win32Host::showAboutBox() {
    const HWND owner = hasWindow() ? window_->handle : nullptr;
    runModal([&] { return tessaly::showAboutBox(owner); });
}

int Win32Host::ask(const Question& question) {
    const HWND owner = hasWindow() ? window_->handle : nullptr;
    return runModal([&] { return askQuestion(owner, question); });
}

void Win32Host::showMessage(std::string_view text) {
    const HWND owner = hasWindow() ? window_->handle : nullptr;
    runModal([&] { return tessaly::showMessage(owner, text); });
}

SizeChoice Win32Host::askSize(const SizeRequest& request) {
    const HWND owner = hasWindow() ? window_->handle : nullptr;
    return runModal([&] { return showSizeDialog(owner, request); });
}

std::string Win32Host::chooseFolder(const FolderRequest& request) {
    const HWND owner = hasWindow() ? window_->handle : nullptr;
    return runModal([&] { return showFolderDialog(owner, request); });
}

namespace {

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(create->lpCreateParams));
    }
    if (message == WM_GETMINMAXINFO) {
        // The inside of the window is never made smaller than the minimum.
        RECT frame{0, 0, kMinimumWindowWidth, kMinimumWindowHeight};
        AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                           DWORD(GetWindowLongPtrW(window, GWL_EXSTYLE)));
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
        return 0;
    }
    auto* host = reinterpret_cast<Win32Host*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!host || !host->hasWindow()) return DefWindowProcW(window, message, wParam, lParam);
    const uint32_t time = uint32_t(GetMessageTime());
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        host->keyMessage(message, uint32_t(wParam), uint32_t(lParam), time);
        return 0;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        host->keyMessage(message, uint32_t(wParam), uint32_t(lParam), time);
        // F10 and Alt would open the window menu and take the keys that
        // follow; Alt+F4 still closes the window.
        if (wParam == VK_F4 && message == WM_SYSKEYDOWN) break;
        return 0;
    case WM_SYSCHAR:
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        host->buttonMessage(1, message == WM_LBUTTONDOWN, GET_X_LPARAM(lParam),
                            GET_Y_LPARAM(lParam));
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        host->buttonMessage(2, message == WM_RBUTTONDOWN, GET_X_LPARAM(lParam),
                            GET_Y_LPARAM(lParam));
        return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        host->buttonMessage(4, message == WM_MBUTTONDOWN, GET_X_LPARAM(lParam),
                            GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEWHEEL:
        host->wheelMessage(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_SETFOCUS:
        host->focusMessage(true, time);
        return 0;
    case WM_KILLFOCUS:
        host->focusMessage(false, time);
        return 0;
    case WM_SIZE:
        host->sizeMessage();
        return 0;
    case WM_ERASEBKGND:
        return 1; // the picture paints every pixel, the letterbox included
    case WM_PAINT:
        host->paintMessage();
        return 0;
    case WM_CLOSE:
        host->closeMessage();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

} // namespace tessaly
