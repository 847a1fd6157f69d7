#!/usr/bin/env bash
# SDL, GTK and the libraries beneath GTK belong to the window host alone: no
# other source may include them.
cd "$(dirname "$0")/.."
hits=$(grep -rEn '#\s*include\s*[<"](SDL|gtk/|gdk/|gdk-pixbuf/|gio/|glib|pango/|cairo)' \
    --include='*.cpp' --include='*.h' --include='*.c' \
    app gui level views platform tools tests bench fuzz 2>/dev/null |
    grep -v -E '^platform/(sdl|gtk)/')
if [ -n "$hits" ]; then
    echo "SDL or GTK included outside platform/sdl and platform/gtk:"
    echo "$hits"
    exit 1
fi
echo "ok"
