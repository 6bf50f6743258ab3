#!/usr/bin/env bash
# Installs the Debian 12 packages Legato needs to build, test and run, and any
# further packages named as arguments, when any is missing. Non-interactive and
# safe to run again.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libqt6opengl6-dev qt6-multimedia-dev qt6-tools-dev
    libgl-dev
    qt6-l10n-tools qt6-translations-l10n
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    libgtest-dev libgmock-dev libtag1-dev liburing-dev
    xvfb xauth xdotool imagemagick sox lame
    man-db desktop-file-utils appstream bash-completion python3-mutagen
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Installing ${missing[*]} needs root or sudo." >&2; exit 1; }
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
