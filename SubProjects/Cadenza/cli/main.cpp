// cadenza-cli: the command-line twin of Cadenza. It drives the same library
// calls as the program's panels, one verb per file.
#include "CliOptions.h"
#include "CliVerb.h"

#include <QCoreApplication>
#include <cstring>
#include <iostream>

namespace {

// How every verb that takes files finds them.
const char kFileArguments[] =
    "FILE may be a folder: its MP3 files (*.mp3, letter case ignored) are taken in the order batch walks\n"
    "them, hidden folders skipped. --files-from LIST adds the names in LIST (- for standard input), one a\n"
    "line, or each ended by NUL with -0; they are taken as they stand, not walked. An empty list is\n"
    "\"0 files\" and exit status 0; a list that cannot be read is a wrong command line. When stderr is a\n"
    "terminal, a run that lasts over a second shows files done and files/s on one line.\n";

const char kWriteNotes[] =
    "--genre takes a number from 0 to 255 or a genre name, letter case ignored (cadenza-cli genres lists\n"
    "them).\n"
    "--from-id3v2 takes every field of the trailer from the file's ID3v2 tag; the field options fill the\n"
    "fields it lacks. A file without one fails with \"No ID3v2 tag.\" and is not written.\n"
    "--also-id3v2 writes the fields named into the file's ID3v2 tag too, in full (Unicode, not cut to 30\n"
    "characters); =create also gives a file without one a new ID3v2.4 tag. A file with several hard links\n"
    "whose tag would have to grow is refused.\n";

const CliVerb kVerbs[] = {
    {"read", "read [--json] [--files-from LIST [-0]] FILE...", runRead, "", true,
     "Examples:\n"
     "  cadenza-cli read --json ~/Music > tags.jsonl\n"
     "  find ~/Music -name '*.mp3' -newer stamp -print0 | cadenza-cli read --json --files-from - -0\n"},
    {"write",
     "write [--title T] [--artist A] [--album A] [--year Y] [--comment C] [--track N] [--genre G] "
     "[--from-id3v2] [--also-id3v2[=create]] [--files-from LIST [-0]] FILE...",
     runWrite, kWriteNotes, true,
     "Examples:\n"
     "  cadenza-cli write --genre 'classic rock' ~/Music/Live\n"
     "  cadenza-cli write --album Live --files-from live-tracks.txt\n"
     "  cadenza-cli write --from-id3v2 --genre Jazz ~/Music/Jazz\n"},
    {"parse",
     "parse [--json] --format N NAME...   (N: 0 \"#AR# - #AL# - #TR#.#TI#\", 1 \"#AR# - #TI#\", "
     "2 \"#AR# - #TR#.#TI#\"; NAME: a base name)",
     runParse},
    {"scan", "scan [--wildcard '*.mp3'] [-0] DIR", runScan,
     "-0 prints each name exactly as it is, ended by NUL instead of a line break.\n", false,
     "Example:\n"
     "  cadenza-cli scan -0 ~/Music | xargs -0 ls -l\n"},
    {"batch",
     "batch DIR (--format N | --source id3v2) [--artist A] [--album A] [--year Y] [--comment C] [--track N] "
     "[--genre G] "
     "[--overwrite] [--write] [--also-id3v2[=create]] [--json | -0]",
     runBatch,
     "--source id3v2 takes the fields from each file's ID3v2 tag instead of its name (a file without one is\n"
     "an Error: \"No ID3v2 tag.\"); the options fill the fields it lacks.\n"
     "--also-id3v2 writes the fields into each file's ID3v2 tag too (empty ones leave it alone);\n"
     "=create also gives a file without one a new ID3v2.4 tag.\n"
     "--genre takes a number from 0 to 255 or a genre name, letter case ignored. -0 ends each line of the\n"
     "plain output with NUL instead of a line break and gives the file name exactly as it is (the name is\n"
     "what stands between the first tab and the last); the summary then goes to stderr, as with --json,\n"
     "whose output stays one object per line. When stderr is a terminal, a run that lasts over a second\n"
     "shows files done and files/s on one line.\n",
     false,
     "Example:\n"
     "  cadenza-cli batch ~/Music --format 1 --genre Jazz -0 | grep -z '^Error'\n"},
    {"genres", "genres [--json]", runGenres,
     "Lists every genre of the genre list: its number, a tab and its name, one a line; with --json\n"
     "{\"genre\": NUMBER, \"genreName\": NAME} per line.\n",
     false,
     "Example:\n"
     "  cadenza-cli genres | grep -i metal\n"},
    {"remove", "remove [--files-from LIST [-0]] FILE...", runRemove,
     "Cuts the ID3v1 tag (the last 128 bytes, when they begin with TAG) off each file; every other byte\n"
     "stays as it was. A file without a tag is left as it is and said so.\n",
     true,
     "Example:\n"
     "  cadenza-cli remove ~/Music/Podcasts\n"},
    {"undo", "undo [RUN] | undo --list", runUndo,
     "Every write, remove and batch --write is first recorded in the undo journal\n"
     "($XDG_STATE_HOME/legato, else ~/.local/state/legato). undo puts back each file the newest run\n"
     "changed (or run RUN), byte for byte; a file changed by something else since is not touched and is\n"
     "reported. --list shows the runs: number, time, kind, files, and the folder or files. The journal\n"
     "keeps the last 100 runs within 200 MB.\n",
     false,
     "Examples:\n"
     "  cadenza-cli undo --list\n"
     "  cadenza-cli undo 12\n"},
};

const char kExitStatus[] =
    "Exit status: 0 when every file succeeded, 1 when a file failed, 2 for a wrong command line.\n";

int usage(std::ostream& out, int status)
{
    out << "usage:\n";
    for (const CliVerb& verb : kVerbs)
        out << "  cadenza-cli " << verb.usage << '\n';
    out << "  cadenza-cli --help | --version\n" << kExitStatus;
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return usage(std::cerr, ExitUsage);
    const std::string name = argv[1];
    if (name == "help" || name == "--help" || name == "-h")
        return usage(std::cout, ExitOk);
    if (name == "--version" || name == "-V") {
        std::cout << "cadenza-cli " << CADENZA_CLI_VERSION << '\n';
        return ExitOk;
    }
    for (const CliVerb& verb : kVerbs) {
        if (name != verb.name)
            continue;
        // Raw argv, not QCoreApplication::arguments(): names that are not valid
        // UTF-8 must reach the file system unchanged.
        int status = ExitOk;
        try {
            status = verb.run(CliArgs(argv + 2, argv + argc));
        } catch (const HelpRequested&) {
            std::cout << "usage: cadenza-cli " << verb.usage << '\n'
                      << verb.details << (verb.takesFiles ? kFileArguments : "") << verb.examples
                      << kExitStatus;
            return ExitOk;
        }
        if (status == ExitUsage)
            std::cerr << "usage: cadenza-cli " << verb.usage << '\n';
        return status;
    }
    std::cerr << "cadenza-cli: unknown command '" << name << "'\n";
    return usage(std::cerr, ExitUsage);
}
