#!/usr/bin/env bash
# Sets up, builds and starts the editor. With no display it runs the demo
# replay instead and leaves its screenshots in build/demo/.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/setup.sh
tessaly_install_missing "${tessaly_packages[@]}"
cmake --preset default >/dev/null
cmake --build --preset default -j "$(tessaly_jobs)"
bin=build/default/bin

if [ -x "$bin/tessaly" ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$bin/tessaly"
fi
if [ -x "$bin/tessaly-replay" ] && [ -f tests/e2e/demo/case.replay ]; then
    echo "No display: running the demo replay; screenshots go to build/demo/."
    rm -rf build/demo && mkdir -p build/demo
    cp -r tests/e2e/demo/. build/demo/
    "$bin/tessaly-replay" build/demo/case.replay >/dev/null && echo "Screenshots: build/demo/start-screen.png build/demo/editor.png"
    exit 0
fi
for level in "$bin"/samples/*; do
    echo "== $level"
    "$bin/tessaly-level" info "$level"
done
