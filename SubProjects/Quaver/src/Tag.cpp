#include "Quaver/Tag.h"

namespace Quaver {

Tag::Tag() = default;
Tag::~Tag() = default;

std::shared_ptr<Genres> Tag::GenreList() const
{
    if (!m_genreList)
        m_genreList = std::make_shared<Genres>();
    return m_genreList;
}

} // namespace Quaver
