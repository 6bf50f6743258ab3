#pragma once

#include "OtherTags/OtherTags.h"

#include <taglib/tag.h>
#include <taglib/tfile.h>

namespace OtherTags {

// A file TagLib reads tags out of at offsets this code found; it stands for
// no format of its own and is never saved.
class TagSource : public TagLib::File
{
public:
    explicit TagSource(TagLib::IOStream* stream) : TagLib::File(stream) {}
    TagLib::Tag* tag() const override { return nullptr; }
    TagLib::AudioProperties* audioProperties() const override { return nullptr; }
    bool save() override { return false; }
};

// The fields a tag read by TagLib holds.
Fields FieldsOf(const TagLib::Tag& tag);

} // namespace OtherTags
