#!/usr/bin/env bash
# Builds the benchmarks in Release (./build-bench, or $LEGATO_BENCH_DIR) and runs
# them all. --scale adds the runs over 10k, 100k and 1M files (minutes, about
# 2 GB of disk under $TMPDIR). Run as root for truly cold runs (the page cache
# is dropped); otherwise cold runs are "partly cold".
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build="${LEGATO_BENCH_DIR:-build-bench}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLEGATO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target bench
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
for b in bench_quaver bench_parse bench_scan bench_registry; do
    echo "== $b"
    "$build/bin/$b"
done
echo "== bench_batch"
# --scale adds the panel over a million outcomes.
"$build/bin/bench_batch" $(printf '%s\n' "$@" | grep -x -- --scale || true)
echo "== bench_editor_list"
"$build/bin/bench_editor_list"
echo "== bench_cli"
"$build/bin/bench_cli" "$@"
