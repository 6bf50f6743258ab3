#pragma once

#include "TagFormats.h"

#include "Platform/FileNameCodec.h"
#include "Platform/Numeric.h"
#include "Quaver/EID3TagConstants.h"
#include <QString>
#include <array>
#include <string>

// The choices of the editor's "Parsing Options": one box per field, by index
// 0 Title, 1 Artist, 2 Album, 3 Year, 4 Genre, 5 Track, 6 Comment, and whether
// only empty fields are filled.
struct ParseOptions
{
    enum Field
    {
        Title = 0,
        Artist = 1,
        Album = 2,
        Year = 3,
        Genre = 4,
        Track = 5,
        Comment = 6
    };
    std::array<bool, 7> Overwrite{};
    bool EmptyOnly = true;
};

// Fills the chosen fields of a record from a base name by a pattern, in the
// order artist, album, title, track. Artist, album and title take whatever the
// pattern yields, even the empty text; the track only a numeric text that fits
// a 16-bit integer, which also makes the record v1.1. Year, genre and comment
// are never parsed. Fields is anything with the record's properties: the tag
// field panel, or a record itself.
template <class Fields>
void ParseIntoFields(TagFormats& pattern, const QString& name, const ParseOptions& options, Fields& fields)
{
    enum Attribute
    {
        AlbumAttr = 1,
        ArtistAttr = 2,
        TrackAttr = 4,
        TitleAttr = 5
    };
    const auto wanted = [&](ParseOptions::Field f, bool empty) {
        return options.Overwrite[f] && (!options.EmptyOnly || empty);
    };
    // Bytes of the name that are not UTF-8 become their Windows-1252 characters.
    const auto piece = [&](int attribute) {
        bool missing = false;
        return Platform::FileNameToText(pattern.TagAttributeView(attribute, name, missing));
    };
    if (wanted(ParseOptions::Artist, fields.Artist().empty()))
        fields.setArtist(piece(ArtistAttr));
    if (wanted(ParseOptions::Album, fields.Album().empty()))
        fields.setAlbum(piece(AlbumAttr));
    if (wanted(ParseOptions::Title, fields.Title().empty()))
        fields.setTitle(piece(TitleAttr));
    if (wanted(ParseOptions::Track, fields.Track() == 0)) {
        // A track beyond the 16-bit range is left alone rather than stored wrong.
        if (auto track = Platform::TextToInt16(piece(TrackAttr))) {
            fields.setTrack(*track);
            fields.setTagType(Quaver::ID3V11);
        }
    }
}
