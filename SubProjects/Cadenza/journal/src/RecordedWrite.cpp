#include "RecordedWrite.h"

#include "JournalFormat.h"

#include "Platform/FileSystemObject.h"
#include "Platform/RuntimeError.h"
#include "Quaver/FileHandler.h"
#include "Quaver/TrailerCodec.h"

#include <unistd.h>

namespace Journal {

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
        // The library left the file as it was: the run has nothing to undo.
        const std::string path = folder + '/' + Format::RunFileName(run->Id());
        run.reset();
        unlink(path.c_str());
        return RecordedResult::Failed;
    }
    run->Done(entry, file);
    try {
        run->Finish();
    } catch (const Platform::RuntimeError&) {
        // The file is written and its record is on disk; only the run's
        // closing line is missing, which undo does without.
    }
    return RecordedResult::Written;
}

} // namespace Journal
