#!/usr/bin/env bash
# Sets up, builds and runs every test: a normal build and an AddressSanitizer +
# UndefinedBehaviorSanitizer build, each under CTest; a Release build under
# CTest, made into the Debian package, which is then checked without being
# installed; the window tests under Xvfb (with the desktop entry of an
# install); a libFuzzer run of each fuzz target when clang has libFuzzer (10 s
# each, 60 s under CI, i.e. when CI is set; TESSALY_FUZZ_SECONDS overrides
# both); and the check that only the window host includes SDL or GTK. Exits 0
# only when everything passed. Each step prints how long it took.
set -uo pipefail
cd "$(dirname "$0")"
. scripts/setup.sh
tessaly_install_missing "${tessaly_packages[@]}" || exit 1

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

step "only the window host includes SDL or GTK" scripts/check-includes.sh
step "normal build and tests" build_and_test default
step "sanitizer build and tests" build_and_test asan
step "release build and tests, Debian package" release_and_package
if [ -x scripts/window-tests.sh ]; then
    step "window tests under Xvfb" scripts/window-tests.sh build/default/bin
fi
fuzz_seconds=10
[ -n "${CI:-}" ] && fuzz_seconds=60
step "fuzz targets" scripts/fuzz.sh "${TESSALY_FUZZ_SECONDS:-$fuzz_seconds}"

if [ ${#failed[@]} -ne 0 ]; then
    echo "FAILED: ${failed[*]}"
    exit 1
fi
echo "All tests passed."
