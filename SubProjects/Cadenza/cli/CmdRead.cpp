#include "CliFiles.h"
#include "CliOptions.h"
#include "CliProgress.h"
#include "CliVerb.h"
#include "TagPrinting.h"

#include "Quaver/FileHandler.h"

#include <iostream>

namespace {

struct ReadOptions
{
    bool json = false;
    CliFiles::FileArgs files;
};

bool parse(const CliArgs& args, ReadOptions& options)
{
    const bool read = ReadArgs(
        args, "read", {"--json", CliFiles::FileArgs::NulFlag},
        [&](const std::string& name, const std::string& value) {
            if (CliFiles::FileArgs::IsOption(name))
                return options.files.Take("read", name, value);
            if (name == "--json") {
                options.json = true;
                return true;
            }
            std::cerr << "cadenza-cli read: unknown option " << name << '\n';
            return false;
        },
        [&](const std::string& file) { options.files.operands.push_back(file); });
    return read && options.files.Check("read");
}

} // namespace

int runRead(const CliArgs& args)
{
    ReadOptions options;
    if (!parse(args, options))
        return ExitUsage;
    const auto names = CliFiles::FileNames::Open(options.files, "read");
    if (!names)
        return ExitUsage;

    int status = ExitOk;
    CliProgress progress(std::cerr, CliProgress::Wanted());
    while (const auto next = names->next()) {
        progress.Step();
        const std::string& file = *next;
        Quaver::FileHandler handler;
        handler.setFileName(file);
        const auto error = handler.LastError();
        // A cleared record that stays cleared means ReadTag found the file too
        // short to hold a tag: it records nothing for that case.
        error->Clear();
        const Quaver::EID3TagConstants type =
            CliFiles::RefuseFile(file, "Read Tag", *error) ? Quaver::ID3Unknown : handler.ReadTag();
        if (type != Quaver::ID3Unknown) {
            std::cout << (options.json
                              ? TagPrinting::jsonLine(TagPrinting::tagJson(file, *handler.ID3v1xTag(), type))
                              : TagPrinting::tagText(file, *handler.ID3v1xTag(), type));
            continue;
        }
        if (error->Source().empty()) {
            error->setSource("Read Tag");
            error->setDescription("The file is too short to contain a tag.");
        }
        const bool failed = error->Mode() != Quaver::Information;
        if (options.json)
            std::cout << TagPrinting::jsonLine(TagPrinting::errorJson(file, *error));
        else if (!failed)
            std::cout << TagPrinting::visible(file) << ": no tag ("
                      << TagPrinting::visible(error->Description()) << ")\n";
        if (failed) {
            TagPrinting::printFailure(file, *error);
            status = ExitFailed;
        }
    }
    progress.Finish();
    return CliFiles::Finish(*names, status);
}
