// What the window tests of the Windows build read from the system's own
// dialogs, which X11 cannot see into (run under Wine beside the program):
//
//   tessaly-winhelper controls TITLE    one line per control of the top-level
//                                       window of that exact title: its id,
//                                       class, style in hex, and text
//   tessaly-winhelper filter TITLE      the file type list of the file dialog
//                                       of that title, one entry a line, then
//                                       "selected N" (counting from 1)
//   tessaly-winhelper size TITLE W H    give the window W x H (its frame
//                                       included), as a drag of its border
//                                       does, and print its inside's size WxH
//   tessaly-winhelper maximize TITLE    maximise the window, as its button does
//   tessaly-winhelper state TITLE       print "maximised" or "normal", and the
//                                       inside's size WxH
//
// Texts are printed in UTF-8. Exit status 1 when there is no such window.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "system/text_encoding.h"

namespace {

std::string utf8(const wchar_t* text) {
    return tessaly::utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text)));
}

std::wstring wide(const std::string& text) {
    const std::u16string w = tessaly::utf8ToUtf16(text);
    return std::wstring(w.begin(), w.end());
}

// The file type list of the common file dialogs.
constexpr int kFileTypeList = 0x470; // cmb1

BOOL CALLBACK printControl(HWND control, LPARAM) {
    wchar_t className[64] = L"";
    GetClassNameW(control, className, 64);
    // Asked of the control itself: GetWindowText gives no edit field's text
    // in another process.
    wchar_t text[8192] = L"";
    SendMessageTimeoutW(control, WM_GETTEXT, 8192, LPARAM(text), SMTO_ABORTIFHUNG, 1000, nullptr);
    std::printf("%d %s %08lx %s\n", GetDlgCtrlID(control), utf8(className).c_str(),
                static_cast<unsigned long>(GetWindowLongW(control, GWL_STYLE)), utf8(text).c_str());
    return TRUE;
}

int printFilter(HWND dialog) {
    HWND list = GetDlgItem(dialog, kFileTypeList);
    if (!list) return 1;
    const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[512] = L"";
        if (SendMessageW(list, CB_GETLBTEXTLEN, WPARAM(i), 0) < 512) {
            SendMessageW(list, CB_GETLBTEXT, WPARAM(i), LPARAM(text));
        }
        std::printf("%s\n", utf8(text).c_str());
    }
    std::printf("selected %d\n", int(SendMessageW(list, CB_GETCURSEL, 0, 0)) + 1);
    return 0;
}

void printInside(HWND window) {
    RECT inside{};
    GetClientRect(window, &inside);
    std::printf("%ldx%ld\n", inside.right - inside.left, inside.bottom - inside.top);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr,
                     "usage: tessaly-winhelper controls|filter|size|maximize|state TITLE\n");
        return 2;
    }
    const std::string command = argv[1];
    HWND window = FindWindowW(nullptr, wide(argv[2]).c_str());
    if (!window) {
        std::fprintf(stderr, "no window \"%s\"\n", argv[2]);
        return 1;
    }
    if (command == "controls") {
        EnumChildWindows(window, printControl, 0);
        return 0;
    }
    if (command == "filter") return printFilter(window);
    if (command == "size" && argc == 5) {
        SetWindowPos(window, nullptr, 0, 0, std::atoi(argv[3]), std::atoi(argv[4]),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        printInside(window);
        return 0;
    }
    if (command == "maximize") {
        ShowWindow(window, SW_MAXIMIZE);
        return 0;
    }
    if (command == "state") {
        std::printf("%s ", IsZoomed(window) ? "maximised" : "normal");
        printInside(window);
        return 0;
    }
    return 2;
}
