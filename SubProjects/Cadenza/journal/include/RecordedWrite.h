#pragma once

#include "UndoJournal.h"

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

// One change of one file, the way the windows make it: the file's end is
// recorded in a run of its own (described by the file's name) and made
// durable, then the file is written, then the write is noted. When the
// journal cannot be written, the file is not touched and the handler's
// LastError carries the journal's reason, so it shows as a failed write
// does. A write the tag library refuses leaves no run behind.
RecordedResult RecordedWrite(Quaver::FileHandler& handler, Change change,
                             const std::string& folder = DefaultFolder());

// Saves of several files as one run (kind "save", described by the first
// file's name and how many more), the way the editor saves a selection: every
// file's end is recorded and made durable before the first file is written.
// A file that cannot be read or written fails alone, its handler's LastError
// saying why, and the others go on. When the journal cannot be written, no
// file is touched and every handler's LastError carries the journal's
// reason. A run that wrote no file leaves nothing behind. One result per
// handler, in their order (Written or Failed).
std::vector<RecordedResult> RecordedWrites(std::vector<Quaver::FileHandler>& handlers,
                                           const std::string& folder = DefaultFolder());

} // namespace Journal
