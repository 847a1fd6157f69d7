#!/usr/bin/env bash
# Checks that Windows programs import only DLLs that Windows itself has:
#
#   scripts/check-windows-imports.sh FOLDER_OR_EXE...
#
# Every .exe named, or found anywhere under a folder named, is read with
# objdump; a DLL outside the list below (zlib1.dll, libstdc++-6.dll,
# libwinpthread-1.dll, ...) would have to ship beside the program, and the
# zip ships none. Wine has many such DLLs of its own, so a program that runs
# under Wine may still not start on Windows: this check is what tells.
# Prints each program with what it imports; exits 1 when one imports anything
# else, or when no program is found.
set -uo pipefail

# The DLLs of Windows itself that the programs use (every Windows has them),
# in lower case.
allowed=(kernel32.dll user32.dll gdi32.dll comdlg32.dll shell32.dll winmm.dll advapi32.dll ole32.dll
    msvcrt.dll)

objdump=i686-w64-mingw32-objdump
if ! command -v "$objdump" >/dev/null; then
    echo "check-windows-imports: $objdump not found (package binutils-mingw-w64-i686)" >&2
    exit 1
fi
if [ $# -eq 0 ]; then
    echo "usage: scripts/check-windows-imports.sh FOLDER_OR_EXE..." >&2
    exit 2
fi

status=0
found=0
while IFS= read -r -d '' exe; do
    found=$((found + 1))
    if ! dump=$("$objdump" -p "$exe"); then
        echo "$exe: cannot be read" >&2
        status=1
        continue
    fi
    dlls=$(echo "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr -d '\r' | sort -fu)
    foreign=""
    for dll in $dlls; do
        known=no
        for windows_dll in "${allowed[@]}"; do
            [ "${dll,,}" = "$windows_dll" ] && known=yes
        done
        [ $known = yes ] || foreign+=" $dll"
    done
    if [ -n "$foreign" ]; then
        echo "$exe: imports DLLs that Windows does not have:$foreign" >&2
        status=1
    else
        echo "$exe: ok ($(echo $dlls))"
    fi
done < <(find "$@" -iname '*.exe' -type f -print0)
if [ $found -eq 0 ]; then
    echo "check-windows-imports: no .exe found in $*" >&2
    status=1
fi
exit $status
