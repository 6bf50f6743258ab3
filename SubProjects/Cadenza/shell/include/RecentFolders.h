#pragma once

#include <QStringList>

// The folders the user last opened files or folders from, newest first, so
// that the file choosers start there and the File menu offers them again.
namespace RecentFolders {

constexpr int kKeep = 8;

// list with folder put first: once, and at most kKeep entries in all.
QStringList Remember(QStringList list, const QString& folder);

// The list kept in the per-user settings, and folder put first in it there.
QStringList Stored();
void Store(const QString& folder);

} // namespace RecentFolders
