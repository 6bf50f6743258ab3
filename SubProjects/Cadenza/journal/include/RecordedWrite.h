#pragma once

#include "UndoJournal.h"

#include <optional>

#include <string>

namespace Quaver {
class FileHandler;
}

namespace Journal {

// What a single-file change through RecordedWrite does to the handler's file.
enum class Change
{
    Save,   // writes the handler's tag record (journal kind "save")
    Remove, // cuts the trailer off (journal kind "remove tag", apart from the command line's "remove")
};

enum class RecordedResult
{
    Written,   // recorded in the journal, then done
    NoTrailer, // a removal with no trailer to cut: nothing recorded, nothing done
    Failed,    // nothing was changed; the handler's LastError says why
};

// One change of one file, the way the windows make it: the file's end is
// recorded in a run of its own (described by the file's name) and made
// durable, then the file is written, then the write is noted. When the
// journal cannot be written, the file is not touched and the handler's
// LastError carries the journal's reason, so it shows as a failed write
// does. A write the tag library refuses leaves no run behind. A save also
// keeps a TAG+ block in step and, by sync, writes the fields into the file's
// ID3v2 tag (see PlanSplice).
// Writes the handler's record: the planned splice when there is one (the
// trailer with the ID3v2 tag or a TAG+ block), else the trailer alone. False
// with the reason in the handler's LastError.
bool WriteRecord(Quaver::FileHandler& handler, const std::optional<PlannedSplice>& splice);

RecordedResult RecordedWrite(Quaver::FileHandler& handler, Change change,
                             const std::string& folder = DefaultFolder(),
                             OtherTags::Id3v2Sync sync = OtherTags::Id3v2Sync::Off);

} // namespace Journal
