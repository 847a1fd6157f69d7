// A stand-in program for testing the real window host on its own: it shows a
// known page, reports on stdout every change of the mouse state, of a held key
// and every close request, paints where the left button is held, and runs the
// dialogs from keys the way the editor does (on every pass the key is held):
// F5 the open dialog, F6 the save dialog, F1 the About box. F10 ends it.
// Without a display it tries the open dialog and the About box once and ends.
#include <cstdio>
#include <string>

#include "core/surface.h"
#include "hosts/sdl/sdl_host.h"

namespace {

using namespace tessaly;

constexpr int kF1 = 0x3B;

void drawKnownPage(Surface& s) {
    setPaletteEntry(s, 1, 252, 0, 0);
    setPaletteEntry(s, 2, 0, 252, 0);
    setPaletteEntry(s, 3, 0, 0, 252);
    setPaletteEntry(s, 4, 100, 204, 188); // shown as 101, 206, 190
    setPaletteEntry(s, 5, 255, 255, 255);
    setPaletteEntry(s, 6, 0, 0, 0);
    fillBox(s, 0, 0, 399, 299, 1);
    fillBox(s, 400, 0, 799, 299, 2);
    fillBox(s, 0, 300, 399, 599, 3);
    fillBox(s, 400, 300, 799, 599, 4);
    setPixel(s, 0, 0, 5);
    setPixel(s, 799, 599, 5);
}

// Both dialogs start in the folder of the file last chosen in either; the
// save dialog proposes no name, gives names typed without an extension the
// editor's ".ck1" and asks before overwriting a file, as the editor's does.
DialogRequest request(const char* title, const std::string& folder) {
    DialogRequest r{title,
                    {{"Commander Keen 1 Levels, (*.ck1)", "*.ck1"}, {"All Files, (*.*)", "*.*"}},
                    1,
                    folder};
    if (std::string(title).rfind("Save", 0) == 0) {
        r.defaultExtension = "ck1";
        r.confirmOverwrite = true;
    }
    return r;
}

std::string remember(std::string chosen, std::string& folder) {
    const std::size_t slash = chosen.rfind('/');
    if (slash != std::string::npos) folder = chosen.substr(0, slash);
    return chosen;
}

void say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

} // namespace

int main() {
    SdlHost host;
    Surface surface;
    host.openWindow(surface);
    openSurface(surface);
    host.setTitle("Tessaly Window Probe");
    drawKnownPage(surface);
    if (!host.hasWindow()) {
        // No display: the dialogs must come back at once, empty.
        say("open \"" + host.openFileDialog(request("Open Probe", "")) + "\"");
        host.showAboutBox();
        say("about returned");
        return 0;
    }
    say("ready");

    std::string folder;
    MouseState last{-2, -2, -2, -2};
    std::array<bool, 128> held{};
    while (true) {
        host.pause(10);
        host.beginPass();
        const MouseState m = host.readMouse();
        if (m.x != last.x || m.y != last.y || m.buttons != last.buttons || m.wheel != last.wheel) {
            say("mouse " + std::to_string(m.x) + " " + std::to_string(m.y) + " " +
                std::to_string(m.buttons) + " " + std::to_string(m.wheel));
            last = m;
        }
        if (m.buttons == 1) fillBox(surface, m.x - 1, m.y - 1, m.x + 1, m.y + 1, 6);
        for (int code = 0; code < 128; ++code) {
            const bool now = host.keyHeld(code);
            if (now != held[std::size_t(code)]) {
                char line[32];
                std::snprintf(line, sizeof line, "key %02X %s", code, now ? "down" : "up");
                say(line);
                held[std::size_t(code)] = now;
            }
        }
        if (host.closeRequested()) say("close");
        if (host.keyHeld(scan::F5))
            say("open \"" + remember(host.openFileDialog(request("Open Probe", folder)), folder) +
                "\"");
        if (host.keyHeld(scan::F6))
            say("save \"" + remember(host.saveFileDialog(request("Save Probe", folder)), folder) +
                "\"");
        if (host.keyHeld(kF1)) {
            host.showAboutBox();
            say("about closed");
        }
        if (host.keyHeld(scan::F10)) {
            say("exit");
            return 0;
        }
    }
}
