#include "CliFiles.h"
#include "CliOptions.h"
#include "CliOutput.h"
#include "CliVerb.h"
#include "TagPrinting.h"

#include "Quaver/FileHandler.h"
#include "ReadAhead/ReadAheadPool.h"

#include <iostream>

namespace {

struct ReadOptions
{
    bool json = false;
    std::vector<std::string> files;
};

bool parse(const CliArgs& args, ReadOptions& options)
{
    const bool read = ReadArgs(
        args, "read", {"--json"},
        [&](const std::string& name, const std::string&) {
            if (name == "--json") {
                options.json = true;
                return true;
            }
            std::cerr << "cadenza-cli read: unknown option " << name << '\n';
            return false;
        },
        [&](const std::string& file) { options.files.push_back(file); });
    if (!read)
        return false;
    if (options.files.empty())
        std::cerr << "cadenza-cli read: no file given\n";
    return !options.files.empty();
}

} // namespace

int runRead(const CliArgs& args)
{
    ReadOptions options;
    if (!parse(args, options))
        return ExitUsage;

    int status = ExitOk;
    CliOutput out;
    // The files come back in the order given, each with its trailer already
    // on its way from the device while the ones before it are printed.
    ReadAhead::ReadAheadPool files(ReadAhead::ReadAheadPool::List(std::move(options.files)));
    while (const auto next = files.Next()) {
        const std::string& file = *next;
        Quaver::FileHandler handler;
        handler.setFileName(file);
        const auto error = handler.LastError();
        // A cleared record that stays cleared means ReadTag found the file too
        // short to hold a tag: it records nothing for that case.
        error->Clear();
        Quaver::EID3TagConstants type = handler.ReadTag();
        // The library takes anything that is no regular file it can reach for
        // a missing one; only then is it worth asking what the name is.
        if (type == Quaver::ID3Unknown && error->Mode() == Quaver::Exclamation)
            CliFiles::RefuseFile(file, "Read Tag", *error);
        if (type != Quaver::ID3Unknown) {
            if (options.json)
                TagPrinting::appendTagJsonLine(out.text(), file, *handler.ID3v1xTag(), type);
            else
                TagPrinting::appendTagText(out.text(), file, *handler.ID3v1xTag(), type);
            out.linesDone();
            continue;
        }
        if (error->Source().empty()) {
            error->setSource("Read Tag");
            error->setDescription("The file is too short to contain a tag.");
        }
        const bool failed = error->Mode() != Quaver::Information;
        if (options.json)
            out.text() += TagPrinting::jsonLine(TagPrinting::errorJson(file, *error));
        else if (!failed)
            out.text() += TagPrinting::visible(file) + ": no tag (" +
                          TagPrinting::visible(error->Description()) + ")\n";
        out.linesDone();
        if (failed) {
            out.flush();
            TagPrinting::printFailure(file, *error);
            status = ExitFailed;
        }
    }
    return status;
}
