# bash completion for cadenza-cli
# The verbs and each verb's options, one entry a line: a new option goes into
# its verb's list here (and in zsh's and fish's files beside this one).
_cadenza_cli_options()
{
    case $1 in
    read) echo "--json --files-from -0 --help" ;;
    write) echo "--title --artist --album --year --comment --track --genre --from-id3v2 --also-id3v2 --files-from -0 --help" ;;
    parse) echo "--json --format --help" ;;
    scan) echo "--wildcard -0 --help" ;;
    batch) echo "--format --source --artist --album --year --comment --track --genre --overwrite --write --also-id3v2 --json -0 --help" ;;
    genres) echo "--json --help" ;;
    remove) echo "--files-from -0 --help" ;;
    undo) echo "--list --help" ;;
    esac
}

_cadenza_cli()
{
    local cur prev verb
    COMPREPLY=()
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]}
    if [[ $COMP_CWORD -eq 1 ]]; then
        COMPREPLY=($(compgen -W "read write parse scan batch genres remove undo --help --version" -- "$cur"))
        return
    fi
    verb=${COMP_WORDS[1]}
    case $prev in
    --format)
        COMPREPLY=($(compgen -W "0 1 2" -- "$cur"))
        return
        ;;
    --title | --artist | --album | --year | --comment | --track | --genre | --wildcard)
        return
        ;;
    --files-from)
        COMPREPLY=($(compgen -f -- "$cur"))
        return
        ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(_cadenza_cli_options "$verb")" -- "$cur"))
        return
    fi
    case $verb in
    scan | batch) COMPREPLY=($(compgen -d -- "$cur")) ;;
    read | write | remove) COMPREPLY=($(compgen -f -- "$cur")) ;; # files and folders
    esac
}
complete -o filenames -F _cadenza_cli cadenza-cli
