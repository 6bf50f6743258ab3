#pragma once

#include "Quaver/Tag.h"

#include <memory>
#include <string>

class TagFormats;

// What the batch panel shows for a clicked file: the tag a run would write
// now, and the tag the file has (null when it has none or it cannot be read).
struct BatchPreview
{
    Quaver::TagPtr NewTag;
    Quaver::TagPtr OldTag;
};

// The preview of fileName (the file system's bytes).
BatchPreview PreviewFile(const std::shared_ptr<TagFormats>& format, const Quaver::Tag& defaultTag,
                         const std::string& fileName);
