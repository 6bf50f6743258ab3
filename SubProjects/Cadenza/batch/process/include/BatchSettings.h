#pragma once

#include "OtherTags/Id3v2Sync.h"
#include "Quaver/Tag.h"

#include <memory>

class TagFormats;

// What a batch run needs besides the start directory, taken once when the run
// starts: the file-name pattern, the default tag, and the two switches.
struct BatchSettings
{
    std::shared_ptr<TagFormats> Format;
    Quaver::TagPtr DefaultTag;
    bool TestMode = true;   // derive and report, never write
    bool Overwrite = false; // write also over an existing tag
    bool FromId3v2 = false; // the fields come from each file's ID3v2 tag, not its name
    // Whether a write also puts the fields into the file's ID3v2 tag.
    OtherTags::Id3v2Sync AlsoId3v2 = OtherTags::Id3v2Sync::Off;
    // Whether an outcome notes an ID3v2 tag that holds other values than the
    // new tag and stays so (AlsoId3v2 off): the files that may hold other
    // tags are read for it. The panel asks for it; the command line does not.
    bool NoteId3v2 = false;

    // Whether this run notes differing ID3v2 tags (see NoteId3v2).
    bool NotesId3v2() const { return NoteId3v2 && AlsoId3v2 == OtherTags::Id3v2Sync::Off; }
};
