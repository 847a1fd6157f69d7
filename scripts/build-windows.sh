#!/usr/bin/env bash
# Builds the Windows programs with the MinGW-w64 cross compiler and packs them
# for users:
#
#   scripts/build-windows.sh      -> dist/tessaly-VERSION-win32.zip
#
# The zip holds one folder, tessaly-VERSION-win32, with tessaly.exe,
# tessaly-level.exe, tessaly-tiles.exe, tessaly-replay.exe, Resources\ with the
# default tile bitmaps, samples\ and README.txt (Windows line ends). Steps of
# the build run Windows programs (the tile bitmaps, the samples, the icon)
# under Wine, in a prefix under build/windows.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/setup.sh
tessaly_install_missing "${tessaly_run_packages[@]}" "${tessaly_windows_packages[@]}"

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(tessaly_jobs)" --target \
    tessaly tessaly-level tessaly-tiles tessaly-replay default_tile_bitmaps samples

version=$(sed -n 's/^project(Tessaly VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=tessaly-$version-win32
bin=build/windows/bin
stage=build/windows/package
rm -rf "$stage"
mkdir -p "$stage/$name/Resources" "$stage/$name/samples" dist
for program in tessaly tessaly-level tessaly-tiles tessaly-replay; do
    i686-w64-mingw32-strip -o "$stage/$name/$program.exe" "$bin/$program.exe"
done
cp "$bin"/Resources/*TILES.bmp "$stage/$name/Resources/"
cp "$bin"/samples/* "$stage/$name/samples/"
sed 's/$/\r/' docs/windows-readme.txt >"$stage/$name/README.txt"

zip=dist/$name.zip
rm -f dist/tessaly-*-win32.zip # the zips of other versions too
(cd "$stage" && cmake -E tar cf "../../../$zip" --format=zip "$name")

# The zip must hold every file named above, and nothing of the build.
listing=$(cmake -E tar tf "$zip" | grep -v "/$" | sort)
expected=$(cd "$stage" && find "$name" -type f | sort)
if [ "$listing" != "$expected" ] || [ "$(echo "$listing" | wc -l)" -ne 15 ]; then
    echo "build-windows: $zip does not hold what it should:" >&2
    echo "$listing" >&2
    exit 1
fi
echo "$zip: $(stat -c %s "$zip") bytes"
