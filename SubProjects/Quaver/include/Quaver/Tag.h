#pragma once

#include "Quaver/EID3TagConstants.h"
#include "Quaver/Genres.h"
#include "Quaver/QuaverExport.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Quaver {

// One ID3v1.x tag in memory. Texts are UTF-8; the setters take any value, and
// the trailer's limits (field widths, track 0 to 255) apply only when the
// record is written. Records are shared through std::shared_ptr.
class QUAVER_EXPORT Tag
{
public:
    Tag();
    ~Tag();
    // Copies the fields and the type; each record keeps its own genre list.
    Tag(const Tag& other);
    Tag& operator=(const Tag& other);

    const std::string& Title() const { return m_title; }
    void setTitle(std::string value) { m_title = std::move(value); }
    const std::string& Artist() const { return m_artist; }
    void setArtist(std::string value) { m_artist = std::move(value); }
    const std::string& Album() const { return m_album; }
    void setAlbum(std::string value) { m_album = std::move(value); }
    const std::string& Year() const { return m_year; }
    void setYear(std::string value) { m_year = std::move(value); }
    const std::string& Comment() const { return m_comment; }
    void setComment(std::string value) { m_comment = std::move(value); }
    std::int16_t Track() const { return m_track; }
    void setTrack(std::int16_t value) { m_track = value; }
    std::uint8_t Genre() const { return m_genre; }
    void setGenre(std::uint8_t value) { m_genre = value; }
    EID3TagConstants TagType() const { return m_tagType; }
    void setTagType(EID3TagConstants value) { m_tagType = value; }

    static constexpr std::int16_t TagLength() { return 128; }
    static std::string TagIdentifier() { return "TAG"; }
    static std::string TagTerminator() { return "0"; }

    // The record's own genre table; the same object on every call.
    std::shared_ptr<Genres> GenreList() const;

private:
    std::string m_title;
    std::string m_artist;
    std::string m_album;
    std::string m_year;
    std::string m_comment;
    std::int16_t m_track = 0;
    std::uint8_t m_genre = 255;
    EID3TagConstants m_tagType = ID3Unknown;
    // Built on first use: most records (one per file operation) never need it.
    mutable std::shared_ptr<Genres> m_genreList;
};

using TagPtr = std::shared_ptr<Tag>;

} // namespace Quaver
