#!/usr/bin/env bash
# Builds the Debian package from a Release build (the preset "release"): only
# what the install takes is built, then CPack writes
# build/release/tessaly_VERSION_ARCH.deb with the dependencies dpkg-shlibdeps
# finds. The package's path goes to standard output, all else to standard
# error, so that `deb=$(scripts/package-deb.sh)` works.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/setup.sh
{
    cmake --preset release >/dev/null
    cmake --build --preset release --target installed_files -j "$(tessaly_jobs)"
} >&2
cd build/release
rm -f tessaly_*.deb
if ! cpack -G DEB >cpack.log 2>&1; then
    cat cpack.log >&2
    exit 1
fi
ls "$PWD"/tessaly_*.deb
