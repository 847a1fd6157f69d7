#!/usr/bin/env bash
# Checks a Debian package of the editor without installing anything:
#   - lintian reports no errors;
#   - the package holds every file of an install, icons at their sizes;
#   - the desktop entry, the level file types and the AppStream metadata
#     validate, and the entry's types are the ones the XML defines;
#   - the manual pages format without warnings;
#   - unpacked with dpkg-deb -x into a temporary folder, the programs run from
#     there: --version and --help, tessaly-level info on the packaged sample,
#     and tessaly-replay picking a game, opening the sample and taking a
#     screenshot with no message (a missing tile bitmap would give one).
#
#   scripts/check-package.sh DEB
set -uo pipefail
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    echo "usage: scripts/check-package.sh DEB"
    exit 2
fi
deb=$(realpath "$1")
version=$(dpkg-deb -f "$deb" Version)
scratch=$(mktemp -d /tmp/tessaly-package.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
failures=0

fail() {
    echo "  FAILED: $*"
    failures=$((failures + 1))
}

expect_eq() { # what actual expected
    if [ "$2" != "$3" ]; then fail "$1: got '$2', expected '$3'"; fi
}

echo "-- lintian"
if ! lintian --fail-on error "$deb" >"$scratch/lintian.log" 2>&1; then
    fail "lintian reports errors"
fi
grep -E '^[EW]:' "$scratch/lintian.log" | sed 's/^/  /'

dpkg-deb -x "$deb" "$root" || {
    echo "cannot unpack $deb"
    exit 1
}
share=$root/usr/share
programs="tessaly tessaly-level tessaly-tiles tessaly-replay"

echo "-- files"
files=()
for p in $programs; do files+=("usr/bin/$p" "usr/share/man/man1/$p.1.gz"); done
# The games the package knows, by the extensions of its level file types.
extensions=$(sed -n 's/.*<glob pattern="\*\.\([a-z0-9]*\)"\/>.*/\1/p' \
    "$root/usr/share/mime/packages/tessaly.xml" 2>/dev/null)
[ -n "$extensions" ] || fail "the package's level file types name no game"
for ext in $extensions; do
    files+=("usr/share/tessaly/Resources/$(echo "$ext" | tr a-z A-Z)TILES.bmp")
    files+=("usr/share/tessaly/samples/sample.$ext")
done
files+=(usr/share/applications/tessaly.desktop usr/share/mime/packages/tessaly.xml
    usr/share/metainfo/tessaly.metainfo.xml usr/share/doc/tessaly/copyright
    usr/share/doc/tessaly/changelog.gz)
for f in "${files[@]}"; do
    [ -f "$root/$f" ] || fail "$f is missing"
done
for size in 16 32 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x$size/apps/tessaly.png
    file -b "$icon" | grep -q "^PNG image data, $size x $size," || fail "icon $size: $(file -b "$icon")"
done

echo "-- desktop entry, level file types, AppStream metadata"
desktop-file-validate "$share/applications/tessaly.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/tessaly.metainfo.xml" >"$scratch/appstream.log" 2>&1
sed 's/^/  /' "$scratch/appstream.log"
if grep -q '^E:' "$scratch/appstream.log"; then fail "appstreamcli reports errors"; fi
# The types as the shared MIME database compiles them: every pattern maps to
# its type, and the entry offers the editor for exactly those types.
mkdir -p "$scratch/mime/packages"
cp "$share/mime/packages/tessaly.xml" "$scratch/mime/packages/"
update-mime-database "$scratch/mime" >"$scratch/mime.log" 2>&1 || {
    fail "update-mime-database"
    cat "$scratch/mime.log"
}
for ext in $extensions; do
    grep -q ":application/x-tessaly-level-$ext:\*\.$ext$" "$scratch/mime/globs2" ||
        fail "no glob *.$ext for application/x-tessaly-level-$ext"
done
entry_types=$(sed -n 's/^MimeType=//p' "$share/applications/tessaly.desktop" | tr ';' '\n' |
    grep . | sort)
expect_eq "the entry's types" "$entry_types" "$(sort "$scratch/mime/types")"
grep -q '^Exec=tessaly %f$' "$share/applications/tessaly.desktop" || fail "Exec is not 'tessaly %f'"

echo "-- manual pages"
for p in $programs; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
        "$share/man/man1/$p.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man $p: $warnings"
done

echo "-- the unpacked programs"
home=$scratch/home
mkdir -p "$home"
# Nothing of this machine's user: an empty home, data and state folder.
run() { env HOME="$home" XDG_DATA_HOME="$home/data" XDG_STATE_HOME="$home/state" "$@"; }
bin=$root/usr/bin
for p in $programs; do
    expect_eq "$p --version" "$(run "$bin/$p" --version)" "$p $version"
    run "$bin/$p" --help | grep -q "^usage: $p" || fail "$p --help gives no usage"
done
info=$(run "$bin/tessaly-level" info "$share/tessaly/samples/sample.ck2")
expect_eq "tessaly-level info: game" "$(echo "$info" | sed -n 1p)" "game: CK2"
expect_eq "tessaly-level info: size" "$(echo "$info" | sed -n 2p)" "size: 30 x 25"

# Pick Commander Keen 2, open the packaged sample, take a screenshot, leave
# the editor and exit.
mkdir -p "$scratch/replay"
cat >"$scratch/replay/case.replay" <<REPLAY
wait 20
open $share/tessaly/samples/sample.ck2
mouse 400 255
press left
wait 30
release left
wait 100
expect-title Tessaly Editor v0.9 - sample.ck2
screenshot shot.png
keydown F10
wait 30
keyup F10
wait 50
mouse 50 579
press left
wait 30
release left
wait 400
REPLAY
(cd "$scratch/replay" && run "$bin/tessaly-replay" case.replay >replay.log 2>&1)
status=$?
sed 's/^/  /' "$scratch/replay/replay.log"
expect_eq "tessaly-replay status" "$status" 0
if grep -q ' message ' "$scratch/replay/replay.log"; then fail "the replay showed a message"; fi
file -b "$scratch/replay/shot.png" | grep -q "^PNG image data, 800 x 600," || fail "no screenshot"
[ ! -e "$bin/Resources" ] || fail "a Resources folder was made beside the programs"

if [ $failures -ne 0 ]; then
    echo "package check: $failures failed checks"
    exit 1
fi
echo "package check: $(basename "$deb") passed"
