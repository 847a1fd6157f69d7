#!/usr/bin/env bash
# Sets up, builds and runs every test: a normal build and an AddressSanitizer +
# UndefinedBehaviorSanitizer build, each under CTest; a Release build under
# CTest, made into the Debian package, which is then checked without being
# installed; the window tests under Xvfb (with the desktop entry of an
# install); the Windows programs, cross-built and tested under Wine (their unit
# tests, the replay scenarios and the level tool against the Linux build, the
# zip for users, and their window under Xvfb); a libFuzzer run of each fuzz
# target when clang has libFuzzer (10 s each, 60 s under CI, i.e. when CI is
# set; TESSALY_FUZZ_SECONDS overrides both); and the check of which folder
# may include which (also a CTest test). Exits 0 only when everything
# passed. Each step prints how long it took.
#
# TESSALY_SKIP_WINDOWS=1 leaves the Windows part out, for a quicker run (and
# installs neither the cross compiler nor Wine).
set -uo pipefail
cd "$(dirname "$0")"
. scripts/setup.sh
packages=("${tessaly_run_packages[@]}" "${tessaly_test_packages[@]}" "${tessaly_play_test_packages[@]}")
if [ "${TESSALY_SKIP_WINDOWS:-}" != 1 ]; then packages+=("${tessaly_windows_packages[@]}"); fi
tessaly_install_missing "${packages[@]}" || exit 1

jobs=$(tessaly_jobs)
failed=()

step() {
    local name=$1 start=$SECONDS
    shift
    echo "== $name"
    if ! "$@"; then
        failed+=("$name")
    fi
    echo "== $name: $((SECONDS - start)) s"
}

build_and_test() {
    local preset=$1
    cmake --preset "$preset" >/dev/null &&
        cmake --build --preset "$preset" -j "$jobs" &&
        ctest --preset "$preset" -j "$jobs"
}

release_and_package() {
    local deb
    build_and_test release && deb=$(scripts/package-deb.sh) &&
        scripts/check-package.sh "$deb"
}

# The zip for users, unpacked on its own into a folder whose name holds
# spaces and letters outside ASCII: its programs import only DLLs that Windows
# itself has (Wine has more, so running them here proves nothing about that),
# start without the build beside them, and the editor finds its tile bitmaps
# and opens and saves a level named on its command line in any script.
check_windows_zip() {
    scripts/build-windows.sh || return 1
    local root=$PWD
    local wine=("$root/scripts/wine.sh" "$root/build/windows/wine")
    local unpacked="build/windows/unpacked zip Tëst Ünïcode"
    rm -rf "$unpacked" && mkdir -p "$unpacked"
    (cd "$unpacked" && cmake -E tar xf "$root"/dist/tessaly-*-win32.zip) || return 1
    local folder
    folder=$(echo "$unpacked"/tessaly-*-win32)
    scripts/check-windows-imports.sh "$folder" || return 1
    "${wine[@]}" "$folder/tessaly-level.exe" info "$folder/samples/sample.ck1" |
        grep -q '^game: CK1' || return 1
    cp -r tests/e2e/demo/. "$unpacked/"
    (cd "$unpacked" && "${wine[@]}" "$(basename "$folder")/tessaly-replay.exe" \
        case.replay | tr -d '\r' | diff - expected.log) || return 1
    local case=tests/e2e/level_named_in_any_script level
    level=$(cd "$case" && echo *.ck1)
    mkdir "$unpacked/level" && cp "$case/case.replay" "$case/$level" "$unpacked/level/" &&
        (cd "$unpacked/level" && "${wine[@]}" "../$(basename "$folder")/tessaly-replay.exe" \
            case.replay "$level" | tr -d '\r' | diff - "$root/$case/expected.log") &&
        cmp "$unpacked/level/$level" "$case/expected/$level"
}

# The Windows tests under Wine, then Wine's server stopped so nothing of it
# outlives the run.
windows_tests() {
    build_and_test windows && check_windows_zip &&
        scripts/window-tests.sh --windows build/windows/bin build/default/bin
    local status=$?
    WINEPREFIX=$(pwd)/build/windows/wine wineserver -k 2>/dev/null
    return $status
}

step "which folder includes which (layers, SDL, GTK, windows.h)" scripts/check-includes.sh
step "normal build and tests" build_and_test default
step "sanitizer build and tests" build_and_test asan
step "release build and tests, Debian package" release_and_package
if [ -x scripts/window-tests.sh ]; then
    step "window tests under Xvfb" scripts/window-tests.sh build/default/bin
fi
if [ "${TESSALY_SKIP_WINDOWS:-}" = 1 ]; then
    echo "== Windows programs under Wine: skipped (TESSALY_SKIP_WINDOWS=1)"
else
    step "Windows programs under Wine" windows_tests
fi
fuzz_seconds=10
[ -n "${CI:-}" ] && fuzz_seconds=60
step "fuzz targets" scripts/fuzz.sh "${TESSALY_FUZZ_SECONDS:-$fuzz_seconds}"

if [ ${#failed[@]} -ne 0 ]; then
    echo "FAILED: ${failed[*]}"
    exit 1
fi
echo "All tests passed."
