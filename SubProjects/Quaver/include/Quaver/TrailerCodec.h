#pragma once

#include "Quaver/EID3TagConstants.h"
#include "Quaver/QuaverExport.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Quaver {

class Tag;

// The 128-byte trailer as bytes, without any file I/O. Offsets count from the
// first byte of the trailer; text is Windows-1252 in the trailer and UTF-8 in
// the record.
namespace TrailerCodec {

using Block = std::array<std::uint8_t, 128>;

// Whether the first three bytes are "TAG" (case-sensitive).
QUAVER_EXPORT bool HasIdentifier(const std::uint8_t* bytes);

// Fills the record from a trailer and returns its type: ID3V11 when byte 125
// is 0 and byte 126 is not, else ID3V1. Without the identifier it returns
// ID3Unknown and leaves the record as it was. Texts are cut at the first 0x00
// and trimmed of spaces (U+0020 only).
QUAVER_EXPORT EID3TagConstants Parse(const Block& block, Tag& tag);

// Every byte of the trailer for the record: written as ID3v1.0 when its type
// is ID3V1, as ID3v1.1 otherwise. Texts are cut to their field or filled with
// 0x00; a character outside the code page is written as '?'. For ID3v1.1 a
// track outside 0 to 255 raises an overflow RuntimeError.
QUAVER_EXPORT Block Render(const Tag& tag);

// The text of bytes first to last (inclusive), up to the first 0x00, untrimmed.
QUAVER_EXPORT std::string BytesToText(const Block& block, int first, int last);

// Stores text into bytes first to last: cut to the field's width in
// characters, the rest filled with 0x00.
QUAVER_EXPORT void TextToBytes(Block& block, int first, int last, std::string_view text);

// The five text fields of the trailer.
enum class TextField
{
    Title,
    Artist,
    Album,
    Year,
    Comment
};

// The width of a text field in characters when a record of the given type is
// written: 30, the year 4, and the comment 28 beside a track (any type other
// than ID3V1).
QUAVER_EXPORT int FieldWidth(TextField field, EID3TagConstants type);

// What writing a text into a field of the given width does to it. Render
// stores exactly the text read back here, so a caller can tell the user
// before anything is written.
struct FieldFit
{
    std::string Stored;     // the text as written (UTF-8), before the 0x00 fill
    std::string Unstorable; // the characters without a code, each once, in order
    std::string Cut;        // the characters beyond the width, dropped
    bool Changed() const { return !Unstorable.empty() || !Cut.empty(); }
};
QUAVER_EXPORT FieldFit FitField(std::string_view text, int width);

// The text fields whose value a write of the record would change.
struct FieldChange
{
    TextField Field;
    FieldFit Fit;
};
QUAVER_EXPORT std::vector<FieldChange> WriteChanges(const Tag& tag);

} // namespace TrailerCodec
} // namespace Quaver
