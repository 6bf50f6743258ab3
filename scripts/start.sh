#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
build="${LEGATO_BUILD_DIR:-build}"

if [ -x "$build/bin/cadenza" ]; then
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        echo "No display found: run this from a desktop session, or under a virtual display:" >&2
        echo "  xvfb-run -a scripts/start.sh" >&2
        exit 1
    fi
    exec "$build/bin/cadenza" "$@"
fi

# The window is not built yet: show the command-line twin on a small example.
example="$build/example"
mkdir -p "$example"
head -c 4096 /dev/zero > "$example/Artist - Title.mp3"
echo "Example file: $example/Artist - Title.mp3"
"$build/bin/cadenza-cli" write --title "Title" --artist "Artist" --track 1 --genre 17 "$example/Artist - Title.mp3"
exec "$build/bin/cadenza-cli" read "$example/Artist - Title.mp3"
