#pragma once

#include "Quaver/Genre.h"
#include "Quaver/QuaverExport.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace Quaver {

// The fixed genre table: 149 entries, numbers 0 to 147 and then 255, keyed by
// the decimal text of the number ("0", "17", "255"; keys are compared as text).
class QUAVER_EXPORT Genres
{
public:
    using GenrePtr = std::shared_ptr<Genre>;
    using const_iterator = std::vector<GenrePtr>::const_iterator;

    Genres();

    // Lookup by key text. A text that matches no key but reads as a number of
    // 0 to 255 gives a new entry outside the list, described as
    // "<Not defined (text)>"; any other text gives nullptr. A numeric text beyond
    // the 16-bit range raises an overflow RuntimeError.
    GenrePtr Item(std::string_view key) const;
    GenrePtr Item(const char* key) const { return Item(std::string_view(key)); }
    GenrePtr Item(const std::string& key) const { return Item(std::string_view(key)); }
    // Lookup by 1-based position in creation order (1 gives genre 0, 149 gives
    // 255); outside the positions, the same fallback as for a numeric text.
    GenrePtr Item(int position) const;
    GenrePtr Item(double position) const;

    std::int32_t Count() const { return static_cast<std::int32_t>(m_entries.size()); }

    // Enumeration in creation order: 0 to 147, then 255.
    const_iterator begin() const { return m_entries.begin(); }
    const_iterator end() const { return m_entries.end(); }

    // The name of a genre number from the fixed table, or nullptr for a number
    // without an entry; needs no Genres object.
    static const char* NameOf(int number);

private:
    GenrePtr AddGenre(const std::string& description, std::int16_t number, const std::string& key);
    void RemoveGenre(const std::string& key);
    GenrePtr Undefined(double value, const std::string& argument) const;

    std::vector<GenrePtr> m_entries;
    std::map<std::string, GenrePtr, std::less<>> m_byKey;
};

} // namespace Quaver
