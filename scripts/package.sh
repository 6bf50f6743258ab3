#!/usr/bin/env bash
# Builds the Debian package legato_VERSION_ARCH.deb into ./build-package (or
# $LEGATO_PACKAGE_BUILD_DIR) with CPack's DEB generator: programs and libraries
# under /usr, the machine-wide registry of the components and the player's file
# association, desktop entries, metainfo, icons, manual pages and completions.
# Then lintian checks it (errors fail the script). Not part of CI: it is a
# second full build.
#
#   scripts/package.sh
#   sudo apt-get install ./build-package/legato_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh dpkg-dev fakeroot lintian file

build="${LEGATO_PACKAGE_BUILD_DIR:-build-package}"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# The repository's identity, when it has one, signs the package.
maintainer=()
if name=$(git config user.name) && email=$(git config user.email); then
    maintainer=(-DLEGATO_PACKAGE_MAINTAINER="$name <$email>")
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
    -DLEGATO_BUILD_TESTS=OFF -DLEGATO_BUILD_BENCH=OFF "${launcher[@]}" "${maintainer[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/legato_*.deb
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/legato_*.deb)
echo "Package: $deb"
# Errors fail; warnings and notes are shown.
lintian --fail-on error --info "$deb"
