#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own Wine prefix:
#
#   scripts/wine.sh PREFIX PROGRAM.exe [ARGUMENTS...]
#
# PREFIX is a folder under the build tree, made and initialised at the first
# run (a few seconds; later runs start in a fraction of a second). Wine's own
# messages are silenced and it is never asked to install Mono or Gecko, which
# nothing here needs. Standard input, output and the exit status are the
# program's.
set -uo pipefail
if [ $# -lt 2 ]; then
    echo "usage: scripts/wine.sh PREFIX PROGRAM [ARGUMENTS...]" >&2
    exit 2
fi
prefix=$1
shift
mkdir -p "$prefix"
export WINEPREFIX=$(realpath "$prefix")
export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"

# Two test programs may start at once: the first one initialises the prefix
# while the other waits for it.
if [ ! -f "$WINEPREFIX/.tessaly-ready" ]; then
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.tessaly-ready" ]; then
            wineboot -i >"$WINEPREFIX/.wineboot.log" 2>&1 && wineserver -w &&
                touch "$WINEPREFIX/.tessaly-ready"
        fi
    ) 9>"$WINEPREFIX/.lock"
fi
# The Wine server stays up for a while after its last program has ended, so
# a run of many programs starts it (and Wine's services) once rather than
# once a program. The server and the services keep the standard output and
# error of the program that started them for as long as they live: they are
# started here by a program of their own with none, so that whoever reads
# this program's output sees its end when the program ends.
# The server's socket lies in a folder named after the prefix's device and
# inode, under a temporary folder of Wine's choosing.
server=$(printf 'server-%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))
running=no
for socket in "${TMPDIR:-/tmp}"/wine-*/"$server"/socket "${TMPDIR:-/tmp}"/.wine-"$(id -u)"/"$server"/socket; do
    if [ -S "$socket" ]; then running=yes; fi
done
if [ $running = no ]; then
    wineserver -p"${TESSALY_WINESERVER_SECONDS:-20}" </dev/null >/dev/null 2>&1
    wine cmd.exe /c exit </dev/null >/dev/null 2>&1
fi
exec wine "$@"
