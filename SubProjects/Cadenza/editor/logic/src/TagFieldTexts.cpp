#include "TagFieldTexts.h"

#include "ZeroPad.h"

#include "Platform/Numeric.h"
#include "Quaver/Tag.h"

namespace {

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

TagFieldTexts TagFieldTexts::fromTag(const Quaver::Tag& tag)
{
    TagFieldTexts t;
    t.Title = qs(tag.Title());
    t.Artist = qs(tag.Artist());
    t.Album = qs(tag.Album());
    t.Year = qs(tag.Year());
    if (tag.TagType() == Quaver::ID3V11)
        t.Track = ZeroPad(QString::number(tag.Track()), 2);
    t.GenreByte = QString::number(tag.Genre());
    t.Comment = qs(tag.Comment());
    if (const char* name = Quaver::Genres::NameOf(tag.Genre())) {
        // The fixed table answers without building the record's genre list.
        t.GenreText = QString::fromLatin1(name);
    } else if (auto g = tag.GenreList()->Item(std::to_string(tag.Genre()))) {
        t.GenreText = qs(g->Description());
        t.GenreByte = QString::number(g->Num());
    }
    return t;
}

void TagFieldTexts::collectInto(Quaver::Tag& tag) const
{
    tag.setAlbum(Album.toStdString());
    tag.setArtist(Artist.toStdString());
    tag.setComment(Comment.toStdString());
    // The label only ever holds a number the panel put there; anything else
    // keeps the record's genre rather than inventing one.
    bool ok = false;
    const uint genre = GenreByte.toUInt(&ok);
    if (ok && genre <= 255)
        tag.setGenre(static_cast<std::uint8_t>(genre));
    tag.setTitle(Title.toStdString());
    tag.setTrack(Platform::TextToInt16(Track.toStdString()).value_or(0));
    tag.setYear(Year.toStdString());
    tag.setTagType(Quaver::TagTypeForTrack(tag.Track()));
}
