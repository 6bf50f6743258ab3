#pragma once

#include "OtherTags/OtherTags.h"
#include "Quaver/Tag.h"

#include <memory>
#include <string>
#include <vector>

class TagFormats;

// What the batch panel shows for a clicked file: the tag a run would write
// now, the tag the file has (null when it has none or it cannot be read), and
// its other tags.
struct BatchPreview
{
    Quaver::TagPtr NewTag;
    Quaver::TagPtr OldTag;
    std::vector<OtherTags::Found> Others; // the file's other tags, in file order
};

// The preview of fileName (the file system's bytes).
BatchPreview PreviewFile(const std::shared_ptr<TagFormats>& format, const Quaver::Tag& defaultTag,
                         const std::string& fileName);
