#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer and runs each for a while
# (seconds given as the first argument), as many at once as there are
# cores. Skipped when clang has no libFuzzer.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
if ! command -v clang++ >/dev/null; then
    echo "clang++ not installed: fuzzing skipped"
    exit 0
fi
if ! echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' |
    clang++ -x c++ -fsanitize=fuzzer - -o /tmp/tessaly-fuzz-probe 2>/dev/null; then
    echo "clang has no libFuzzer: fuzzing skipped"
    exit 0
fi
cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j "$(nproc)" || exit 1
# The targets run side by side, one per core, each for the full time.
cores=$(nproc)
names=()
for target in build/fuzz/bin/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus=build/fuzz/corpus/$name
    mkdir -p "$corpus"
    seeds=fuzz/corpus/${name#fuzz_}
    [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null
    while [ "$(jobs -rp | wc -l)" -ge "$cores" ]; do sleep 1; done
    echo "-- $name for ${seconds}s"
    rm -f "build/fuzz/$name.status"
    (
        "$target" -max_total_time="$seconds" -print_final_stats=0 "$corpus" \
            >"build/fuzz/$name.log" 2>&1
        echo $? >"build/fuzz/$name.status"
    ) &
    names+=("$name")
done
wait
status=0
for name in "${names[@]}"; do
    if [ "$(cat "build/fuzz/$name.status" 2>/dev/null)" != 0 ]; then
        tail -n 30 "build/fuzz/$name.log"
        status=1
    fi
done
exit $status
