#include "CliVerb.h"

#include "Platform/FileFind.h"
#include "Platform/FileNameCodec.h"
#include "cDrvScan.h"

#include <iostream>

namespace {

struct ScanOptions
{
    std::string wildcard = "*.mp3";
    std::string dir;
};

bool parseArgs(const CliArgs& args, ScanOptions& options)
{
    bool optionsDone = false;
    std::vector<std::string> dirs;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsDone) {
            dirs.push_back(arg);
        } else if (arg == "--wildcard") {
            if (i + 1 == args.size()) {
                std::cerr << "cadenza-cli scan: --wildcard needs a pattern\n";
                return false;
            }
            options.wildcard = args[++i];
        } else if (arg.rfind("--wildcard=", 0) == 0) {
            options.wildcard = arg.substr(11);
        } else if (arg == "--") {
            optionsDone = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::cerr << "cadenza-cli scan: unknown option " << arg << '\n';
            return false;
        } else {
            dirs.push_back(arg);
        }
    }
    if (dirs.size() != 1) {
        std::cerr << "cadenza-cli scan: give exactly one directory\n";
        return false;
    }
    options.dir = dirs.front();
    return true;
}

} // namespace

// Prints every entry the scanner finds, one a line, as the bytes of its name,
// in the scanner's order. Unreadable folders below DIR are passed over.
int runScan(const CliArgs& args)
{
    ScanOptions options;
    if (!parseArgs(args, options))
        return ExitUsage;

    Platform::FindData probe;
    if (!Platform::FindFirstFile(options.dir + "/*.*", probe).valid()) {
        std::cerr << "cadenza-cli: " << options.dir << ": not a readable directory\n";
        return ExitFailed;
    }

    cDrvScan scan;
    QObject::connect(&scan, &cDrvScan::FileFound, [](const QString& fileName) {
        std::cout << Platform::EncodeFileName(fileName) << '\n';
    });
    scan.setPath(Platform::DecodeFileName(options.dir));
    scan.setFileSpec(Platform::DecodeFileName(options.wildcard));
    scan.setUseFileSpec(true);
    scan.SearchFiles();
    return ExitOk;
}
