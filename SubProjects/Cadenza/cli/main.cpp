// cadenza-cli: the command-line twin of Cadenza. It drives the same library
// calls as the program's panels, one verb per file.
#include "CliOptions.h"
#include "CliVerb.h"

#include <QCoreApplication>
#include <cstring>
#include <iostream>

namespace {

const CliVerb kVerbs[] = {
    {"read", "read [--json] FILE...", runRead},
    {"write",
     "write [--title T] [--artist A] [--album A] [--year Y] [--comment C] [--track N] [--genre N] FILE...",
     runWrite},
    {"parse",
     "parse [--json] --format N NAME...   (N: 0 \"#AR# - #AL# - #TR#.#TI#\", 1 \"#AR# - #TI#\", "
     "2 \"#AR# - #TR#.#TI#\"; NAME: a base name)",
     runParse},
    {"scan", "scan [--wildcard '*.mp3'] DIR", runScan},
    {"batch",
     "batch DIR --format N [--artist A] [--album A] [--year Y] [--comment C] [--track N] [--genre N] "
     "[--overwrite] [--write] [--json]",
     runBatch},
    {"remove", "remove FILE...", runRemove},
    {"undo", "undo [RUN] | undo --list", runUndo},
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
            std::cout << "usage: cadenza-cli " << verb.usage << '\n' << kExitStatus;
            return ExitOk;
        }
        if (status == ExitUsage)
            std::cerr << "usage: cadenza-cli " << verb.usage << '\n';
        return status;
    }
    std::cerr << "cadenza-cli: unknown command '" << name << "'\n";
    return usage(std::cerr, ExitUsage);
}
