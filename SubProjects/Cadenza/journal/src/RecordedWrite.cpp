#include "RecordedWrite.h"

#include "JournalFormat.h"

#include "Platform/FileSystemObject.h"
#include "Platform/RuntimeError.h"
#include "Quaver/FileHandler.h"
#include "Quaver/TrailerCodec.h"

#include <unistd.h>

namespace Journal {

namespace {

// Deletes a run that changed no file: it has nothing to undo.
void discard(std::unique_ptr<JournalRun>& run, const std::string& folder)
{
    const std::string path = folder + '/' + Format::RunFileName(run->Id());
    run.reset();
    unlink(path.c_str());
}

// Closes a run whose files are written.
void finish(JournalRun& run)
{
    try {
        run.Finish();
    } catch (const Platform::RuntimeError&) {
        // The files are written and their records are on disk; only the run's
        // closing line is missing, which undo does without.
    }
}

} // namespace

bool WriteRecord(Quaver::FileHandler& handler, const std::optional<PlannedSplice>& splice)
{
    if (!splice)
        return handler.WriteTag();
    try {
        ApplySplice(handler.FileName(), splice->Change);
        return true;
    } catch (const Platform::RuntimeError& error) {
        handler.LastError()->CopyError(&error);
        return false;
    }
}

RecordedResult RecordedWrite(Quaver::FileHandler& handler, Change change, const std::string& folder,
                             OtherTags::Id3v2Sync sync)
{
    const std::string& file = handler.FileName();
    std::optional<PlannedSplice> splice;
    const auto changeFile = [&] {
        return change == Change::Save ? WriteRecord(handler, splice) : handler.CutTag();
    };
    // A missing file cannot be changed: the tag library says so in its words.
    if (!Platform::FileSystemObject().FindFile(file))
        return changeFile() ? RecordedResult::Written : RecordedResult::Failed;

    std::unique_ptr<JournalRun> run;
    int entry = 0;
    try {
        const FileEnd before = ReadFileEnd(file);
        if (change == Change::Remove && !before.hasTrailer)
            return RecordedResult::NoTrailer;
        FileEnd after = AfterRemove(before);
        if (change == Change::Save) {
            const Trailer block = Quaver::TrailerCodec::Render(*handler.ID3v1xTag());
            after = AfterWrite(before, block);
            splice = PlanSplice(file, before, *handler.ID3v1xTag(), block, sync, OtherTags::AllFields());
        }
        run = JournalRun::Begin(folder, change == Change::Save ? "save" : "remove tag", file);
        entry = splice ? run->Intend(file, before, splice->Change) : run->Intend(file, before, after);
        run->Sync();
    } catch (const Platform::RuntimeError& error) {
        handler.LastError()->CopyError(&error);
        return RecordedResult::Failed;
    }

    if (!changeFile()) {
        // The library left the file as it was.
        discard(run, folder);
        return RecordedResult::Failed;
    }
    run->Done(entry, file);
    finish(*run);
    return RecordedResult::Written;
}

std::vector<RecordedResult> RecordedWrites(std::vector<Quaver::FileHandler>& handlers,
                                           const std::string& folder, OtherTags::Id3v2Sync sync,
                                           const OtherTags::Id3v2Update& update)
{
    std::vector<RecordedResult> results(handlers.size(), RecordedResult::Failed);
    if (handlers.empty())
        return results;
    // Per file: its journal entry; 0 for a missing file, which only the tag
    // library's refusal reports; -1 for a file whose end could not be read.
    std::vector<int> entries(handlers.size(), -1);
    std::vector<std::optional<PlannedSplice>> splices(handlers.size());
    std::unique_ptr<JournalRun> run;
    try {
        std::string description = handlers.front().FileName();
        if (handlers.size() > 1)
            description += " and " + std::to_string(handlers.size() - 1) + " more";
        run = JournalRun::Begin(folder, "save", description);
        for (std::size_t i = 0; i < handlers.size(); ++i) {
            Quaver::FileHandler& handler = handlers[i];
            const std::string& file = handler.FileName();
            if (!Platform::FileSystemObject().FindFile(file)) {
                entries[i] = 0;
                continue;
            }
            FileEnd before;
            const Trailer block = Quaver::TrailerCodec::Render(*handler.ID3v1xTag());
            try {
                before = ReadFileEnd(file);
                splices[i] = PlanSplice(file, before, *handler.ID3v1xTag(), block, sync, update);
            } catch (const Platform::RuntimeError& error) {
                handler.LastError()->CopyError(&error);
                continue;
            }
            entries[i] = splices[i] ? run->Intend(file, before, splices[i]->Change)
                                    : run->Intend(file, before, AfterWrite(before, block));
        }
        run->Sync();
    } catch (const Platform::RuntimeError& error) {
        // Not one file is touched: their records may not be on disk.
        for (Quaver::FileHandler& handler : handlers)
            handler.LastError()->CopyError(&error);
        if (run)
            discard(run, folder);
        return results;
    }

    bool written = false;
    for (std::size_t i = 0; i < handlers.size(); ++i) {
        if (entries[i] < 0 || !WriteRecord(handlers[i], splices[i]))
            continue;
        if (entries[i] > 0)
            run->Done(entries[i], handlers[i].FileName());
        results[i] = RecordedResult::Written;
        written = true;
    }
    if (written)
        finish(*run);
    else
        discard(run, folder);
    return results;
}

} // namespace Journal
