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
};
