#!/usr/bin/env bash
# Checks a file with the validator its kind has on Debian; the CTest tests of
# legato_validator_test() run it. Exit status 0 valid, 1 not, 77 skipped (the
# validator is missing: the message names the package that brings it, which
# scripts/setup.sh installs).
#
#   validate.sh man PAGE.1              man --warnings and lexgrog (man-db)
#   validate.sh desktop FILE.desktop    desktop-file-validate (desktop-file-utils)
#   validate.sh appstream FILE.xml      appstreamcli validate (appstream)
#   validate.sh cli-options CLI BASH-COMPLETION MAN-PAGE
#       every verb and long option in CLI --help is completed by bash
#       (bash-completion) and named on the manual page
set -uo pipefail
kind=$1
shift

need() { # need COMMAND PACKAGE
    command -v "$1" >/dev/null && return 0
    echo "SKIPPED: $1 is not installed (Debian package $2; scripts/setup.sh installs it)"
    exit 77
}

case $kind in
man)
    need man man-db
    need lexgrog man-db
    # Any message from groff (bad requests, lines it cannot fit) is a fault.
    out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$1" 2>&1 >/dev/null)
    [ -z "$out" ] || { echo "$out"; exit 1; }
    # lexgrog finds the NAME line whatis and apropos show.
    lexgrog "$1" || exit 1
    ;;
desktop)
    need desktop-file-validate desktop-file-utils
    out=$(desktop-file-validate "$1" 2>&1)
    rc=$?
    [ -z "$out" ] && [ $rc -eq 0 ] || { echo "$out"; exit 1; }
    ;;
appstream)
    need appstreamcli appstream
    appstreamcli validate --no-net "$1" || exit 1
    ;;
cli-options)
    cli=$1 completion=$2 page=$3
    [ -f /usr/share/bash-completion/bash_completion ] || {
        echo "SKIPPED: bash completion is not installed (Debian package bash-completion)"
        exit 77
    }
    # What bash offers after "cadenza-cli WORDS..." with the cursor on the last word.
    complete_words() {
        bash -c 'source /usr/share/bash-completion/bash_completion; source "$1"; shift
                 COMP_WORDS=(cadenza-cli "$@"); COMP_CWORD=$#; _cadenza_cli; printf "%s\n" "${COMPREPLY[@]}"' \
            _ "$completion" "$@"
    }
    status=0
    verbs=$(complete_words "")
    while read -r _ verb rest; do
        case $verb in -*) continue ;; esac
        grep -qx -- "$verb" <<<"$verbs" || { echo "bash does not complete the verb $verb"; status=1; }
        grep -q -- "^\.B $verb\$" "$page" || { echo "$page has no entry for the verb $verb"; status=1; }
        options=$(complete_words "$verb" "--")
        for option in $(grep -o -- '--[a-z0-9-]*' <<<"$rest" | sort -u); do
            grep -qx -- "$option" <<<"$options" || { echo "bash does not complete $verb $option"; status=1; }
            grep -q -- "${option//-/\\\\-}" "$page" || { echo "$page does not name $option"; status=1; }
        done
    done < <("$cli" --help | grep '^  cadenza-cli ')
    exit $status
    ;;
*)
    echo "validate.sh: unknown kind '$kind'" >&2
    exit 2
    ;;
esac
