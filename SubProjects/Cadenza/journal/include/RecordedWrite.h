#pragma once

#include "UndoJournal.h"

#include <optional>

#include <string>
#include <vector>

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

// Writes the handler's record: the planned splice when there is one (the
// trailer with the ID3v2 tag or a TAG+ block), else the trailer alone. False
// with the reason in the handler's LastError.
bool WriteRecord(Quaver::FileHandler& handler, const std::optional<PlannedSplice>& splice);

// One change of one file, the way the windows make it: the file's end is
// recorded in a run of its own (described by the file's name) and made
// durable, then the file is written, then the write is noted. When the
// journal cannot be written, the file is not touched and the handler's
// LastError carries the journal's reason, so it shows as a failed write
// does. A write the tag library refuses leaves no run behind. A save also
// keeps a TAG+ block in step and, by sync, writes the fields into the file's
// ID3v2 tag (see PlanSplice).
RecordedResult RecordedWrite(Quaver::FileHandler& handler, Change change,
                             const std::string& folder = DefaultFolder(),
                             OtherTags::Id3v2Sync sync = OtherTags::Id3v2Sync::Off);

// Saves of several files as one run (kind "save", described by the first
// file's name and how many more), the way the editor saves a selection: every
// file's end is recorded and made durable before the first file is written.
// A file that cannot be read or written fails alone, its handler's LastError
// saying why, and the others go on. When the journal cannot be written, no
// file is touched and every handler's LastError carries the journal's
// reason. A run that wrote no file leaves nothing behind. One result per
// handler, in their order (Written or Failed).
// Each save keeps a TAG+ block in step and, by sync, writes the fields of
// update into the file's ID3v2 tag, as RecordedWrite does; a file whose
// ID3v2 write is refused (several hard links) fails alone.
std::vector<RecordedResult> RecordedWrites(std::vector<Quaver::FileHandler>& handlers,
                                           const std::string& folder = DefaultFolder(),
                                           OtherTags::Id3v2Sync sync = OtherTags::Id3v2Sync::Off,
                                           const OtherTags::Id3v2Update& update = OtherTags::AllFields());

} // namespace Journal
