#!/usr/bin/env bash
# Sets up, builds and starts the editor. It installs only what building and
# running the editor needs; the tests are built too once their libraries are
# there (./test.sh installs them). With no display, or when the editor itself
# could not be built, it runs the demo replay instead and leaves its
# screenshots in build/demo/; a failed replay ends the script with its status.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/setup.sh
tessaly_install_missing "${tessaly_run_packages[@]}"
tests=OFF
if tessaly_installed "${tessaly_test_libraries[@]}"; then tests=ON; fi
cmake --preset default -DTESSALY_TESTS=$tests >/dev/null
cmake --build --preset default -j "$(tessaly_jobs)"
bin=build/default/bin

display="${DISPLAY:-}${WAYLAND_DISPLAY:-}"
if [ -x "$bin/tessaly" ] && [ -n "$display" ]; then
    exec "$bin/tessaly"
fi
# The build above always makes the replay, and the demo is part of the
# sources: without the editor or a display, the demo is what runs.
if [ -n "$display" ]; then
    echo "The editor was not built (SDL2 or GTK 3 development files missing?):" \
        "running the demo replay instead; screenshots go to build/demo/."
else
    echo "No display: running the demo replay; screenshots go to build/demo/."
fi
rm -rf build/demo && mkdir -p build/demo
cp -r tests/e2e/demo/. build/demo/
if "$bin/tessaly-replay" build/demo/case.replay >/dev/null; then
    echo "Screenshots: build/demo/start-screen.png build/demo/editor.png"
else
    status=$?
    echo "The demo replay failed (exit status $status)." >&2
    exit "$status"
fi
