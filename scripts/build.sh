#!/usr/bin/env bash
# Configures and builds Legato into ./build (or $LEGATO_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${LEGATO_BUILD_DIR:-build}"
# LEGATO_WERROR=ON in the environment (as in CI) makes warnings errors; unset, the
# folder keeps what it was configured with.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${LEGATO_BUILD_TYPE:-RelWithDebInfo}" \
    ${LEGATO_WERROR:+-DLEGATO_WERROR="$LEGATO_WERROR"} >/dev/null
cmake --build "$build" -j "$(nproc)"
