#include "RecentFolders.h"

#include <QDir>
#include <QSettings>

namespace RecentFolders {

QStringList Remember(QStringList list, const QString& folder)
{
    const QString clean = QDir::cleanPath(folder);
    if (clean.isEmpty())
        return list;
    list.removeAll(clean);
    list.prepend(clean);
    while (list.size() > kKeep)
        list.removeLast();
    return list;
}

QStringList Stored()
{
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Legato", "Legato");
    return settings.value("Recent/Folders").toStringList();
}

void Store(const QString& folder)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Legato", "Legato");
    settings.setValue("Recent/Folders", Remember(Stored(), folder));
}

} // namespace RecentFolders
