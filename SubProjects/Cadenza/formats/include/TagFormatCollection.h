#pragma once

#include "TagFormats.h"

#include <QString>
#include <memory>
#include <utility>
#include <vector>

// A keyed, ordered collection of patterns: the companion of a pattern drop-down
// list. Entries are found by key or by 1-based position.
class TagFormatCollection
{
public:
    // Appends an entry; false (and nothing added) when the key is already used.
    bool Add(const std::shared_ptr<TagFormats>& item, const QString& key);
    // The entry with the key; null when there is none.
    std::shared_ptr<TagFormats> Item(const QString& key) const;
    // The entry at a 1-based position; null outside 1 to Count.
    std::shared_ptr<TagFormats> ItemAt(qint32 position) const;
    qint32 Count() const { return static_cast<qint32>(m_entries.size()); }

private:
    std::vector<std::pair<QString, std::shared_ptr<TagFormats>>> m_entries;
};
