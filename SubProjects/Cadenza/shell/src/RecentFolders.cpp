#include "RecentFolders.h"

#include <QDir>

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

} // namespace RecentFolders
