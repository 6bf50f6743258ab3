#include "CliFiles.h"
#include "CliOptions.h"
#include "CliVerb.h"
#include "TagPrinting.h"

#include "cDrvScan.h"

#include <iostream>

namespace {

struct ScanOptions
{
    std::string wildcard = "*.mp3";
    std::string dir;
    bool nul = false; // raw names ended by NUL, for xargs -0 and the like
};

bool parseArgs(const CliArgs& args, ScanOptions& options)
{
    std::size_t dirs = 0;
    const bool read = ReadArgs(
        args, "scan", {"-0"},
        [&](const std::string& name, const std::string& value) {
            if (name == "-0") {
                options.nul = true;
                return true;
            }
            if (name == "--wildcard") {
                options.wildcard = value;
                return true;
            }
            std::cerr << "cadenza-cli scan: unknown option " << name << '\n';
            return false;
        },
        [&](const std::string& dir) {
            options.dir = dir;
            ++dirs;
        });
    if (!read)
        return false;
    if (dirs != 1)
        std::cerr << "cadenza-cli scan: give exactly one directory\n";
    return dirs == 1;
}

} // namespace

// Prints every entry the scanner finds, one a line, as the bytes of its name,
// in the scanner's order; with -0 each name exactly as it is, ended by NUL.
// Unreadable folders below DIR are passed over.
int runScan(const CliArgs& args)
{
    ScanOptions options;
    if (!parseArgs(args, options))
        return ExitUsage;

    if (const auto problem = CliFiles::FolderProblem(options.dir, "not a readable directory")) {
        std::cerr << "cadenza-cli: " << TagPrinting::visible(options.dir) << ": " << *problem << '\n';
        return ExitFailed;
    }

    cDrvScan scan;
    QObject::connect(&scan, &cDrvScan::FileFound, [&options](const std::string& name) {
        if (options.nul)
            std::cout << name << '\0';
        else
            std::cout << TagPrinting::visible(name) << '\n';
    });
    scan.setPath(options.dir);
    scan.setFileSpec(options.wildcard);
    scan.setUseFileSpec(true);
    scan.SearchFiles();
    return ExitOk;
}
