# fish completion for cadenza-cli: one option a line, grouped by verb.
set -l verbs read write parse scan batch genres remove undo

complete -c cadenza-cli -f
complete -c cadenza-cli -n "not __fish_seen_subcommand_from $verbs" -a read -d 'Print the tags of files'
complete -c cadenza-cli -n "not __fish_seen_subcommand_from $verbs" -a write -d 'Change fields of the tags of files'
complete -c cadenza-cli -n "not __fish_seen_subcommand_from $verbs" -a parse -d 'Read tag fields out of base names'
complete -c cadenza-cli -n "not __fish_seen_subcommand_from $verbs" -a scan -d 'List the matching entries below a folder'
complete -c cadenza-cli -n "not __fish_seen_subcommand_from $verbs" -a batch -d 'Tag every MP3 file below a folder from its name'
complete -c cadenza-cli -n "not __fish_seen_subcommand_from $verbs" -a genres -d 'List every genre number and name'
complete -c cadenza-cli -n "not __fish_seen_subcommand_from $verbs" -a remove -d 'Cut the tag off files'
complete -c cadenza-cli -n "not __fish_seen_subcommand_from $verbs" -a undo -d 'Put back what a run changed'
complete -c cadenza-cli -n "not __fish_seen_subcommand_from $verbs" -l help -d 'Show the usage'
complete -c cadenza-cli -n "not __fish_seen_subcommand_from $verbs" -l version -d 'Show the version'

# read
complete -c cadenza-cli -n "__fish_seen_subcommand_from read" -F
complete -c cadenza-cli -n "__fish_seen_subcommand_from read write remove" -l files-from -r -F -d 'Take file names from a list (- for standard input)'
complete -c cadenza-cli -n "__fish_seen_subcommand_from read write remove scan batch" -o 0 -d 'Names ended by NUL'
# write, remove
complete -c cadenza-cli -n "__fish_seen_subcommand_from write remove" -F
# undo
complete -c cadenza-cli -n "__fish_seen_subcommand_from undo" -l list -d 'List the runs of the undo journal'
complete -c cadenza-cli -n "__fish_seen_subcommand_from write" -l title -x -d 'The title'
complete -c cadenza-cli -n "__fish_seen_subcommand_from write batch" -l artist -x -d 'The artist'
complete -c cadenza-cli -n "__fish_seen_subcommand_from write batch" -l album -x -d 'The album'
complete -c cadenza-cli -n "__fish_seen_subcommand_from write batch" -l year -x -d 'The year'
complete -c cadenza-cli -n "__fish_seen_subcommand_from write batch" -l comment -x -d 'The comment'
complete -c cadenza-cli -n "__fish_seen_subcommand_from write batch" -l track -x -d 'The track, 0 to 255'
complete -c cadenza-cli -n "__fish_seen_subcommand_from write batch" -l genre -x -d 'The genre, a number 0 to 255 or a name'
# parse
complete -c cadenza-cli -n "__fish_seen_subcommand_from parse batch" -l format -x -a '0\t"#AR# - #AL# - #TR#.#TI#" 1\t"#AR# - #TI#" 2\t"#AR# - #TR#.#TI#"' -d 'The file-name format'
complete -c cadenza-cli -n "__fish_seen_subcommand_from parse batch read genres" -l json -d 'One JSON object per line'
# scan
complete -c cadenza-cli -n "__fish_seen_subcommand_from scan batch" -a '(__fish_complete_directories)'
complete -c cadenza-cli -n "__fish_seen_subcommand_from scan" -l wildcard -x -d 'The entries to list'
# batch
complete -c cadenza-cli -n "__fish_seen_subcommand_from batch" -l source -x -a 'name id3v2' -d 'Where the fields come from'
complete -c cadenza-cli -n "__fish_seen_subcommand_from write" -l from-id3v2 -d 'Take the fields from the ID3v2 tag'
complete -c cadenza-cli -n "__fish_seen_subcommand_from write batch" -l also-id3v2 -d 'Write the fields into the ID3v2 tag too (=create: also a new one)'
complete -c cadenza-cli -n "__fish_seen_subcommand_from batch" -l overwrite -d 'Replace tags files already have'
complete -c cadenza-cli -n "__fish_seen_subcommand_from batch" -l write -d 'Write the tags (else test mode)'
complete -c cadenza-cli -n "__fish_seen_subcommand_from $verbs" -l help -d 'Show the usage'
