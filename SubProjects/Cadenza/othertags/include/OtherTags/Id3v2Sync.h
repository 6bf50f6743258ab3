#pragma once

// Whether a write of the ID3v1 trailer also writes its fields into the file's
// ID3v2 tag: never, only into a tag the file already has, or also into a new
// ID3v2.4 tag for a file that has none. Shared by the command line's
// --also-id3v2[=create], the batch panel and the editor's check boxes.
namespace OtherTags {

enum class Id3v2Sync
{
    Off,
    Update,
    Create
};

} // namespace OtherTags
