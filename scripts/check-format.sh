#!/usr/bin/env bash
# Fails when a tracked C++ source differs from the project's .clang-format
# style; `scripts/check-format.sh --fix` rewrites them instead. Installs
# clang-format 14 (Debian 12's) when it is missing, so every machine formats alike.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format-14 >/dev/null || scripts/setup.sh clang-format-14
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
    clang-format-14 -i "${files[@]}"
else
    clang-format-14 --dry-run -Werror "${files[@]}"
fi
