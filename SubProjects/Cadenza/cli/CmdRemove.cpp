#include "CliFiles.h"
#include "CliJournal.h"
#include "CliOptions.h"
#include "CliVerb.h"
#include "TagPrinting.h"

#include "Quaver/FileHandler.h"

#include "Platform/FileSystemObject.h"
#include "Platform/RuntimeError.h"

#include <algorithm>
#include <iostream>

namespace {

// One file of a group: what removing its tag will do.
struct Planned
{
    Quaver::FileHandler handler;
    int entry = 0;
    bool hasTag = false;
    std::string failure;
};

void plan(const std::string& file, Planned& planned, Journal::JournalRun& run)
{
    planned.handler.setFileName(file);
    const auto error = planned.handler.LastError();
    error->Clear();
    if (!CliFiles::RefuseFile(file, "Remove Tag", *error)) {
        if (!Platform::FileSystemObject().FindFile(file)) {
            error->setMode(Quaver::Exclamation);
            error->setSource("Remove Tag");
            error->setDescription("File does not exist.");
        } else {
            try {
                const Journal::FileEnd before = Journal::ReadFileEnd(file);
                planned.hasTag = before.hasTrailer;
                if (planned.hasTag)
                    planned.entry = run.Intend(file, before, Journal::AfterRemove(before));
                return;
            } catch (const Platform::RuntimeError& e) {
                error->CopyError(&e);
            }
        }
    }
    planned.failure = TagPrinting::errorText(file, *error);
}

} // namespace

// Cuts the trailer off each file; a file without one is left as it is and
// said so. Every removal is in the undo journal before the file is touched.
int runRemove(const CliArgs& args)
{
    std::vector<std::string> files;
    const bool read = ReadArgs(
        args, "remove", {},
        [](const std::string& name, const std::string&) {
            std::cerr << "cadenza-cli remove: unknown option " << name << '\n';
            return false;
        },
        [&](const std::string& file) { files.push_back(file); });
    if (!read)
        return ExitUsage;
    if (files.empty()) {
        std::cerr << "cadenza-cli remove: no file given\n";
        return ExitUsage;
    }
    const auto run = CliJournal::Begin("remove", CliJournal::Describe(files));
    if (!run)
        return ExitFailed;

    int status = ExitOk;
    for (std::size_t first = 0; first < files.size(); first += CliJournal::kGroup) {
        std::vector<Planned> group(std::min(CliJournal::kGroup, files.size() - first));
        for (std::size_t i = 0; i < group.size(); ++i)
            plan(files[first + i], group[i], *run);
        try {
            run->Sync();
        } catch (const Platform::RuntimeError& e) {
            std::cerr << "cadenza-cli remove: " << e.Description() << "; the remaining files were not changed\n";
            return ExitFailed;
        }
        for (Planned& planned : group) {
            const std::string& file = planned.handler.FileName();
            if (!planned.failure.empty()) {
                std::cerr << "cadenza-cli: " << planned.failure << '\n';
                status = ExitFailed;
            } else if (!planned.hasTag) {
                std::cout << TagPrinting::visible(file) << ": no tag, left as it is\n";
            } else if (!planned.handler.CutTag()) {
                TagPrinting::printFailure(file, *planned.handler.LastError());
                status = ExitFailed;
            } else {
                run->Done(planned.entry, file);
                std::cout << TagPrinting::visible(file) << ": tag removed\n";
            }
        }
    }
    run->Finish();
    return status;
}
