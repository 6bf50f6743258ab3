#!/bin/sh
# Installs the build into a temporary prefix, builds the consumer against the
# exported package there and runs it. Arguments: build dir, consumer source dir.
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$1" --prefix "$work/prefix" >/dev/null
cmake -S "$2" -B "$work/build" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/build" >/dev/null
"$work/build/quaver-consumer" "$work/song.mp3"
