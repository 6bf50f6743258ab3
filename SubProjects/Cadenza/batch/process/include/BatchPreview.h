#pragma once

#include "Quaver/Tag.h"

#include <QString>

#include <memory>

class TagFormats;

// What the batch panel shows for a clicked file: the tag a run would write
// now, and the tag the file has (null when it has none or it cannot be read).
struct BatchPreview
{
    Quaver::TagPtr NewTag;
    Quaver::TagPtr OldTag;
};

BatchPreview PreviewFile(const std::shared_ptr<TagFormats>& format, const Quaver::Tag& defaultTag,
                         const QString& fileName);
