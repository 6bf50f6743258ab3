#include "CliFiles.h"
#include "CliJournal.h"
#include "CliOptions.h"
#include "CliProgress.h"
#include "CliVerb.h"
#include "TagPrinting.h"

#include "Quaver/FileHandler.h"

#include "Platform/FileSystemObject.h"
#include "Platform/RuntimeError.h"

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
    CliFiles::FileArgs files;
    const bool read = ReadArgs(
        args, "remove", {CliFiles::FileArgs::NulFlag},
        [&](const std::string& name, const std::string& value) {
            if (CliFiles::FileArgs::IsOption(name))
                return files.Take("remove", name, value);
            std::cerr << "cadenza-cli remove: unknown option " << name << '\n';
            return false;
        },
        [&](const std::string& file) { files.operands.push_back(file); });
    if (!read || !files.Check("remove"))
        return ExitUsage;
    const auto names = CliFiles::FileNames::Open(files, "remove");
    if (!names)
        return ExitUsage;
    const auto run = CliJournal::Begin("remove", CliJournal::Describe(files));
    if (!run)
        return ExitFailed;

    int status = ExitOk;
    CliProgress progress(std::cerr, CliProgress::Wanted());
    const auto planOne = [&](const std::string& file, Planned& planned) { plan(file, planned, *run); };
    for (std::vector<Planned> group; CliJournal::NextGroup(*names, group, planOne);) {
        if (!CliJournal::Sync(*run, "remove"))
            return ExitFailed;
        for (Planned& planned : group) {
            progress.Step();
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
    progress.Finish();
    run->Finish();
    return CliFiles::Finish(*names, status);
}
