#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/) with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer into their own folder (./build-fuzz or
# $LEGATO_FUZZ_BUILD_DIR) and runs each for a bounded time.
#
#   scripts/fuzz.sh [TARGET...]      all targets when none is named
#   LEGATO_FUZZ_SECONDS=N            time per target (default 60)
#   LEGATO_FUZZ_RUNS=N               stop a target after N executions instead
#
# A finding stops the script with the fuzzer's report; the input that caused it
# is kept in the build folder's fuzz/findings/. Not part of the CI run.
set -euo pipefail
cd "$(dirname "$0")/.."
# clang and its fuzzer and sanitizer runtime come on top of the usual packages.
scripts/setup.sh clang-14 libclang-rt-14-dev

build="${LEGATO_FUZZ_BUILD_DIR:-build-fuzz}"
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_trailer fuzz_filename fuzz_registry fuzz_player_message)

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
    -DLEGATO_FUZZ=ON -DLEGATO_BUILD_TESTS=OFF -DLEGATO_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" --target "${targets[@]}"

# The player's target only reads the files its inputs name; its window and
# registry folders stay in the build folder.
export LEGATO_WINDOW_DIR="$PWD/$build/fuzz/windows" LEGATO_REGISTRY_DIR="$PWD/$build/fuzz/registry"
export QT_QPA_PLATFORM=offscreen JUKEBOX_NO_AUDIO=1
mkdir -p "$LEGATO_WINDOW_DIR" "$LEGATO_REGISTRY_DIR" "$build/fuzz/findings"
chmod 700 "$LEGATO_WINDOW_DIR"
limit=(-max_total_time="${LEGATO_FUZZ_SECONDS:-60}")
[ -n "${LEGATO_FUZZ_RUNS:-}" ] && limit=(-runs="$LEGATO_FUZZ_RUNS")
for t in "${targets[@]}"; do
    # The seeds in fuzz/corpus/ start each run; what the fuzzer learns is kept
    # in the build folder for the next.
    corpus="$build/fuzz/corpus/$t"
    mkdir -p "$corpus"
    echo "== $t"
    "$build/fuzz/$t" "${limit[@]}" -max_len=4096 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/fuzz/findings/$t-" "$corpus" "fuzz/corpus/$t"
done
