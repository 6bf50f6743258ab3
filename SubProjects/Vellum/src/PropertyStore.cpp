#include "Vellum/PropertyStore.h"

namespace VellumCtl {

QVariant MemoryPropertyStore::ReadProperty(const QString& key, const QVariant& defaultValue) const
{
    for (const auto& item : m_items) {
        if (item.first == key)
            return item.second;
    }
    return defaultValue;
}

void MemoryPropertyStore::WriteProperty(const QString& key, const QVariant& value,
                                        const QVariant& defaultValue)
{
    m_items.removeIf([&](const QPair<QString, QVariant>& item) { return item.first == key; });
    if (defaultValue.isValid() && value == defaultValue)
        return;
    m_items.append({key, value});
}

bool MemoryPropertyStore::Contains(const QString& key) const
{
    return Keys().contains(key);
}

QStringList MemoryPropertyStore::Keys() const
{
    QStringList keys;
    for (const auto& item : m_items)
        keys.append(item.first);
    return keys;
}

} // namespace VellumCtl
