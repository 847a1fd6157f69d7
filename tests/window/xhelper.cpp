// Small X11 chores for the window tests that xdotool cannot do:
//
//   tessaly-xhelper close WINDOW                 ask the window to close (WM_DELETE_WINDOW),
//                                                as a window manager's close button does
//   tessaly-xhelper pixel WINDOW X Y             print the pixel as RRGGBB
//   tessaly-xhelper wait-pixel TITLE X Y RRGGBB MS
//                                                wait for a top-level window of that exact
//                                                title showing that pixel; print the
//                                                milliseconds since this helper started
//   tessaly-xhelper changes WINDOW X Y W H MS    watch a rectangle for MS milliseconds and
//                                                print how many times its pixels changed
//   tessaly-xhelper other WINDOW X Y W H RRGGBB  print how many pixels of a rectangle are
//                                                not of that colour
//   tessaly-xhelper maximize WINDOW              ask the window manager to maximise the
//                                                window, as its maximise button does
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

int usage() {
    std::fprintf(stderr,
                 "usage: tessaly-xhelper close|maximize|pixel|wait-pixel|changes|other ...\n");
    return 2;
}

Window parseWindow(const char* text) {
    return Window(std::strtoul(text, nullptr, 0));
}

// The window pixel as RRGGBB, or -1 when the window cannot be read.
long pixelAt(Display* d, Window w, int x, int y) {
    XImage* image = XGetImage(d, w, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return -1;
    const unsigned long p = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return long(p & 0xFFFFFF);
}

Window findByTitle(Display* d, Window under, const std::string& title) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(d, under, &root, &parent, &children, &count)) return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        XWindowAttributes a;
        if (XFetchName(d, children[i], &name) && name) {
            if (title == name && XGetWindowAttributes(d, children[i], &a) &&
                a.map_state == IsViewable) {
                found = children[i];
            }
            XFree(name);
        }
        if (!found) found = findByTitle(d, children[i], title);
    }
    if (children) XFree(children);
    return found;
}

int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

int closeWindow(Display* d, Window w) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(XInternAtom(d, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, w, False, NoEventMask, &e);
    // A round trip: the server has handled the event before this client goes.
    XSync(d, False);
    return 0;
}

// The EWMH request a pager sends: add both maximised states.
int maximize(Display* d, Window w) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, "_NET_WM_STATE", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = 1; // _NET_WM_STATE_ADD
    e.xclient.data.l[1] = long(XInternAtom(d, "_NET_WM_STATE_MAXIMIZED_VERT", False));
    e.xclient.data.l[2] = long(XInternAtom(d, "_NET_WM_STATE_MAXIMIZED_HORZ", False));
    e.xclient.data.l[3] = 1; // from an application
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &e);
    XSync(d, False);
    return 0;
}

unsigned long long checksum(XImage* image) {
    unsigned long long sum = 1469598103934665603ull;
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x)
            sum = (sum ^ XGetPixel(image, x, y)) * 1099511628211ull;
    }
    return sum;
}

int countChanges(Display* d, Window w, int x, int y, int width, int height, int ms) {
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    unsigned long long last = 0;
    bool first = true;
    int changes = 0;
    while (Clock::now() < end) {
        XImage* image =
            XGetImage(d, w, x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
        if (!image) return 1;
        const unsigned long long sum = checksum(image);
        XDestroyImage(image);
        if (!first && sum != last) ++changes;
        first = false;
        last = sum;
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    std::printf("%d\n", changes);
    return 0;
}

int countOthers(Display* d, Window w, int x, int y, int width, int height, long colour) {
    XImage* image = XGetImage(d, w, x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (!image) return 1;
    int others = 0;
    for (int j = 0; j < height; ++j) {
        for (int i = 0; i < width; ++i) {
            if (long(XGetPixel(image, i, j) & 0xFFFFFF) != colour) ++others;
        }
    }
    XDestroyImage(image);
    std::printf("%d\n", others);
    return 0;
}

int run(Display* d, int argc, char** argv, Clock::time_point start) {
    const std::string command = argv[1];
    if (command == "close") return closeWindow(d, parseWindow(argv[2]));
    if (command == "maximize") return maximize(d, parseWindow(argv[2]));
    if (command == "pixel" && argc == 5) {
        const long p = pixelAt(d, parseWindow(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
        if (p < 0) return 1;
        std::printf("%06lX\n", p);
        return 0;
    }
    if (command == "wait-pixel" && argc == 7) {
        const long want = std::strtol(argv[5], nullptr, 16);
        const auto end = start + std::chrono::milliseconds(std::atoi(argv[6]));
        while (Clock::now() < end) {
            const Window w = findByTitle(d, DefaultRootWindow(d), argv[2]);
            if (w && pixelAt(d, w, std::atoi(argv[3]), std::atoi(argv[4])) == want) {
                const auto ms =
                    std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                std::printf("%.1f\n", ms);
                return 0;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return 1;
    }
    if (command == "changes" && argc == 8) {
        return countChanges(d, parseWindow(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                            std::atoi(argv[5]), std::atoi(argv[6]), std::atoi(argv[7]));
    }
    if (command == "other" && argc == 8) {
        return countOthers(d, parseWindow(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                           std::atoi(argv[5]), std::atoi(argv[6]),
                           std::strtol(argv[7], nullptr, 16));
    }
    return usage();
}

} // namespace

int main(int argc, char** argv) {
    const auto start = Clock::now();
    if (argc < 3) return usage();
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "tessaly-xhelper: no display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    const int status = run(d, argc, argv, start);
    XCloseDisplay(d);
    return status;
}
