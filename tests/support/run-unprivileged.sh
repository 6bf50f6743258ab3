#!/bin/sh
# Runs a test program as a user whom file modes bind: directly for an ordinary
# user; for root as the user "nobody" (uid and gid 65534, through setpriv).
#
#   run-unprivileged.sh PROGRAM [ARGUMENTS...]
#
# nobody may not be able to reach the build tree (a clone inside /root or a
# private mktemp folder), so root runs a copy: the program and the shared
# libraries it loads from outside the system folders go into a staging folder
# that nobody can read, which is removed afterwards. TMPDIR points into it too,
# so the tests' own temporary folders are reachable. Exit status 77 (a skipped
# test for CTest) when it cannot be done, with the reason on stderr.
set -eu

program=$1
shift
if [ "$(id -u)" -ne 0 ]; then
    exec "$program" "$@"
fi

skip() {
    echo "SKIPPED: the unprivileged run is left out: $*" >&2
    exit 77
}

setpriv=$(command -v setpriv) || skip "setpriv (util-linux) is not installed"
stage=$(mktemp -d /tmp/legato-unprivileged-XXXXXX) || skip "no staging folder in /tmp"
trap 'rm -rf "$stage"' EXIT INT TERM
mkdir "$stage/lib"
mkdir -m 1777 "$stage/tmp"
cp "$program" "$stage/" || skip "cannot copy $program"
ldd "$program" | awk '$2 == "=>" && $3 ~ /^\// { print $3 }' | while read -r lib; do
    case "$lib" in
    /lib/* | /lib64/* | /usr/*) ;;
    *) cp -L "$lib" "$stage/lib/" ;;
    esac
done
chmod -R a+rX "$stage"

as_nobody() {
    "$setpriv" --reuid=65534 --regid=65534 --clear-groups \
        env TMPDIR="$stage/tmp" XDG_STATE_HOME="$stage/tmp/state" LD_LIBRARY_PATH="$stage/lib" "$@"
}
as_nobody test -x "$stage/$(basename "$program")" || skip "user nobody cannot reach $stage"
cd "$stage"
status=0
as_nobody "$stage/$(basename "$program")" "$@" || status=$?
exit "$status"
