#!/usr/bin/env bash
# Checks which sources may include what (run by CTest and ./test.sh):
#
# - Each folder of the program includes only the folders beneath it:
#     app     everything
#     views   edit, level, gui, core
#     edit    level
#     level   system, and of core only core/bytes.h
#     gui     core
#     hosts   core, system (no editor, no level)
#     system  nothing else of ours
#     core    nothing else of ours
#   tools, tests, bench and fuzz may include anything.
# - SDL, GTK and the libraries beneath GTK belong to the Linux window host
#   alone (hosts/sdl, hosts/gtk), windows.h to the Windows host, the Windows
#   half of system/ (NAME_win32.cpp) and their tests.
#
# Prints every include that breaks a rule and exits 1; prints "ok" otherwise.
cd "$(dirname "$0")/.."
status=0

allowed_for() {
    case $1 in
    app) echo "*" ;;
    views) echo "views/ edit/ level/ gui/ core/" ;;
    edit) echo "edit/ level/" ;;
    level) echo "level/ system/ core/bytes.h" ;;
    gui) echo "gui/ core/" ;;
    hosts) echo "hosts/ core/ system/" ;;
    system) echo "system/" ;;
    core) echo "core/" ;;
    esac
}

layer_hits=""
for folder in app views edit level gui hosts system core; do
    [ -d "$folder" ] || continue
    allowed=$(allowed_for "$folder")
    [ "$allowed" = "*" ] && continue
    while IFS= read -r line; do
        [ -n "$line" ] || continue
        included=$(echo "$line" | sed -E 's/^[^:]*:[0-9]+:\s*#\s*include\s*"([^"]*)".*/\1/')
        case $included in */*) ;; *) continue ;; esac # generated headers, no folder
        ok=no
        for prefix in $allowed; do
            case $prefix in
            */) [[ $included == "$prefix"* ]] && ok=yes ;;
            *) [[ $included == "$prefix" ]] && ok=yes ;;
            esac
        done
        [ $ok = yes ] || layer_hits+="$line"$'\n'
    done < <(grep -rEn '^\s*#\s*include\s*"' --include='*.cpp' --include='*.h' "$folder")
done
if [ -n "$layer_hits" ]; then
    echo "includes of a folder that this folder may not use:"
    printf '%s' "$layer_hits"
    status=1
fi

sources="app views edit level gui hosts system core tools tests bench fuzz"
hits=$(grep -rEn '#\s*include\s*[<"](SDL|gtk/|gdk/|gdk-pixbuf/|gio/|glib|pango/|cairo)' \
    --include='*.cpp' --include='*.h' --include='*.c' $sources 2>/dev/null |
    grep -v -E '^(hosts/(sdl|gtk)/|tests/hosts/)')
if [ -n "$hits" ]; then
    echo "SDL or GTK included outside hosts/sdl and hosts/gtk:"
    echo "$hits"
    status=1
fi
hits=$(grep -rEin '#\s*include\s*[<"](windows|winuser|winbase|commdlg|commctrl|shellapi)\.h' \
    --include='*.cpp' --include='*.h' --include='*.c' --include='*.rc' $sources 2>/dev/null |
    grep -v -E '^(hosts/win32/|system/[a-z_]+_win32\.(cpp|h):|tests/hosts/win32/|tests/system/[a-z_]+_win32_test\.cpp:|tests/window/winhelper\.cpp:)')
if [ -n "$hits" ]; then
    echo "windows.h included outside hosts/win32 and the Windows half of system/:"
    echo "$hits"
    status=1
fi
[ $status -eq 0 ] && echo "ok"
exit $status
