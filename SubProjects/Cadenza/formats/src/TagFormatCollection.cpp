#include "TagFormatCollection.h"

bool TagFormatCollection::Add(const std::shared_ptr<TagFormats>& item, const QString& key)
{
    if (Item(key))
        return false;
    m_entries.emplace_back(key, item);
    return true;
}

std::shared_ptr<TagFormats> TagFormatCollection::Item(const QString& key) const
{
    for (const auto& [k, item] : m_entries) {
        if (k == key)
            return item;
    }
    return nullptr;
}

std::shared_ptr<TagFormats> TagFormatCollection::ItemAt(qint32 position) const
{
    if (position < 1 || position > Count())
        return nullptr;
    return m_entries[static_cast<std::size_t>(position - 1)].second;
}
