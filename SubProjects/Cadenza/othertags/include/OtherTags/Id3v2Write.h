#pragma once

#include "OtherTags/OtherTags.h"

#include "Quaver/Tag.h"

#include <string>
#include <string_view>
#include <vector>

// Writing a trailer record's fields into an ID3v2 tag as well, in their full
// text: the bytes of the new tag, without any file I/O.
namespace OtherTags {

// Which of a record's fields go into the ID3v2 tag.
struct Id3v2Update
{
    // Names as Differing gives them: "title", "artist", "album", "year",
    // "comment", "track", "genre".
    std::vector<std::string> Fields;
    // Whether an empty field (no text, track 0, no genre) removes the tag's
    // frame. Otherwise it leaves the frame as it is: a record from a file
    // name or the editor leaves empty what it does not know.
    bool EmptyClears = false;
};

// Every field, empty ones leaving the frames alone: what the editor and a
// batch run write.
Id3v2Update AllFields();

struct RenderedId3v2
{
    std::string Bytes; // the whole tag: header, frames and padding
    std::string Kind;  // "ID3v2.3" or "ID3v2.4"
    bool Changed = false;
};

// The ID3v2 tag whose bytes are tag (empty for a new tag, which is ID3v2.4)
// with the record's fields written into it in full (UTF-8, as typed, not cut
// to the trailer). A field whose frame already holds what the record shows
// (a text the trailer holds cut, a year with a date after it) keeps the
// frame's value, so a record read from the trailer never shortens the ID3v2
// tag; every other frame is kept. ID3v2.3 stays 2.3 and 2.4 stays 2.4; 2.2
// becomes 2.4, which TagLib cannot write otherwise. The tag keeps its length
// when the frames fit into it (its padding) and grows otherwise. Unchanged
// (Changed false) the bytes are tag's own.
RenderedId3v2 RenderId3v2(std::string_view tag, const Quaver::Tag& record, const Id3v2Update& update);

} // namespace OtherTags
