#include "Quaver/Tag.h"

namespace Quaver {

Tag::Tag() = default;
Tag::~Tag() = default;

Tag::Tag(const Tag& other)
    : m_title(other.m_title), m_artist(other.m_artist), m_album(other.m_album), m_year(other.m_year),
      m_comment(other.m_comment), m_track(other.m_track), m_genre(other.m_genre), m_tagType(other.m_tagType)
{
}

Tag& Tag::operator=(const Tag& other)
{
    if (this != &other) {
        m_title = other.m_title;
        m_artist = other.m_artist;
        m_album = other.m_album;
        m_year = other.m_year;
        m_comment = other.m_comment;
        m_track = other.m_track;
        m_genre = other.m_genre;
        m_tagType = other.m_tagType;
    }
    return *this;
}

std::shared_ptr<Genres> Tag::GenreList() const
{
    if (!m_genreList)
        m_genreList = std::make_shared<Genres>();
    return m_genreList;
}

} // namespace Quaver
