#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

namespace VellumCtl {

// The keyed store in which a host keeps a control's design-time settings.
class PropertyStore
{
public:
    virtual ~PropertyStore() = default;

    // The stored value of key, or defaultValue when the key is absent.
    virtual QVariant ReadProperty(const QString& key, const QVariant& defaultValue = {}) const = 0;
    // Stores value under key. With a valid defaultValue, a value equal to it is
    // omitted (and an earlier value of the key dropped), so readers get the
    // default back.
    virtual void WriteProperty(const QString& key, const QVariant& value,
                               const QVariant& defaultValue = {}) = 0;
};

// A store held in memory, keeping keys in the order written.
class MemoryPropertyStore : public PropertyStore
{
public:
    QVariant ReadProperty(const QString& key, const QVariant& defaultValue = {}) const override;
    void WriteProperty(const QString& key, const QVariant& value, const QVariant& defaultValue = {}) override;

    bool Contains(const QString& key) const;
    QStringList Keys() const;
    void Clear() { m_items.clear(); }

private:
    QList<QPair<QString, QVariant>> m_items;
};

} // namespace VellumCtl
