#!/usr/bin/env bash
# SDL, GTK and the libraries beneath GTK belong to the Linux window host
# alone, windows.h to the Windows host and the Windows half of the platform
# core (platform/*_win32.cpp) and its tests: no other source may include them.
cd "$(dirname "$0")/.."
status=0
hits=$(grep -rEn '#\s*include\s*[<"](SDL|gtk/|gdk/|gdk-pixbuf/|gio/|glib|pango/|cairo)' \
    --include='*.cpp' --include='*.h' --include='*.c' \
    app gui level views platform tools tests bench fuzz 2>/dev/null |
    grep -v -E '^platform/(sdl|gtk)/')
if [ -n "$hits" ]; then
    echo "SDL or GTK included outside platform/sdl and platform/gtk:"
    echo "$hits"
    status=1
fi
hits=$(grep -rEin '#\s*include\s*[<"](windows|winuser|winbase|commdlg|commctrl|shellapi)\.h' \
    --include='*.cpp' --include='*.h' --include='*.c' --include='*.rc' \
    app gui level views platform tools tests bench fuzz 2>/dev/null |
    grep -v -E '^(platform/win32/|platform/[a-z_]+_win32\.(cpp|h):|tests/win32/|tests/window/winhelper\.cpp:)')
if [ -n "$hits" ]; then
    echo "windows.h included outside platform/win32 and the platform core's Windows half:"
    echo "$hits"
    status=1
fi
[ $status -eq 0 ] && echo "ok"
exit $status
