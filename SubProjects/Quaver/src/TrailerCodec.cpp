#include "Quaver/TrailerCodec.h"

#include "Quaver/Tag.h"

#include "Platform/Ansi.h"
#include "Platform/RuntimeError.h"

namespace Quaver::TrailerCodec {

namespace {

// Field bounds, inclusive offsets into the trailer.
constexpr int kTitleFirst = 3, kTitleLast = 32;
constexpr int kArtistFirst = 33, kArtistLast = 62;
constexpr int kAlbumFirst = 63, kAlbumLast = 92;
constexpr int kYearFirst = 93, kYearLast = 96;
constexpr int kCommentFirst = 97, kCommentLastV10 = 126, kCommentLastV11 = 124;
constexpr int kV11Marker = 125, kTrack = 126, kGenre = 127;

// The fill byte is the code that TagTerminator spells in decimal.
constexpr std::uint8_t kFill = 0;

std::string trimSpaces(std::string text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string field(const Block& block, int first, int last)
{
    return trimSpaces(BytesToText(block, first, last));
}

const std::string& fieldText(const Tag& tag, TextField field)
{
    switch (field) {
    case TextField::Title:
        return tag.Title();
    case TextField::Artist:
        return tag.Artist();
    case TextField::Album:
        return tag.Album();
    case TextField::Year:
        return tag.Year();
    case TextField::Comment:
        break;
    }
    return tag.Comment();
}

} // namespace

bool HasIdentifier(const std::uint8_t* bytes)
{
    return bytes[0] == 'T' && bytes[1] == 'A' && bytes[2] == 'G';
}

std::string BytesToText(const Block& block, int first, int last)
{
    std::string text;
    for (int i = first; i <= last && block[static_cast<std::size_t>(i)] != kFill; ++i)
        Platform::AppendUtf8(text, Platform::AnsiToChar(block[static_cast<std::size_t>(i)]));
    return text;
}

void TextToBytes(Block& block, int first, int last, std::string_view text)
{
    // ASCII is the same in every encoding involved and is copied as it is
    // (a tag written per file makes this the common case); from the first
    // other byte on, the rest is decoded and mapped character by character.
    int i = first;
    std::size_t ascii = 0;
    for (; i <= last && ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80; ++i, ++ascii)
        block[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(text[ascii]);
    if (i > last)
        return;
    const std::u32string chars = Platform::DecodeUtf8(text.substr(ascii));
    for (std::size_t k = 0; i <= last; ++i, ++k)
        block[static_cast<std::size_t>(i)] =
            k < chars.size() ? Platform::CharToAnsiOrQuestion(chars[k]) : kFill;
}

int FieldWidth(TextField field, EID3TagConstants type)
{
    switch (field) {
    case TextField::Title:
        return kTitleLast - kTitleFirst + 1;
    case TextField::Artist:
        return kArtistLast - kArtistFirst + 1;
    case TextField::Album:
        return kAlbumLast - kAlbumFirst + 1;
    case TextField::Year:
        return kYearLast - kYearFirst + 1;
    case TextField::Comment:
        break;
    }
    return (type == ID3V1 ? kCommentLastV10 : kCommentLastV11) - kCommentFirst + 1;
}

FieldFit FitField(std::string_view text, int width)
{
    FieldFit fit;
    const std::u32string chars = Platform::DecodeUtf8(text);
    std::u32string unstorable;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const char32_t ch = chars[i];
        if (i >= static_cast<std::size_t>(width)) {
            Platform::AppendUtf8(fit.Cut, ch);
        } else if (Platform::CharToAnsi(ch)) {
            Platform::AppendUtf8(fit.Stored, ch);
        } else {
            fit.Stored += '?';
            if (unstorable.find(ch) == std::u32string::npos) {
                unstorable += ch;
                Platform::AppendUtf8(fit.Unstorable, ch);
            }
        }
    }
    return fit;
}

std::vector<FieldChange> WriteChanges(const Tag& tag)
{
    std::vector<FieldChange> changes;
    for (TextField field :
         {TextField::Title, TextField::Artist, TextField::Album, TextField::Year, TextField::Comment}) {
        FieldFit fit = FitField(fieldText(tag, field), FieldWidth(field, tag.TagType()));
        if (fit.Changed())
            changes.push_back({field, std::move(fit)});
    }
    return changes;
}

EID3TagConstants Parse(const Block& block, Tag& tag)
{
    if (!HasIdentifier(block.data()))
        return ID3Unknown;
    const EID3TagConstants type = block[kV11Marker] == 0 && block[kTrack] != 0 ? ID3V11 : ID3V1;
    tag.setTitle(field(block, kTitleFirst, kTitleLast));
    tag.setArtist(field(block, kArtistFirst, kArtistLast));
    tag.setAlbum(field(block, kAlbumFirst, kAlbumLast));
    tag.setYear(field(block, kYearFirst, kYearLast));
    if (type == ID3V1) {
        tag.setComment(field(block, kCommentFirst, kCommentLastV10));
        tag.setTrack(0);
    } else {
        tag.setComment(field(block, kCommentFirst, kCommentLastV11));
        tag.setTrack(block[kTrack]);
    }
    tag.setTagType(type);
    tag.setGenre(block[kGenre]);
    return type;
}

Block Render(const Tag& tag)
{
    Block block{};
    block[0] = 'T';
    block[1] = 'A';
    block[2] = 'G';
    TextToBytes(block, kTitleFirst, kTitleLast, tag.Title());
    TextToBytes(block, kArtistFirst, kArtistLast, tag.Artist());
    TextToBytes(block, kAlbumFirst, kAlbumLast, tag.Album());
    TextToBytes(block, kYearFirst, kYearLast, tag.Year());
    if (tag.TagType() == ID3V1) {
        TextToBytes(block, kCommentFirst, kCommentLastV10, tag.Comment());
    } else {
        if (tag.Track() < 0 || tag.Track() > 255)
            throw Platform::RuntimeError::overflow("Quaver");
        TextToBytes(block, kCommentFirst, kCommentLastV11, tag.Comment());
        block[kV11Marker] = 0;
        block[kTrack] = static_cast<std::uint8_t>(tag.Track());
    }
    block[kGenre] = tag.Genre();
    return block;
}

} // namespace Quaver::TrailerCodec
