#!/usr/bin/env bash
# Configures and builds Legato into ./build (or $LEGATO_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${LEGATO_BUILD_DIR:-build}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${LEGATO_BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$build" -j "$(nproc)"
