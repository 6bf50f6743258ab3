#!/usr/bin/env bash
# The command line on a whole collection: `cadenza-cli read --json` over a
# folder tree against the same files given as arguments (in batches, through
# xargs, as a shell would have to) and as a --files-from list, then the peak
# memory of --files-from runs of 10,000 and 1,000,000 names. The long list
# names the tree's files again and again: it measures what the number of names
# costs, not a million files on disk.
#
# usage: bench/cli_scale.sh [CADENZA_CLI]     (default: build/bin/cadenza-cli)
# FILES (100000) and FOLDERS (1000) size the tree; TMPDIR picks where it goes.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh time >/dev/null # /usr/bin/time gives the peak memory

cli="$(realpath "${1:-build/bin/cadenza-cli}")"
files="${FILES:-100000}"
folders="${FOLDERS:-1000}"
[ -x "$cli" ] || { echo "no cadenza-cli at $cli: build it first (scripts/build.sh)" >&2; exit 1; }

work="$(mktemp -d "${TMPDIR:-/tmp}/cli-scale.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# One short MP3 of real frames (sox and lame come with the set-up), copied
# into every folder by one tee per folder.
sox -q -n -r 44100 -c 2 "$work/t.wav" synth 0.2 sine 440
lame --quiet -b 128 "$work/t.wav" "$work/t.mp3"
perFolder=$(((files + folders - 1) / folders))
made=0
for ((d = 0; d < folders && made < files; d++)); do
    mkdir -p "$work/tree/f$d"
    names=()
    for ((i = 0; i < perFolder && made < files; i++, made++)); do
        names+=("$work/tree/f$d/Artist $d - Title $i.mp3")
    done
    tee "${names[@]}" <"$work/t.mp3" >/dev/null
done
"$cli" scan -0 "$work/tree" >"$work/names0"
tr '\0' '\n' <"$work/names0" >"$work/names"
echo "tree: $made files in $folders folders"

# One run: "SECONDS PEAK_KB CPU_SECONDS" (elapsed, peak resident memory, user +
# system time; on a busy machine the CPU time is the steadier figure).
measure() {
    /usr/bin/time -f "%e %M %U %S" -o "$work/time" "$@" >/dev/null 2>"$work/err" || true
    awk '{ printf "%s %s %.2f\n", $1, $2, $3 + $4 }' "$work/time"
}
field() { echo "$1" | cut -d' ' -f"$2"; }

# Best of three by elapsed time (the first run also warms the cache).
best() {
    local best="" run
    for _ in 1 2 3; do
        run=$(measure "$@")
        if [ -z "$best" ] || awk -v a="$(field "$run" 1)" -v b="$(field "$best" 1)" 'BEGIN { exit !(a < b) }'; then
            best="$run"
        fi
    done
    echo "$best"
}

folder=$(best "$cli" read --json "$work/tree")
args=$(best sh -c 'xargs -0 "$0" read --json <"$1"' "$cli" "$work/names0")
list=$(best "$cli" read --json --files-from "$work/names")

show() {
    awk -v n="$2" -v s="$(field "$1" 1)" -v kb="$(field "$1" 2)" -v cpu="$(field "$1" 3)" \
        'BEGIN { printf "%8.0f files/s (%.2f s, CPU %.2f s), peak %d KB\n", n / s, s, cpu, kb }'
}
echo "read --json, folder argument:   $(show "$folder" "$made")"
echo "read --json, file arguments:    $(show "$args" "$made")  (xargs batches; peak of one batch)"
echo "read --json, --files-from list: $(show "$list" "$made")"
awk -v f="$(field "$folder" 1)" -v a="$(field "$args" 1)" -v l="$(field "$list" 1)" \
    -v fc="$(field "$folder" 3)" -v lc="$(field "$list" 3)" \
    'BEGIN { printf "folder / file arguments: %.2f x the time; folder / list: %.2f x the time, %.2f x the CPU\n",
             f / a, f / l, fc / lc }'

# Peak memory against the number of names: 10,000 and 1,000,000.
head -n 10000 "$work/names" >"$work/list10k"
: >"$work/list1m"
while [ "$(wc -l <"$work/list1m")" -lt 1000000 ]; do cat "$work/names" >>"$work/list1m"; done
head -n 1000000 "$work/list1m" >"$work/list" && mv "$work/list" "$work/list1m"
small=$(measure "$cli" read --json --files-from "$work/list10k")
large=$(measure "$cli" read --json --files-from "$work/list1m")
echo "--files-from 10,000 names:      $(show "$small" 10000)"
echo "--files-from 1,000,000 names:   $(show "$large" 1000000)"
awk -v a="$(field "$small" 2)" -v b="$(field "$large" 2)" 'BEGIN { printf "peak memory 1M / 10k: %.2f\n", b / a }'
