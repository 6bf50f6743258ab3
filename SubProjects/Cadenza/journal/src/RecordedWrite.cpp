#include "RecordedWrite.h"

#include "JournalFormat.h"

#include "Platform/FileSystemObject.h"
#include "Platform/RuntimeError.h"
#include "Quaver/FileHandler.h"
#include "Quaver/TrailerCodec.h"

#include <unistd.h>

namespace Journal {

RecordedResult RecordedWrite(Quaver::FileHandler& handler, Change change, const std::string& folder)
{
    const std::string& file = handler.FileName();
    const auto changeFile = [&] { return change == Change::Save ? handler.WriteTag() : handler.CutTag(); };
    // A missing file cannot be changed: the tag library says so in its words.
    if (!Platform::FileSystemObject().FindFile(file))
        return changeFile() ? RecordedResult::Written : RecordedResult::Failed;

    std::unique_ptr<JournalRun> run;
    int entry = 0;
    try {
        const FileEnd before = ReadFileEnd(file);
        if (change == Change::Remove && !before.hasTrailer)
            return RecordedResult::NoTrailer;
        const FileEnd after = change == Change::Save
                                  ? AfterWrite(before, Quaver::TrailerCodec::Render(*handler.ID3v1xTag()))
                                  : AfterRemove(before);
        run = JournalRun::Begin(folder, change == Change::Save ? "save" : "remove tag", file);
        entry = run->Intend(file, before, after);
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
