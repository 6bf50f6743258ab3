#pragma once

#include "Quaver/QuaverExport.h"

#include <cstdint>
#include <string>

namespace Quaver {

// One entry of the genre list. Entries are handed out by Genres and shared:
// changing Num of an entry changes the list's entry.
class QUAVER_EXPORT Genre
{
public:
    std::int16_t Num() const { return m_num; }
    void setNum(std::int16_t num) { m_num = num; }
    const std::string& Description() const { return m_description; }

private:
    friend class Genres;
    Genre() = default;
    void SetDescription(std::string description) { m_description = std::move(description); }

    std::int16_t m_num = 0;
    std::string m_description;
};

} // namespace Quaver
