#include "modTagFormat.h"

namespace modTagFormat {

namespace {

std::shared_ptr<TagFormat> newPlaceholder(qint32 tagAttribute)
{
    auto element = std::make_shared<TagFormat>();
    element->setFormatType(FormatTypePlaceholder);
    element->setValue(tagAttribute);
    return element;
}

} // namespace

std::shared_ptr<TagFormat> NewAlbumFormat()
{
    return newPlaceholder(TagAttributeAlbum);
}

std::shared_ptr<TagFormat> NewArtistFormat()
{
    return newPlaceholder(TagAttributeArtist);
}

std::shared_ptr<TagFormat> NewTitleFormat()
{
    return newPlaceholder(TagAttributeTitle);
}

std::shared_ptr<TagFormat> NewTrackFormat()
{
    return newPlaceholder(TagAttributeTrack);
}

std::shared_ptr<TagFormat> NewSeparatorFormat(const QString& text, qint32 occurrence)
{
    auto element = std::make_shared<TagFormat>();
    element->setFormatType(FormatTypeSeparator);
    element->setValue(text);
    element->setNumOccurrencies(occurrence);
    return element;
}

std::shared_ptr<TagFormatCollection> DefaultFormats()
{
    const QString dash = QStringLiteral(" - ");
    const QString dot = QStringLiteral(".");

    auto albumTrackTitle = std::make_shared<TagFormats>();
    albumTrackTitle->Add(NewArtistFormat());
    albumTrackTitle->Add(NewSeparatorFormat(dash, 1));
    albumTrackTitle->Add(NewAlbumFormat());
    albumTrackTitle->Add(NewSeparatorFormat(dash, 2));
    albumTrackTitle->Add(NewTrackFormat());
    albumTrackTitle->Add(NewSeparatorFormat(dot, 1));
    albumTrackTitle->Add(NewTitleFormat());

    auto artistTitle = std::make_shared<TagFormats>();
    artistTitle->Add(NewArtistFormat());
    artistTitle->Add(NewSeparatorFormat(dash, 1));
    artistTitle->Add(NewTitleFormat());

    auto trackTitle = std::make_shared<TagFormats>();
    trackTitle->Add(NewArtistFormat());
    trackTitle->Add(NewSeparatorFormat(dash, 1));
    trackTitle->Add(NewTrackFormat());
    trackTitle->Add(NewSeparatorFormat(dot, 1));
    trackTitle->Add(NewTitleFormat());

    auto formats = std::make_shared<TagFormatCollection>();
    formats->Add(albumTrackTitle, QStringLiteral("0"));
    formats->Add(artistTitle, QStringLiteral("1"));
    formats->Add(trackTitle, QStringLiteral("2"));
    return formats;
}

} // namespace modTagFormat
