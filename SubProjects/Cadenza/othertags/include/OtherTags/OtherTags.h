#pragma once

#include "Quaver/Tag.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The tags a file may carry besides its ID3v1 trailer: an ID3v2 tag at the
// front (versions 2.2, 2.3 and 2.4), and before the trailer an APEv2 tag, a
// Lyrics3v2 block and an extended "TAG+" block. ID3v2 and APEv2 are read with
// TagLib; Lyrics3v2 and TAG+ are small fixed formats read here (EndBlocks.h).
// Texts are UTF-8.
namespace OtherTags {

// The fields a tag holds, under the trailer's names; a field the tag does not
// hold (or holds empty) is not set.
struct Fields
{
    std::optional<std::string> Title, Artist, Album, Year, Comment, Genre;
    std::optional<unsigned> Track;
    bool operator==(const Fields&) const = default;
};

struct Found
{
    std::string Kind;        // "ID3v2.2", "ID3v2.3", "ID3v2.4", "APEv2", "Lyrics3v2" or "TAG+"
    std::int64_t Offset = 0; // where its first byte lies in the file
    std::int64_t Length = 0;
    Fields Values;
};

// How many bytes of the front and of the end of a file MayHold looks at.
inline constexpr std::size_t HeadBytes = 10;
inline constexpr std::size_t EndBytes = 128 + 227;

// Whether a file of the given size may carry another tag, from its first
// bytes (head) and its last bytes (end; fewer than EndBytes only when the file
// is that short): an ID3v2 header at the front, or an APEv2 or Lyrics3v2
// footer or a TAG+ block before the trailer (or an APEv2 footer at the end of
// a file without one). False means Read would find nothing.
bool MayHold(std::string_view head, std::string_view end, std::int64_t size);

// The length of the ID3v2 tag (versions 2.2 to 2.4) whose header starts
// head (at least HeadBytes bytes), or 0 when head holds no valid header.
std::int64_t Id3v2Length(std::string_view head);

// Every other tag of the file, in file order. Only a regular file is read; a
// file that cannot be read, or whose tags are damaged, gives what could be
// read of them (possibly nothing).
std::vector<Found> Read(const std::string& path);

// The trailer record a tag's fields make, as a file name's fields make one:
// each text as the tag holds it (cut when the trailer is written), the track
// when it is 1 to 255, the genre when its name is one of the trailer's (any
// letter case). Every other field stays empty (track 0, genre 255), and the
// type follows the track (unknown without one).
Quaver::TagPtr ToTrailer(const Fields& fields);

// The names of the fields ("title", "artist", "album", "year", "comment",
// "track", "genre") that fields holds with a value the trailer does not show:
// a text that differs from the trailer's once cut to what the trailer holds,
// another track, a genre by another name (letter case ignored).
std::vector<std::string> Differing(const Fields& fields, const Quaver::Tag& trailer);

// The first ID3v2 tag of a list, if any.
const Found* FirstId3v2(const std::vector<Found>& tags);

} // namespace OtherTags
