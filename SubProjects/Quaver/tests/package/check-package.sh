#!/bin/sh
# Installs the build into a temporary prefix, builds the consumer against the
# exported package there and runs it. Arguments: build dir, consumer source dir.
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Only the library's component: installing the whole project may run other steps.
cmake --install "$1" --prefix "$work/prefix" --component Quaver >/dev/null
cmake -S "$2" -B "$work/build" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/build" >/dev/null
"$work/build/quaver-consumer" "$work/song.mp3"
